// SPDX-License-Identifier: MIT
#include "form/frmCalcoloArdivo.h"

#include "calc/Calculation.h"
#include "runtime/MessageBox.h"

#include <QLineEdit>

namespace {

// A box shows a value put into it from its first character: where the figure
// is wider than the box, its last digits are the ones that fall outside.
void putText(QLineEdit *box, const QString &text)
{
    box->setText(text);
    box->setCursorPosition(0);
}

} // namespace

void frmCalcoloArdivo::cmdCalcolo_Click()
{
    if (txtPesoTestina->text().isEmpty() && txtPesoViti->text().isEmpty() &&
        txtCedevolezza->text().isEmpty() && txtMassaBraccio->text().isEmpty()) {
        runtime::messageBox(QStringLiteral("Inserire i dati per effettuare il calcolo"),
                            runtime::MessageBoxCode::OkOnly | runtime::MessageBoxCode::Critical,
                            QStringLiteral("Attenzione"), this,
                            [this](runtime::MessageBoxAnswer) { txtMassaBraccio->setFocus(); });
        return;
    }

    const Calculation result = calculate(
        {txtPesoTestina->text(), txtMassaBraccio->text(), txtPesoViti->text(), txtCedevolezza->text()},
        m_integers);
    m_integers = result.integers;
    putText(txtRisultato, result.risultato);
    putText(txtRadiceQuadrara, result.radiceQuadrara);
    putText(txtRisultatoFinale, result.risultatoFinale);
}
