// SPDX-License-Identifier: MIT
#include "FormTest.h"

class tst_Clearing : public FormTestCase
{
    Q_OBJECT

private slots:
    void emptiesEveryBox_data();
    void emptiesEveryBox();
    void oldValuesDoNotLeakIntoANewResult();
    void calcolaAfterClearingWarns();
};

void tst_Clearing::emptiesEveryBox_data()
{
    QTest::addColumn<QString>("focusBefore");
    for (const char *name : {"txtMassaBraccio", "txtPesoTestina", "txtPesoViti", "txtCedevolezza",
                             "cmdCalcolo", "txtRisultatoFinale", "cdmChiudi", "cdmAzzeraCampi"})
        QTest::newRow(name) << name;
}

void tst_Clearing::emptiesEveryBox()
{
    QFETCH(QString, focusBefore);

    t->enterInputs("6", "10", "1", "20");
    t->click("cmdCalcolo");
    QCOMPARE(t->text("txtRisultato"), "340");
    const QString date = t->caption("lblData");
    const QString time = t->caption("lblTime");
    const FormIntegers integers = t->form.formIntegers();

    t->form.findChild<QWidget *>(focusBefore)->setFocus();
    QCOMPARE(t->focused(), focusBefore);
    t->control<QAbstractButton>("cdmAzzeraCampi")->click();

    for (const char *name : {"txtMassaBraccio", "txtPesoTestina", "txtPesoViti", "txtCedevolezza",
                             "txtRisultato", "txtRadiceQuadrara", "txtRisultatoFinale"})
        QVERIFY2(t->text(name).isEmpty(), name);
    QCOMPARE(t->focused(), "txtMassaBraccio");
    QCOMPARE(t->caption("lblData"), date);
    QCOMPARE(t->caption("lblTime"), time);
    QCOMPARE(t->form.formIntegers(), integers);
}

void tst_Clearing::oldValuesDoNotLeakIntoANewResult()
{
    t->enterInputs("6", "10", "1", "20");
    t->click("cmdCalcolo");
    t->click("cdmAzzeraCampi");

    // Only the arm mass and the compliance anew: the cartridge and the screws
    // now count as 0, not as the 6 and 1 of the earlier click.
    QTest::keyClicks(t->box("txtMassaBraccio"), "15");
    t->type("txtCedevolezza", "25");
    t->click("cmdCalcolo");
    QCOMPARE(t->text("txtRisultato"), "375");
    QCOMPARE(t->text("txtRisultatoFinale"), "8,21072469395972");
    QCOMPARE(t->form.formIntegers(), (FormIntegers{0, 15, 0, 25}));
}

void tst_Clearing::calcolaAfterClearingWarns()
{
    t->enterInputs("6", "10", "1", "20");
    t->click("cmdCalcolo");
    t->click("cdmAzzeraCampi");
    const auto seen = answerNextMessageBox();
    t->click("cmdCalcolo");
    QVERIFY(seen->waitForAnswer());
    QCOMPARE(seen->count, 1);
    QCOMPARE(t->text("txtRisultatoFinale"), QString());
}

QTEST_MAIN(tst_Clearing)
#include "tst_clearing.moc"
