// SPDX-License-Identifier: MIT
#include "CalcTest.h"

using runtime::ErrorNumber;

// The calculation without a window: four texts and the last integers in,
// three texts, the integers and the last error out. The texts are those of
// the Italian locale, in which the suite runs.
class tst_Resonance : public QObject
{
    Q_OBJECT

private slots:
    void calculate_data();
    void calculate();
};

void tst_Resonance::calculate_data()
{
    QTest::addColumn<QStringList>("inputs"); // cartridge weight, arm mass, screws weight, compliance
    QTest::addColumn<FormIntegers>("last");
    QTest::addColumn<QString>("risultato");
    QTest::addColumn<QString>("radice");
    QTest::addColumn<QString>("finale");
    QTest::addColumn<FormIntegers>("integers");
    QTest::addColumn<ErrorNumber>("error");

    const FormIntegers none, earlier{6, 10, 1, 20};
    QTest::newRow("worked example") << QStringList{"6", "10", "1", "20"} << none << "340"
                                    << "18,4390889145858"
                                    << "8,62298569829157" << FormIntegers{6, 10, 1, 20} << ErrorNumber::None;
    QTest::newRow("an empty box counts as 0, whatever came before")
        << QStringList{"6", "10", "", "20"} << earlier << "320"
        << "17,8885438199983"
        << "8,88837021056167" << FormIntegers{6, 10, 0, 20} << ErrorNumber::None;
    QTest::newRow("signs and blanks") << QStringList{"-6", " +10", "1 ", "20"} << none << "100"
                                      << "10"
                                      << "15,9" << FormIntegers{-6, 10, 1, 20} << ErrorNumber::None;
    // 159/sqrt(32767), from the product's text and the root's as written.
    QTest::newRow("largest product") << QStringList{"50", "100", "1", "217"} << none << "32767"
                                     << "181,016573826818"
                                     << "0,878372607759764" << FormIntegers{50, 100, 1, 217}
                                     << ErrorNumber::None;
    QTest::newRow("only one box filled") << QStringList{"", "", "", "5"} << none << "0"
                                         << "0"
                                         << "" << FormIntegers{0, 0, 0, 5} << ErrorNumber::DivisionByZero;
    QTest::newRow("three digits before the point")
        << QStringList{"1", "1", "0", "1"} << none << "2"
        << "1,4142135623731"
        << "112,429978208661" << FormIntegers{1, 1, 0, 1} << ErrorNumber::None;

    // A box that holds no whole number keeps its integer and fails the
    // calculation: the product and the figure are empty, and the root of the
    // empty text is that of 0, whose division fails.
    QTest::newRow("not a number") << QStringList{"6", "dieci", "1", "20"} << earlier << ""
                                  << "0"
                                  << "" << FormIntegers{6, 10, 1, 20} << ErrorNumber::DivisionByZero;
    QTest::newRow("blanks alone") << QStringList{"", " ", "", ""} << none << ""
                                  << "0"
                                  << "" << FormIntegers{} << ErrorNumber::DivisionByZero;
    QTest::newRow("fraction") << QStringList{"6", "10", "1", "20,5"} << none << ""
                              << "0"
                              << "" << FormIntegers{6, 10, 1, 0} << ErrorNumber::DivisionByZero;
    QTest::newRow("out of range") << QStringList{"6", "40000", "1", "20"} << none << ""
                                  << "0"
                                  << "" << FormIntegers{6, 0, 1, 20} << ErrorNumber::DivisionByZero;
    // The 16-bit checks, step by step: the first addition overflows although
    // the whole sum, 25000, would fit.
    QTest::newRow("first addition overflows")
        << QStringList{"30000", "5000", "-10000", "1"} << none << ""
        << "0"
        << "" << FormIntegers{30000, 5000, -10000, 1} << ErrorNumber::DivisionByZero;
    QTest::newRow("second addition overflows")
        << QStringList{"30000", "2000", "1000", "1"} << none << ""
        << "0"
        << "" << FormIntegers{30000, 2000, 1000, 1} << ErrorNumber::DivisionByZero;
    QTest::newRow("product overflows")
        << QStringList{"200", "100", "10", "200"} << none << ""
        << "0"
        << "" << FormIntegers{200, 100, 10, 200} << ErrorNumber::DivisionByZero;
    QTest::newRow("negative product") << QStringList{"6", "10", "1", "-20"} << none << "-340"
                                      << ""
                                      << "" << FormIntegers{6, 10, 1, -20} << ErrorNumber::TypeMismatch;
    QTest::newRow("zero product") << QStringList{"6", "10", "1", "0"} << none << "0"
                                  << "0"
                                  << "" << FormIntegers{6, 10, 1, 0} << ErrorNumber::DivisionByZero;
}

void tst_Resonance::calculate()
{
    QFETCH(QStringList, inputs);
    QFETCH(FormIntegers, last);
    QFETCH(QString, risultato);
    QFETCH(QString, radice);
    QFETCH(QString, finale);
    QFETCH(FormIntegers, integers);
    QFETCH(ErrorNumber, error);

    const Calculation result = ::calculate({inputs[0], inputs[1], inputs[2], inputs[3]}, last);
    QCOMPARE(result.risultato, risultato);
    QCOMPARE(result.radiceQuadrara, radice);
    QCOMPARE(result.risultatoFinale, finale);
    QCOMPARE(result.integers, integers);
    QCOMPARE(int(result.error), int(error));
}

QTEST_APPLESS_MAIN(tst_Resonance)
#include "tst_resonance.moc"
