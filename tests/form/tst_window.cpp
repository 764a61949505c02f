// SPDX-License-Identifier: MIT
#include "FormTest.h"

#include "clock/ClockTimer.h"
#include "runtime/Program.h"

#include <QScreen>

class tst_Window : public FormTestCase
{
    Q_OBJECT

private slots:
    void startsReady();
    void frame();
    void controls_data();
    void controls();
    void tabCycle();
    void enterInABoxDoesNotCalculate();
    void enterOrSpaceOnCalcolaCalculates_data();
    void enterOrSpaceOnCalcolaCalculates();
    void noControlOverlaps();

    // Last: ending the program is for good.
    void chiudiEndsTheProgram();
};

void tst_Window::startsReady()
{
    QCOMPARE(t->focused(), "txtMassaBraccio");
    for (const char *name : {"txtMassaBraccio", "txtPesoTestina", "txtPesoViti", "txtCedevolezza",
                             "txtRisultato", "txtRadiceQuadrara", "txtRisultatoFinale"})
        QVERIFY2(t->text(name).isEmpty(), name);
    QCOMPARE(t->caption("lblData"), "07/12/26");
    QCOMPARE(t->caption("lblTime"), "09:05:03");
    QCOMPARE(t->form.formIntegers(), FormIntegers());
    QVERIFY(t->control<ClockTimer>("tmTempo")->isActive());
}

void tst_Window::frame()
{
    frmCalcoloArdivo &form = t->form;
    QCOMPARE(form.windowTitle(), "Ardivo Testina Braccio");
    QCOMPARE(form.size(), QSize(659, 501));
    QCOMPARE(form.minimumSize(), form.maximumSize());

    const Qt::WindowFlags flags = form.windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(flags & Qt::WindowSystemMenuHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));

    const QRect screen = form.screen()->availableGeometry();
    QVERIFY(qAbs(form.geometry().center().x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(form.geometry().center().y() - screen.center().y()) <= 1);
}

void tst_Window::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("visible");

    const QString box = "QLineEdit", label = "QLabel", button = "CommandButton";
    QTest::newRow("txtMassaBraccio") << "txtMassaBraccio" << box << "" << true;
    QTest::newRow("txtPesoTestina") << "txtPesoTestina" << box << "" << true;
    QTest::newRow("txtPesoViti") << "txtPesoViti" << box << "" << true;
    QTest::newRow("lblPesoTestina") << "lblPesoTestina" << label << "Inserire il peso della testina" << true;
    QTest::newRow("c") << "c" << label << "Inserire Massa del braccio" << true;
    QTest::newRow("Label1") << "Label1" << label << "Inserire il peso delle viti" << true;
    QTest::newRow("txtCedevolezza") << "txtCedevolezza" << box << "" << true;
    QTest::newRow("lblCedevolezza") << "lblCedevolezza" << label << "Inserire la cedevolezza della testina"
                                    << true;
    QTest::newRow("cmdCalcolo") << "cmdCalcolo" << button << "Calcola" << true;
    QTest::newRow("txtRisultato") << "txtRisultato" << box << "" << false;
    QTest::newRow("txtRadiceQuadrara") << "txtRadiceQuadrara" << box << "" << false;
    QTest::newRow("txtRisultatoFinale") << "txtRisultatoFinale" << box << "" << true;
    QTest::newRow("lblRisultatoFinale")
        << "lblRisultatoFinale" << label
        << "Per essere compatibili braccio e testina devono avere una risonanaza che ricade perfettamente "
           "nell'intervallo tra 8 e 11 Hertz"
        << true;
    QTest::newRow("cdmChiudi") << "cdmChiudi" << button << "Chiudi" << true;
    QTest::newRow("Picture1") << "Picture1" << label << "" << true;
    QTest::newRow("Label2") << "Label2" << label << "Developed by Vantrello" << true;
    QTest::newRow("cdmAzzeraCampi") << "cdmAzzeraCampi" << button << "Cancella Dati" << true;
    QTest::newRow("Label3") << "Label3" << label << "Inserire Massa del braccio" << true;
}

