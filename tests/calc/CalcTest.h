// SPDX-License-Identifier: MIT
#pragma once

#include "calc/Calculation.h"

#include <QTest>

Q_DECLARE_METATYPE(FormIntegers)
Q_DECLARE_METATYPE(runtime::ErrorNumber)

inline char *toString(const FormIntegers &i)
{
    return QTest::toString(QStringLiteral("{%1, %2, %3, %4}")
                               .arg(i.intPesoTestina)
                               .arg(i.intMassaBraccio)
                               .arg(i.intPesoViti)
                               .arg(i.intCedevolezza));
}
