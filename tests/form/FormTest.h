// SPDX-License-Identifier: MIT
#pragma once

#include "../calc/CalcTest.h"
#include "form/frmCalcoloArdivo.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDirIterator>
#include <QEventLoop>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

// The real window, started as the program starts it, on a clock that the test
// sets.
class FormUnderTest
{
public:
    QDateTime now{QDate(2026, 12, 7), QTime(9, 5, 3, 250)};
    frmCalcoloArdivo form{[this] { return now; }};

    bool start()
    {
        form.start();
        return QTest::qWaitForWindowActive(&form);
    }

    template<typename T = QWidget> T *control(const char *name)
    {
        auto *widget = form.findChild<T *>(QLatin1String(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }

    QLineEdit *box(const char *name) { return control<QLineEdit>(name); }
    QString text(const char *name) { return box(name)->text(); }
    QString caption(const char *name) { return control<QLabel>(name)->text(); }
    // The control that has the focus whenever the window is active.
    QString focused() { return form.focusWidget() ? form.focusWidget()->objectName() : QString(); }

    // Types into a box as a user would: click into it, select all, type.
    void type(const char *name, const QString &text)
    {
        QLineEdit *target = box(name);
        QTest::mouseClick(target, Qt::LeftButton);
        target->selectAll();
        if (text.isEmpty())
            QTest::keyClick(target, Qt::Key_Delete);
        else
            QTest::keyClicks(target, text);
    }

    void click(const char *name) { QTest::mouseClick(control<QAbstractButton>(name), Qt::LeftButton); }

    void enterInputs(const QString &pesoTestina, const QString &massaBraccio, const QString &pesoViti,
                     const QString &cedevolezza)
    {
        type("txtPesoTestina", pesoTestina);
        type("txtMassaBraccio", massaBraccio);
        type("txtPesoViti", pesoViti);
        type("txtCedevolezza", cedevolezza);
    }
};

// Gives the window the fonts the build ships with the program, where it ships
// any: a browser lends it none.
class WindowTestCase : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        for (QDirIterator font(QStringLiteral(":/ardivo/fonts")); font.hasNext();)
            QFontDatabase::addApplicationFont(font.next());
    }
};

// Runs each test function on a window freshly started as the program starts it.
class FormTestCase : public WindowTestCase
{
    Q_OBJECT

private slots:
    void init()
    {
        t = std::make_unique<FormUnderTest>();
        QVERIFY(t->start());
    }
    void cleanup() { t.reset(); }

protected:
    std::unique_ptr<FormUnderTest> t;
};

// What a message box showed, recorded as it was answered.
struct MessageBoxSeen
{
    int count = 0;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    bool answered = false;
    std::function<void()> onAnswered;

    // Waits for the answer, which a browser gives after the click that
    // opened the box has returned: in an event loop, which gives the browser
    // its turn to run the answering timer (QTRY's sleeps do not).
    bool waitForAnswer(int timeoutMs = 5000)
    {
        if (answered)
            return true;
        QEventLoop loop;
        onAnswered = [&loop] { loop.quit(); };
        QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
        loop.exec();
        onAnswered = nullptr;
        return answered;
    }
};

// Answers the message box that the next action opens with its first button,
// and records what it showed. The answer comes `delayMs` after the box opens,
// when `whileShown` has run: inside the box's own loop on a desktop, after
// the click has returned in the browser (see waitForAnswer).
inline std::shared_ptr<MessageBoxSeen> answerNextMessageBox(int delayMs = 0,
                                                            std::function<void()> whileShown = {})
{
    auto seen = std::make_shared<MessageBoxSeen>();
    QTimer::singleShot(0, [seen, delayMs, whileShown] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        ++seen->count;
        seen->title = box->windowTitle();
        seen->text = box->text();
        seen->icon = box->icon();
        seen->buttons = int(box->buttons().size());
        QTimer::singleShot(delayMs, box, [box, seen, whileShown] {
            if (whileShown)
                whileShown();
            box->buttons().constFirst()->click();
            seen->answered = true;
            if (seen->onAnswered)
                seen->onAnswered();
        });
    });
    return seen;
}
