// SPDX-License-Identifier: MIT
#include "form/frmCalcoloArdivo.h"

#include <QLineEdit>

void frmCalcoloArdivo::cdmAzzeraCampi_Click()
{
    txtCedevolezza->clear();
    txtMassaBraccio->clear();
    txtPesoTestina->clear();
    txtPesoViti->clear();
    txtRadiceQuadrara->clear();
    txtRisultato->clear();
    txtRisultatoFinale->clear();
    txtMassaBraccio->setFocus();
}
