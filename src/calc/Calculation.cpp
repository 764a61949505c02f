// SPDX-License-Identifier: MIT
#include "calc/Calculation.h"

#include "runtime/Conversions.h"
#include "runtime/Int16.h"
#include "runtime/ResumeMode.h"

using namespace runtime;

Calculation calculate(const CalculationInputs &inputs, const FormIntegers &last)
{
    ResumeMode resume;
    Calculation result;
    result.integers = last;

    // Every calculation reads all four boxes afresh, and a box that holds no
    // whole number fails it: the figure shown always belongs to the inputs
    // on screen, never to an earlier calculation.
    ErrorNumber inputError = ErrorNumber::None;
    const auto convert = [&](const QString &text, std::int16_t &target) {
        if (const auto value = resume.evaluate([&text] { return text.isEmpty() ? 0 : textToInteger(text); }))
            target = *value;
        else
            inputError = resume.lastError();
    };
    FormIntegers &i = result.integers;
    convert(inputs.pesoTestina, i.intPesoTestina);
    convert(inputs.massaBraccio, i.intMassaBraccio);
    convert(inputs.pesoViti, i.intPesoViti);
    convert(inputs.cedevolezza, i.intCedevolezza);

    // Each step writes its text at its end: its result, or the empty text
    // when it failed, which the next step then reads.
    result.risultato = resume
                           .evaluate([&] {
                               if (inputError != ErrorNumber::None)
                                   raiseError(inputError);
                               const std::int16_t sum =
                                   checkedAdd(checkedAdd(i.intPesoTestina, i.intMassaBraccio), i.intPesoViti);
                               return integerToText(checkedMultiply(sum, i.intCedevolezza));
                           })
                           .value_or(QString());
    result.radiceQuadrara =
        resume.evaluate([&] { return floatToText(power(leadingNumber(result.risultato), 0.5)); })
            .value_or(QString());
    result.risultatoFinale =
        resume.evaluate([&] { return floatToText(divide(159.0, textToFloat(result.radiceQuadrara))); })
            .value_or(QString());
    result.error = resume.lastError();
    return result;
}
