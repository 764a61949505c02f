// SPDX-License-Identifier: MIT
#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>
#include <limits>

using namespace runtime;

Q_DECLARE_METATYPE(runtime::ErrorNumber)

namespace {

// Runs `f`, and returns the number of the runtime error it raised (None if none).
template<typename F> ErrorNumber errorOf(F &&f)
{
    try {
        f();
    } catch (const RuntimeError &error) {
        return error.number();
    }
    return ErrorNumber::None;
}

} // namespace

class tst_Conversions : public QObject
{
    Q_OBJECT

private slots:
    void textToInteger_data();
    void textToInteger();
    void integerToTextReadsBack();
    void leadingNumber_data();
    void leadingNumber();
    void floatToText_data();
    void floatToText();
    void textToFloatRejects_data();
    void textToFloatRejects();
    void floatTextRoundTrips_data();
    void floatTextRoundTrips();
    void power_data();
    void power();
    void divide_data();
    void divide();
};

void tst_Conversions::textToInteger_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    QTest::addColumn<ErrorNumber>("error");

    const auto ok = ErrorNumber::None;
    const auto mismatch = ErrorNumber::TypeMismatch;
    const auto overflow = ErrorNumber::Overflow;

    QTest::newRow("zero") << "0" << 0 << ok;
    QTest::newRow("plain") << "6" << 6 << ok;
    QTest::newRow("plus sign") << "+6" << 6 << ok;
    QTest::newRow("minus sign") << "-20" << -20 << ok;
    QTest::newRow("minus zero") << "-0" << 0 << ok;
    QTest::newRow("blanks around") << "  340\t" << 340 << ok;
    QTest::newRow("leading zeros") << "0000032767" << 32767 << ok;
    QTest::newRow("largest") << "32767" << 32767 << ok;
    QTest::newRow("smallest") << "-32768" << -32768 << ok;
    QTest::newRow("one past largest") << "32768" << 0 << overflow;
    QTest::newRow("one past smallest") << "-32769" << 0 << overflow;
    QTest::newRow("far too large") << "99999999999999999999" << 0 << overflow;
    QTest::newRow("200,000 digits") << QString(200'000, u'9') << 0 << overflow;
    QTest::newRow("200,000 zeros") << QString(200'000, u'0') << 0 << ok;
    QTest::newRow("200,000 digits then a letter") << QString(200'000, u'9') + u'x' << 0 << mismatch;

    QTest::newRow("empty") << "" << 0 << mismatch;
    QTest::newRow("blanks only") << "   " << 0 << mismatch;
    QTest::newRow("sign only") << "-" << 0 << mismatch;
    QTest::newRow("two signs") << "--5" << 0 << mismatch;
    QTest::newRow("blank inside") << "3 40" << 0 << mismatch;
    QTest::newRow("point fraction") << "6.5" << 0 << mismatch;
    QTest::newRow("comma fraction") << "6,5" << 0 << mismatch;
    QTest::newRow("exponent") << "1e3" << 0 << mismatch;
    QTest::newRow("hexadecimal") << "0x10" << 0 << mismatch;
    QTest::newRow("basic hexadecimal") << "&H10" << 0 << mismatch;
    QTest::newRow("grouping") << "1.000" << 0 << mismatch;
    QTest::newRow("trailing letter") << "6a" << 0 << mismatch;
    QTest::newRow("fullwidth digit") << QStringLiteral("\uFF16") << 0 << mismatch;
    QTest::newRow("arabic-indic digit") << QStringLiteral("\u0663") << 0 << mismatch;
    QTest::newRow("minus sign character") << QStringLiteral("\u22125") << 0 << mismatch;
    QTest::newRow("embedded NUL") << QString::fromUtf16(u"6\u00000", 3) << 0 << mismatch;
}

void tst_Conversions::textToInteger()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    QFETCH(ErrorNumber, error);

    std::int16_t value = 0;
    QCOMPARE(errorOf([&] { value = runtime::textToInteger(text); }), error);
    if (error == ErrorNumber::None)
        QCOMPARE(value, expected);
}

void tst_Conversions::integerToTextReadsBack()
{
    for (int v = std::numeric_limits<std::int16_t>::min(); v <= std::numeric_limits<std::int16_t>::max();
         ++v) {
        const auto value = static_cast<std::int16_t>(v);
        const QString text = integerToText(value);
        QCOMPARE(runtime::textToInteger(text), value);
        QCOMPARE(runtime::leadingNumber(text), double(value));
    }
}

void tst_Conversions::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("integer") << "340" << 340.0;
    QTest::newRow("negative") << "-340" << -340.0;
    QTest::newRow("plus") << "+7" << 7.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("sign only") << "-" << 0.0;
    QTest::newRow("point only") << "." << 0.0;
    QTest::newRow("leading blanks") << " \t12abc" << 12.0;
    QTest::newRow("fraction") << "18.5 Hz" << 18.5;
    QTest::newRow("bare fraction") << ".25" << 0.25;
    QTest::newRow("exponent") << "1.5e2x" << 150.0;
    QTest::newRow("dangling exponent") << "3e" << 3.0;
    QTest::newRow("dangling exponent sign") << "3e+" << 3.0;
    QTest::newRow("comma is no decimal point") << "1,5" << 1.0;
    QTest::newRow("huge") << QString(400, u'9') << std::numeric_limits<double>::infinity();
    QTest::newRow("huge negative") << u'-' + QString(400, u'9') << -std::numeric_limits<double>::infinity();
    QTest::newRow("tiny") << "1e-999" << 0.0;
    QTest::newRow("tiny without exponent") << "0." + QString(400, u'0') + u'1' << 0.0;
    QTest::newRow("huge with tiny mantissa") << "0.0001e999" << std::numeric_limits<double>::infinity();
    QTest::newRow("tiny with huge mantissa") << u'1' + QString(400, u'0') + "e-999" << 0.0;
    QTest::newRow("huge exponent") << "1e99999999999999999999" << std::numeric_limits<double>::infinity();
}

