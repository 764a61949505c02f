// SPDX-License-Identifier: MIT
#include "Conversions.h"

#include "RuntimeError.h"

#include <QByteArray>

#include <algorithm>
#include <cmath>
#include <limits>

namespace runtime {

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isLeadingBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

// Whether a number too far out of range to be read is tiny rather than huge:
// its first significant digit lies below the units, exponent and all.
bool isBelowOne(const QByteArray &number)
{
    qsizetype i = 0;
    const qsizetype size = number.size();
    if (i < size && (number[i] == '+' || number[i] == '-'))
        ++i;
    long long order = 0; // the number is about 10^(order - 1)
    bool significant = false;
    for (; i < size && number[i] >= '0' && number[i] <= '9'; ++i) {
        significant = significant || number[i] != '0';
        order += significant;
    }
    if (!significant && i < size && number[i] == '.')
        for (++i; i < size && number[i] == '0'; ++i)
            --order;
    i = std::max(number.indexOf('e'), number.indexOf('E'));
    if (i < 0)
        return order <= 0;
    ++i;
    const bool negative = i < size && number[i] == '-';
    if (i < size && (number[i] == '+' || number[i] == '-'))
        ++i;
    long long exponent = 0;
    for (; i < size && exponent < 1'000'000'000; ++i)
        exponent = exponent * 10 + (number[i] - '0');
    return order + (negative ? -exponent : exponent) <= 0;
}

QLocale numberLocale(QLocale locale)
{
    locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    return locale;
}

const QLocale &systemNumberLocale()
{
    static const QLocale locale = numberLocale(QLocale::system());
    return locale;
}

} // namespace

std::int16_t textToInteger(QStringView text)
{
    const QStringView number = text.trimmed();
    qsizetype i = 0;
    const bool negative = !number.isEmpty() && number.front() == u'-';
    if (!number.isEmpty() && (number.front() == u'-' || number.front() == u'+'))
        ++i;
    if (i == number.size())
        raiseError(ErrorNumber::TypeMismatch);

    // The magnitude saturates just past the range, so a text of any length
    // costs one pass and cannot overflow the accumulator.
    constexpr int limit = -int(std::numeric_limits<std::int16_t>::min());
    int magnitude = 0;
    for (; i < number.size(); ++i) {
        const QChar c = number[i];
        if (!isAsciiDigit(c))
            raiseError(ErrorNumber::TypeMismatch);
        if (magnitude <= limit)
            magnitude = magnitude * 10 + (c.unicode() - u'0');
    }
    const int value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        raiseError(ErrorNumber::Overflow);
    return static_cast<std::int16_t>(value);
}

QString integerToText(std::int16_t value)
{
    return QString::number(value);
}

double leadingNumber(QStringView text)
{
    qsizetype begin = 0;
    while (begin < text.size() && isLeadingBlank(text[begin]))
        ++begin;

    // Find the longest prefix of the form [+-]digits[.digits][e[+-]digits].
    qsizetype end = begin;
    auto skipDigits = [&] {
        const qsizetype start = end;
        while (end < text.size() && isAsciiDigit(text[end]))
            ++end;
        return end - start;
    };
    if (end < text.size() && (text[end] == u'+' || text[end] == u'-'))
        ++end;
    qsizetype mantissaDigits = skipDigits();
    if (end < text.size() && text[end] == u'.') {
        ++end;
        mantissaDigits += skipDigits();
    }
    if (mantissaDigits == 0)
        return 0.0;
    if (end < text.size() && (text[end] == u'e' || text[end] == u'E')) {
        const qsizetype mark = end++;
        if (end < text.size() && (text[end] == u'+' || text[end] == u'-'))
            ++end;
        if (skipDigits() == 0)
            end = mark;
    }

    // QByteArray reads numbers the same in every locale, correctly rounded;
    // what is out of a double's range it gives as not read.
    const QByteArray ascii = text.sliced(begin, end - begin).toLatin1();
    bool read = false;
    const double value = ascii.toDouble(&read);
    if (read)
        return value;
    // Saturate rather than fail: a huge text reads as an infinite number.
    const double magnitude = isBelowOne(ascii) ? 0.0 : std::numeric_limits<double>::infinity();
    return ascii.startsWith('-') ? -magnitude : magnitude;
}

double power(double x, double y)
{
    if (x < 0 && std::trunc(y) != y)
        raiseError(ErrorNumber::InvalidArgument);
    if (x == 0 && y < 0)
        raiseError(ErrorNumber::DivisionByZero);
    const double result = std::pow(x, y);
    if (std::isnan(result))
        raiseError(ErrorNumber::InvalidArgument);
    if (std::isinf(result) && std::isfinite(x) && std::isfinite(y))
        raiseError(ErrorNumber::Overflow);
    return result;
}

double divide(double a, double b)
{
    // The IEEE exceptions are tested on the operands and the quotient rather
    // than through the floating-point status flags, which the optimiser may
    // reorder around the division.
    if (b == 0 && !std::isnan(a))
        raiseError(a == 0 ? ErrorNumber::InvalidArgument : ErrorNumber::DivisionByZero);
    const double quotient = a / b;
    if (std::isnan(quotient))
        raiseError(ErrorNumber::InvalidArgument);
    if (std::isinf(quotient) && !std::isinf(a))
        raiseError(ErrorNumber::Overflow);
    return quotient;
}

namespace {

QString formatted(double value, const QLocale &numberLocale)
{
    // Rounded to 15 digits, the largest doubles would read back as infinite:
    // they are written as the largest 15-digit number that reads back.
    constexpr double largestWritable = 1.79769313486231e308;
    if (std::isfinite(value))
        value = std::clamp(value, -largestWritable, largestWritable);
    return numberLocale.toString(value, 'g', std::numeric_limits<double>::digits10);
}

double parsed(QStringView text, const QLocale &numberLocale)
{
    bool ok = false;
    const double value = numberLocale.toDouble(text, &ok);
    if (!ok || !std::isfinite(value))
        raiseError(ErrorNumber::TypeMismatch);
    return value;
}

} // namespace

QString floatToText(double value)
{
    return formatted(value, systemNumberLocale());
}

QString floatToText(double value, const QLocale &locale)
{
    return formatted(value, numberLocale(locale));
}

double textToFloat(QStringView text)
{
    return parsed(text, systemNumberLocale());
}

double textToFloat(QStringView text, const QLocale &locale)
{
    return parsed(text, numberLocale(locale));
}

} // namespace runtime
