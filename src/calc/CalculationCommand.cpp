// SPDX-License-Identifier: MIT
#include "form/frmCalcoloArdivo.h"

#include "runtime/Conversions.h"
#include "runtime/Int16.h"
#include "runtime/MessageBox.h"
#include "runtime/ResumeMode.h"

#include <QLineEdit>

using namespace runtime;

namespace {

// An empty box counts as 0; the case of all four empty is the warning's.
std::int16_t inputValue(const QString &text)
{
    return text.isEmpty() ? 0 : textToInteger(text);
}

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
    ResumeMode resume;

    if (txtPesoTestina->text().isEmpty() && txtPesoViti->text().isEmpty() &&
        txtCedevolezza->text().isEmpty() && txtMassaBraccio->text().isEmpty()) {
        messageBox(QStringLiteral("Inserire i dati per effettuare il calcolo"),
                   MessageBoxCode::OkOnly | MessageBoxCode::Critical, QStringLiteral("Attenzione"), this);
        txtMassaBraccio->setFocus();
        return;
    }

    // Every click reads all four boxes afresh, and a box that holds no whole
    // number fails the calculation: the figure shown always belongs to the
    // inputs on screen, never to an earlier click.
    ErrorNumber inputError = ErrorNumber::None;
    const auto convert = [&](const QLineEdit *box, std::int16_t &target) {
        if (const auto value = resume.evaluate([box] { return inputValue(box->text()); }))
            target = *value;
        else
            inputError = resume.lastError();
    };
    convert(txtPesoTestina, intPesoTestina);
    convert(txtMassaBraccio, intMassaBraccio);
    convert(txtPesoViti, intPesoViti);
    convert(txtCedevolezza, intCedevolezza);

    // Each step writes its box at its end: its result, or the empty text when
    // it failed, which the next step then reads.
    putText(txtRisultato, resume
                              .evaluate([&] {
                                  if (inputError != ErrorNumber::None)
                                      raiseError(inputError);
                                  const std::int16_t sum =
                                      checkedAdd(checkedAdd(intPesoTestina, intMassaBraccio), intPesoViti);
                                  return integerToText(checkedMultiply(sum, intCedevolezza));
                              })
                              .value_or(QString()));

    putText(txtRadiceQuadrara,
            resume.evaluate([&] { return floatToText(power(leadingNumber(txtRisultato->text()), 0.5)); })
                .value_or(QString()));

    putText(
        txtRisultatoFinale,
        resume.evaluate([&] { return floatToText(divide(159.0, textToFloat(txtRadiceQuadrara->text()))); })
            .value_or(QString()));
}
