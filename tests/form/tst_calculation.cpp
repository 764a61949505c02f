// SPDX-License-Identifier: MIT
#include "FormTest.h"

class tst_Calculation : public FormTestCase
{
    Q_OBJECT

private slots:
    void results_data();
    void results();
    void failureAfterSuccessShowsNothing_data();
    void failureAfterSuccessShowsNothing();
    void allEmptyWarns();
    void blanksAreNotEmpty();
    void calculationKeepsTheFocus();
};

// The window writes what the calculation gives into its three boxes and keeps
// its integers (the calculation's own rows are in tests/calc). The boxes are
// given in the order cartridge weight, arm mass, screws weight, compliance;
// the texts expected are those of the Italian locale.
void tst_Calculation::results_data()
{
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QString>("risultato");
    QTest::addColumn<QString>("radice");
    QTest::addColumn<QString>("finale");
    QTest::addColumn<FormIntegers>("integers");

    QTest::newRow("worked example") << QStringList{"6", "10", "1", "20"} << "340"
                                    << "18,4390889145858"
                                    << "8,62298569829157" << FormIntegers{6, 10, 1, 20};
    QTest::newRow("not a number") << QStringList{"6", "dieci", "1", "20"} << ""
                                  << "0"
                                  << "" << FormIntegers{6, 0, 1, 20};
    QTest::newRow("negative product") << QStringList{"6", "10", "1", "-20"} << "-340"
                                      << ""
                                      << "" << FormIntegers{6, 10, 1, -20};
    // Three empty boxes are not four: no warning.
    QTest::newRow("only compliance") << QStringList{"", "", "", "5"} << "0"
                                     << "0"
                                     << "" << FormIntegers{0, 0, 0, 5};
}

void tst_Calculation::results()
{
    QFETCH(QStringList, inputs);
    QFETCH(QString, risultato);
    QFETCH(QString, radice);
    QFETCH(QString, finale);
    QFETCH(FormIntegers, integers);

    t->enterInputs(inputs[0], inputs[1], inputs[2], inputs[3]);
    const auto seen = answerNextMessageBox();
    t->click("cmdCalcolo");

    QCOMPARE(seen->count, 0);
    QCOMPARE(t->text("txtRisultato"), risultato);
    QCOMPARE(t->text("txtRadiceQuadrara"), radice);
    QCOMPARE(t->text("txtRisultatoFinale"), finale);
    QCOMPARE(t->form.formIntegers(), integers);
}

// A failure after a figure empties the boxes it reaches, and a box that
// holds no number keeps the integer the last click left.
void tst_Calculation::failureAfterSuccessShowsNothing_data()
{
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QString>("risultato");
    QTest::addColumn<QString>("radice");
    QTest::addColumn<FormIntegers>("integers");

    QTest::newRow("not a number") << QStringList{"6", "10", "uno", "20"} << ""
                                  << "0" << FormIntegers{6, 10, 1, 20};
    QTest::newRow("product") << QStringList{"200", "100", "10", "200"} << ""
                             << "0" << FormIntegers{200, 100, 10, 200};
    QTest::newRow("negative product") << QStringList{"6", "10", "1", "-20"} << "-340"
                                      << "" << FormIntegers{6, 10, 1, -20};
}

void tst_Calculation::failureAfterSuccessShowsNothing()
{
    QFETCH(QStringList, inputs);
    QFETCH(QString, risultato);
    QFETCH(QString, radice);
    QFETCH(FormIntegers, integers);

    t->enterInputs("6", "10", "1", "20");
    t->click("cmdCalcolo");
    QCOMPARE(t->text("txtRisultatoFinale"), "8,62298569829157");

    t->enterInputs(inputs[0], inputs[1], inputs[2], inputs[3]);
    t->click("cmdCalcolo");
    QCOMPARE(t->text("txtRisultato"), risultato);
    QCOMPARE(t->text("txtRadiceQuadrara"), radice);
    QCOMPARE(t->text("txtRisultatoFinale"), QString());
    QCOMPARE(t->form.formIntegers(), integers);
}

void tst_Calculation::allEmptyWarns()
{
    t->enterInputs("6", "10", "1", "20");
    t->click("cmdCalcolo");
    t->enterInputs("", "", "", "");
    t->type("txtRisultatoFinale", "typed by the user");
    const FormIntegers before = t->form.formIntegers();

    const auto seen = answerNextMessageBox();
    t->click("cmdCalcolo");

    QVERIFY(seen->waitForAnswer());
    QCOMPARE(seen->count, 1);
    QCOMPARE(seen->title, "Attenzione");
    QCOMPARE(seen->text, "Inserire i dati per effettuare il calcolo");
    QCOMPARE(seen->icon, QMessageBox::Critical);
    QCOMPARE(seen->buttons, 1);
    QTRY_COMPARE(t->focused(), "txtMassaBraccio");
    QCOMPARE(t->text("txtRisultato"), "340");
    QCOMPARE(t->text("txtRadiceQuadrara"), "18,4390889145858");
    QCOMPARE(t->text("txtRisultatoFinale"), "typed by the user");
    QCOMPARE(t->form.formIntegers(), before);
}

void tst_Calculation::blanksAreNotEmpty()
{
    t->enterInputs("", " ", "", "");
    const auto seen = answerNextMessageBox();
    t->click("cmdCalcolo");
    QCOMPARE(seen->count, 0);
    QCOMPARE(t->text("txtRisultato"), QString());
    QCOMPARE(t->text("txtRisultatoFinale"), QString());
}

void tst_Calculation::calculationKeepsTheFocus()
{
    t->enterInputs("6", "10", "1", "20");
    t->box("txtCedevolezza")->setFocus();
    QTest::keyClick(t->box("txtCedevolezza"), Qt::Key_Tab);
    QCOMPARE(t->focused(), "cmdCalcolo");
    QTest::keyClick(t->control("cmdCalcolo"), Qt::Key_Space);
    QCOMPARE(t->text("txtRisultatoFinale"), "8,62298569829157");
    QCOMPARE(t->focused(), "cmdCalcolo");
}

QTEST_MAIN(tst_Calculation)
#include "tst_calculation.moc"