void tst_Conversions::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(runtime::leadingNumber(text), expected);
}

void tst_Conversions::floatToText_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("C root of 340") << "C" << std::sqrt(340.0) << "18.4390889145858";
    QTest::newRow("it root of 340") << "it_IT" << std::sqrt(340.0) << "18,4390889145858";
    QTest::newRow("C whole") << "C" << 159.0 << "159";
    QTest::newRow("C zero") << "C" << 0.0 << "0";
    QTest::newRow("C no trailing zeros") << "C" << 8.5 << "8.5";
    QTest::newRow("C no grouping") << "C" << 12345678.25 << "12345678.25";
    QTest::newRow("it no grouping") << "it_IT" << 12345678.25 << "12345678,25";
    QTest::newRow("it negative") << "it_IT" << -0.125 << "-0,125";
    QTest::newRow("C fifteen digits") << "C" << 2.0 / 3.0 << "0.666666666666667";
    QTest::newRow("C largest double") << "C" << std::numeric_limits<double>::max() << "1.79769313486231e+308";
    QTest::newRow("it lowest double")
        << "it_IT" << std::numeric_limits<double>::lowest() << "-1,79769313486231E+308";
}

void tst_Conversions::floatToText()
{
    QFETCH(QString, locale);
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(runtime::floatToText(value, QLocale(locale)), expected);
}

void tst_Conversions::textToFloatRejects_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");

    QTest::newRow("C empty") << "C"
                             << "";
    QTest::newRow("it empty") << "it_IT"
                              << "";
    QTest::newRow("C blanks") << "C"
                              << "  ";
    QTest::newRow("C letters") << "C"
                               << "abc";
    QTest::newRow("C trailing letters") << "C"
                                        << "18.4x";
    QTest::newRow("C comma") << "C"
                             << "1,5";
    QTest::newRow("it point") << "it_IT"
                              << "1.5";
    QTest::newRow("it grouping") << "it_IT"
                                 << "1.234,5";
    QTest::newRow("C infinity") << "C"
                                << "inf";
    QTest::newRow("C not a number") << "C"
                                    << "nan";
    QTest::newRow("C beyond double") << "C"
                                     << "1e999";
}

