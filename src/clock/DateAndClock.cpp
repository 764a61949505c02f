// SPDX-License-Identifier: MIT
#include "form/frmCalcoloArdivo.h"

#include "runtime/DateTime.h"

#include <QLabel>

void frmCalcoloArdivo::Form_Load()
{
    const QDateTime now = m_clock();
    m_dateShown = now.date();
    setCaption(lblData, runtime::dateText(m_dateShown));
    setCaption(lblTime, runtime::timeText(now.time()));
}

void frmCalcoloArdivo::tmTempo_Timer()
{
    const QDateTime now = m_clock();
    // A window left open past midnight must not show yesterday's date beside
    // today's time.
    if (now.date() != m_dateShown) {
        m_dateShown = now.date();
        setCaption(lblData, runtime::dateText(m_dateShown));
    }
    setCaption(lblTime, runtime::timeText(now.time()));
}
