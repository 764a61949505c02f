// SPDX-License-Identifier: MIT
#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

namespace runtime {

// Dates and times as text in the user's regional format: the short date, and
// the time of day with seconds.
QString dateText(QDate date);
QString dateText(QDate date, const QLocale &locale);
QString timeText(QTime time);
QString timeText(QTime time, const QLocale &locale);

} // namespace runtime
