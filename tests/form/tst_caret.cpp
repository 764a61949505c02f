// SPDX-License-Identifier: MIT
#include "form/CaretBlinkTimeout.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStyleHints>
#include <QTest>

class tst_Caret : public QObject
{
    Q_OBJECT

private slots:
    void stopsWhenIdleAndStartsOnInput_data();
    void stopsWhenIdleAndStartsOnInput();
};

void tst_Caret::stopsWhenIdleAndStartsOnInput_data()
{
    QTest::addColumn<bool>("byKey");
    QTest::newRow("key") << true;
    QTest::newRow("click") << false;
}

void tst_Caret::stopsWhenIdleAndStartsOnInput()
{
    QFETCH(bool, byKey);
    const int flashTime = QGuiApplication::styleHints()->cursorFlashTime();
    QVERIFY(flashTime > 0);
    QLineEdit box;
    box.show();
    // Waited for in an event loop, which gives a browser its turn to run the
    // idle timer: QTRY's sleeps do not.
    QSignalSpy flashTimes(QGuiApplication::styleHints(), &QStyleHints::cursorFlashTimeChanged);
    {
        CaretBlinkTimeout timeout(50);
        QVERIFY(timeout.isBlinking());
        QVERIFY(flashTimes.wait());
        QVERIFY(!timeout.isBlinking());
        if (byKey)
            QTest::keyClick(&box, Qt::Key_A);
        else
            QTest::mouseClick(&box, Qt::LeftButton);
        QCOMPARE(QGuiApplication::styleHints()->cursorFlashTime(), flashTime);
        QVERIFY(flashTimes.wait());
        QVERIFY(!timeout.isBlinking());
    }
    // Gone, it leaves the caret as it found it.
    QCOMPARE(QGuiApplication::styleHints()->cursorFlashTime(), flashTime);
}

QTEST_MAIN(tst_Caret)
#include "tst_caret.moc"
