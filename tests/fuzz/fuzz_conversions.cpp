// SPDX-License-Identifier: MIT
// libFuzzer target for every text conversion of the runtime: nothing may
// crash, hang or trip a sanitizer, and the round trips must hold.
#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"

#include <QLocale>
#include <QString>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>

using namespace runtime;

namespace {

template<typename F> auto attempt(F &&f) -> std::optional<decltype(f())>
{
    try {
        return f();
    } catch (const RuntimeError &) {
        return std::nullopt;
    }
}

void require(bool condition)
{
    if (!condition)
        std::abort();
}

void textProperties(const QString &text)
{
    // An integer that reads, writes a text that reads back as itself.
    if (const auto value = attempt([&] { return textToInteger(text); })) {
        const QString written = integerToText(*value);
        require(textToInteger(written) == *value);
        require(leadingNumber(written) == double(*value));
    }
    (void)leadingNumber(text);

    for (const QLocale &locale : {QLocale::c(), QLocale(QLocale::Italian, QLocale::Italy)}) {
        // A number that reads is finite, and its text reads back to the same text.
        if (const auto value = attempt([&] { return textToFloat(text, locale); })) {
            require(std::isfinite(*value));
            const QString written = floatToText(*value, locale);
            const double back = textToFloat(written, locale);
            require(floatToText(back, locale) == written);
        }
    }
}

void floatProperties(double value)
{
    if (!std::isfinite(value))
        return;
    for (const QLocale &locale : {QLocale::c(), QLocale(QLocale::Italian, QLocale::Italy)}) {
        const QString text = floatToText(value, locale);
        const double back = textToFloat(text, locale);
        require(floatToText(back, locale) == text);
        require(back == value || std::abs(back - value) <= std::abs(value) * 1e-14);
    }
    (void)attempt([&] { return power(value, 0.5); });
    (void)attempt([&] { return divide(159.0, value); });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    textProperties(QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (size % 2 == 0)
        textProperties(QString::fromUtf16(reinterpret_cast<const char16_t *>(data), qsizetype(size / 2)));
    if (size >= sizeof(double)) {
        double value;
        std::memcpy(&value, data, sizeof value);
        floatProperties(value);
    }
    return 0;
}
