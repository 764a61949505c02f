// SPDX-License-Identifier: MIT
#pragma once

#include "runtime/RuntimeError.h"

#include <QString>

#include <cstdint>

// The four form-level integers, as the last calculation left them.
struct FormIntegers
{
    std::int16_t intPesoTestina = 0;
    std::int16_t intMassaBraccio = 0;
    std::int16_t intPesoViti = 0;
    std::int16_t intCedevolezza = 0;

    friend bool operator==(const FormIntegers &, const FormIntegers &) = default;
};

// What the four input boxes hold.
struct CalculationInputs
{
    QString pesoTestina;
    QString massaBraccio;
    QString pesoViti;
    QString cedevolezza;
};

// What a calculation writes: the product, its square root and the resonance
// as the texts of their boxes, the integers, and the number of the last error
// that resume mode met (None when every step completed).
struct Calculation
{
    QString risultato;
    QString radiceQuadrara;
    QString risultatoFinale;
    FormIntegers integers;
    runtime::ErrorNumber error = runtime::ErrorNumber::None;

    friend bool operator==(const Calculation &, const Calculation &) = default;
};

// The resonance of arm and cartridge, 159 / sqrt((cartridge + arm + screws) x
// compliance), each step in resume mode: a step that fails writes the empty
// text and the next goes on, reading the text the last one wrote. An empty
// box counts as 0 (four empty boxes are the caller's to refuse); a box that
// holds no whole number of 16 bits keeps its integer as it was and fails the
// calculation; the sums and the product are checked for 16-bit overflow.
Calculation calculate(const CalculationInputs &inputs, const FormIntegers &last);