void tst_Window::controls()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(bool, visible);

    QWidget *control = t->form.findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(control->metaObject()->className(), kind);
    QCOMPARE(control->isVisible(), visible);
    if (auto *box = qobject_cast<QLineEdit *>(control)) {
        QCOMPARE(box->text(), text);
        QVERIFY(!box->isReadOnly());
        QCOMPARE(box->echoMode(), QLineEdit::Normal);
        QVERIFY(box->maxLength() >= 200'000);
    } else if (auto *label = qobject_cast<QLabel *>(control)) {
        QCOMPARE(label->text(), text);
        QCOMPARE(label->textFormat(), Qt::PlainText);
    } else if (auto *button = qobject_cast<QAbstractButton *>(control)) {
        QCOMPARE(button->text(), text);
        QVERIFY(button->shortcut().isEmpty());
    }
}

void tst_Window::tabCycle()
{
    const QStringList cycle = {"txtMassaBraccio", "txtPesoTestina",     "txtPesoViti", "txtCedevolezza",
                               "cmdCalcolo",      "txtRisultatoFinale", "cdmChiudi",   "cdmAzzeraCampi"};
    for (int i = 1; i <= cycle.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(t->focused(), cycle[i % cycle.size()]);
    }
    for (int i = cycle.size() - 1; i >= 0; --i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(t->focused(), cycle[i]);
    }
}

void tst_Window::enterInABoxDoesNotCalculate()
{
    t->enterInputs("6", "10", "1", "20");
    for (const char *name : {"txtPesoTestina", "txtMassaBraccio", "txtPesoViti", "txtCedevolezza"}) {
        QTest::keyClick(t->box(name), Qt::Key_Return);
        QTest::keyClick(t->box(name), Qt::Key_Enter, Qt::KeypadModifier);
    }
    QCOMPARE(t->text("txtRisultatoFinale"), QString());
}

void tst_Window::enterOrSpaceOnCalcolaCalculates_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Space") << int(Qt::Key_Space);
    QTest::newRow("Return") << int(Qt::Key_Return);
}

void tst_Window::enterOrSpaceOnCalcolaCalculates()
{
    QFETCH(int, key);
    t->enterInputs("6", "10", "1", "20");
    QWidget *calcola = t->control("cmdCalcolo");
    calcola->setFocus();
    QTest::keyClick(calcola, Qt::Key(key));
    QCOMPARE(t->text("txtRisultatoFinale"), "8,62298569829157");
}

void tst_Window::noControlOverlaps()
{
    const QRect client = t->form.rect();
    const auto controls = t->form.findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    QCOMPARE(controls.size(), 20);
    for (QWidget *a : controls) {
        if (a->objectName() == "Label3") {
            QVERIFY(!client.intersects(a->geometry()));
            continue;
        }
        QVERIFY2(client.contains(a->geometry()), qPrintable(a->objectName()));
        for (QWidget *b : controls) {
            if (a != b)
                QVERIFY2(!a->geometry().intersects(b->geometry()),
                         qPrintable(a->objectName() + " overlaps " + b->objectName()));
        }
    }
}

void tst_Window::chiudiEndsTheProgram()
{
    QVERIFY(!runtime::hasEnded());
    t->click("cdmChiudi");
    QVERIFY(runtime::hasEnded());

    // No handler runs any more: neither a click nor a tick.
    t->enterInputs("6", "10", "1", "20");
    t->click("cmdCalcolo");
    QCOMPARE(t->text("txtRisultatoFinale"), QString());
    t->now = t->now.addSecs(1);
    emit t->control<ClockTimer>("tmTempo")->timeout();
    QCOMPARE(t->caption("lblTime"), "09:05:03");
}

QTEST_MAIN(tst_Window)
#include "tst_window.moc"
