// SPDX-License-Identifier: MIT
#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>

#include <cstdint>

namespace runtime {

// Text to 16-bit integer: a whole decimal number with an optional sign, blanks
// around it allowed. Raises TypeMismatch for anything else (the empty text
// included) and Overflow outside -32768..32767, whatever the text's length.
std::int16_t textToInteger(QStringView text);

QString integerToText(std::int16_t value);

// The number a text begins with, read the same way in every locale; 0 when the
// text begins with no number. Never raises.
double leadingNumber(QStringView text);

// x to the power y; InvalidArgument for a negative x with a fractional y.
double power(double x, double y);

// a / b as 64-bit floating point; a division by zero, an overflowing or an
// invalid quotient raises the matching error.
double divide(double a, double b);

// Floating point to text in the user's regional format: no grouping, up to 15
// significant digits (all that a double keeps exactly), no trailing zeros.
QString floatToText(double value);
QString floatToText(double value, const QLocale &locale);

// Strict text to floating point, the inverse of floatToText: raises
// TypeMismatch on the empty text and on anything that is not a finite number.
double textToFloat(QStringView text);
double textToFloat(QStringView text, const QLocale &locale);

} // namespace runtime