void tst_Conversions::textToFloatRejects()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QCOMPARE(errorOf([&] { runtime::textToFloat(text, QLocale(locale)); }), ErrorNumber::TypeMismatch);
}

void tst_Conversions::floatTextRoundTrips_data()
{
    QTest::addColumn<QString>("locale");
    QTest::newRow("C") << "C";
    QTest::newRow("it_IT") << "it_IT";
    QTest::newRow("de_CH") << "de_CH";
}

void tst_Conversions::floatTextRoundTrips()
{
    QFETCH(QString, locale);
    const QLocale l(locale);
    QRandomGenerator random(340);

    // Every root and resonance the calculation can produce, and random values.
    QList<double> values;
    for (int p = 0; p <= std::numeric_limits<std::int16_t>::max(); ++p) {
        values << std::sqrt(double(p));
        if (p > 0)
            values << 159.0 / std::sqrt(double(p));
    }
    for (int i = 0; i < 20000; ++i)
        values << std::ldexp(random.generateDouble(), int(random.bounded(-60, 60)));
    values << std::numeric_limits<double>::max() << std::numeric_limits<double>::lowest()
           << std::numeric_limits<double>::min() << std::numeric_limits<double>::denorm_min();

    for (const double value : values) {
        const QString text = runtime::floatToText(value, l);
        const double back = runtime::textToFloat(text, l);
        // The text keeps 15 significant digits: it reads back to the value it
        // shows, which writes the same text again.
        QCOMPARE(runtime::floatToText(back, l), text);
        QVERIFY2(std::abs(back - value) <= std::abs(value) * 1e-14, qPrintable(text));
    }
}

void tst_Conversions::power_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("expected");
    QTest::addColumn<ErrorNumber>("error");

    QTest::newRow("root of 340") << 340.0 << 0.5 << 18.439088914585774 << ErrorNumber::None;
    QTest::newRow("root of 0") << 0.0 << 0.5 << 0.0 << ErrorNumber::None;
    QTest::newRow("negative whole power") << -8.0 << 2.0 << 64.0 << ErrorNumber::None;
    QTest::newRow("root of negative") << -340.0 << 0.5 << 0.0 << ErrorNumber::InvalidArgument;
    QTest::newRow("zero to negative") << 0.0 << -1.0 << 0.0 << ErrorNumber::DivisionByZero;
    QTest::newRow("overflow") << 1e300 << 2.0 << 0.0 << ErrorNumber::Overflow;
}

void tst_Conversions::power()
{
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(double, expected);
    QFETCH(ErrorNumber, error);

    double result = 0;
    QCOMPARE(errorOf([&] { result = runtime::power(x, y); }), error);
    if (error == ErrorNumber::None)
        QCOMPARE(result, expected);
}

void tst_Conversions::divide_data()
{
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<ErrorNumber>("error");

    QTest::newRow("resonance") << 159.0 << 18.4390889145858 << ErrorNumber::None;
    QTest::newRow("tiny quotient") << 1e-300 << 1e10 << ErrorNumber::None;
    QTest::newRow("by zero") << 159.0 << 0.0 << ErrorNumber::DivisionByZero;
    QTest::newRow("by minus zero") << 159.0 << -0.0 << ErrorNumber::DivisionByZero;
    QTest::newRow("zero by zero") << 0.0 << 0.0 << ErrorNumber::InvalidArgument;
    QTest::newRow("overflow") << 159.0 << 5e-324 << ErrorNumber::Overflow;
    QTest::newRow("not a number") << 159.0 << std::numeric_limits<double>::quiet_NaN()
                                  << ErrorNumber::InvalidArgument;
}

void tst_Conversions::divide()
{
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(ErrorNumber, error);

    double result = 0;
    QCOMPARE(errorOf([&] { result = runtime::divide(a, b); }), error);
    if (error == ErrorNumber::None)
        QCOMPARE(result, a / b);
}

QTEST_APPLESS_MAIN(tst_Conversions)
#include "tst_conversions.moc"
