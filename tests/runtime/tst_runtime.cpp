// SPDX-License-Identifier: MIT
#include "runtime/DateTime.h"
#include "runtime/Int16.h"
#include "runtime/ResumeMode.h"

#include <QTest>

#include <stdexcept>

using namespace runtime;

class tst_Runtime : public QObject
{
    Q_OBJECT

private slots:
    void checked_data();
    void checked();
    void partialSumOverflows();
    void resumeGoesOnAfterAFailedStatement();
    void resumeLeavesOtherExceptionsAlone();
    void dateAndTimeText_data();
    void dateAndTimeText();
};

void tst_Runtime::checked_data()
{
    QTest::addColumn<char>("operation");
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<bool>("overflows");

    QTest::newRow("+ fits") << '+' << 6 << 10 << false;
    QTest::newRow("+ to largest") << '+' << 30000 << 2767 << false;
    QTest::newRow("+ one past largest") << '+' << 30000 << 2768 << true;
    QTest::newRow("+ to smallest") << '+' << -32767 << -1 << false;
    QTest::newRow("+ one past smallest") << '+' << -32768 << -1 << true;
    QTest::newRow("+ extremes") << '+' << 32767 << -32768 << false;
    QTest::newRow("* fits") << '*' << 17 << 20 << false;
    QTest::newRow("* largest square") << '*' << 181 << 181 << false;
    QTest::newRow("* just over") << '*' << 182 << 181 << true;
    QTest::newRow("* 62000") << '*' << 310 << 200 << true;
    QTest::newRow("* to smallest") << '*' << -256 << 128 << false;
    QTest::newRow("* to one past largest") << '*' << 256 << 128 << true;
    QTest::newRow("* smallest by -1") << '*' << -32768 << -1 << true;
    QTest::newRow("* -1 by smallest") << '*' << -1 << -32768 << true;
    QTest::newRow("* by zero") << '*' << -32768 << 0 << false;
}

void tst_Runtime::checked()
{
    QFETCH(char, operation);
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(bool, overflows);

    const auto x = static_cast<std::int16_t>(a);
    const auto y = static_cast<std::int16_t>(b);
    const int exact = operation == '+' ? a + b : a * b;
    try {
        const std::int16_t result = operation == '+' ? checkedAdd(x, y) : checkedMultiply(x, y);
        QVERIFY(!overflows);
        QCOMPARE(int(result), exact);
    } catch (const RuntimeError &error) {
        QVERIFY(overflows);
        QCOMPARE(error.number(), ErrorNumber::Overflow);
    }
}

void tst_Runtime::partialSumOverflows()
{
    // 30000 + 5000 - 10000 would be 25000, but the first addition overflows.
    QVERIFY_THROWS_EXCEPTION(RuntimeError, checkedAdd(checkedAdd(30000, 5000), -10000));
    QCOMPARE(checkedAdd(checkedAdd(30000, -10000), 5000), 25000);
}

void tst_Runtime::resumeGoesOnAfterAFailedStatement()
{
    ResumeMode resume;
    QList<int> ran;
    QVERIFY(!resume.run([&] {
        ran << 1;
        raiseError(ErrorNumber::Overflow);
        ran << 2;
    }));
    QCOMPARE(resume.lastError(), ErrorNumber::Overflow);
    QVERIFY(resume.run([&] { ran << 3; }));
    QCOMPARE(ran, QList<int>({1, 3}));

    QCOMPARE(resume.evaluate([] { return checkedAdd(1, 2); }), std::optional<std::int16_t>(3));
    QCOMPARE(resume.evaluate([] { return checkedMultiply(300, 300); }), std::nullopt);
    QCOMPARE(resume.lastError(), ErrorNumber::Overflow);
}

void tst_Runtime::resumeLeavesOtherExceptionsAlone()
{
    // Only the runtime's errors are resumed; a bug elsewhere must not vanish.
    ResumeMode resume;
    QVERIFY_THROWS_EXCEPTION(std::logic_error, resume.run([] { throw std::logic_error("bug"); }));
}

void tst_Runtime::dateAndTimeText_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("time");

    QTest::newRow("it_IT") << "it_IT"
                           << "07/12/26"
                           << "09:05:03";
    QTest::newRow("en_US") << "en_US"
                           << "12/7/26"
                           << "9:05:03 AM";
    QTest::newRow("de_DE") << "de_DE"
                           << "07.12.26"
                           << "09:05:03";
}

void tst_Runtime::dateAndTimeText()
{
    QFETCH(QString, locale);
    QFETCH(QString, date);
    QFETCH(QString, time);

    QCOMPARE(dateText(QDate(2026, 12, 7), QLocale(locale)), date);
    QCOMPARE(timeText(QTime(9, 5, 3), QLocale(locale)), time);
}

QTEST_APPLESS_MAIN(tst_Runtime)
#include "tst_runtime.moc"
