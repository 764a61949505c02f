// SPDX-License-Identifier: MIT
#include "DateTime.h"

namespace runtime {

namespace {

// The locale's long time format, which has the seconds, less the time zone
// name that it carries in most locales.
QString timeFormat(const QLocale &locale)
{
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(u't');
    return format.trimmed();
}

struct SystemFormats
{
    QLocale locale = QLocale::system();
    QString date = locale.dateFormat(QLocale::ShortFormat);
    QString time = timeFormat(locale);
};

// Read once: the clock formats a time every second.
const SystemFormats &systemFormats()
{
    static const SystemFormats formats;
    return formats;
}

} // namespace

QString dateText(QDate date)
{
    const SystemFormats &formats = systemFormats();
    return formats.locale.toString(date, formats.date);
}

QString dateText(QDate date, const QLocale &locale)
{
    return locale.toString(date, QLocale::ShortFormat);
}

QString timeText(QTime time)
{
    const SystemFormats &formats = systemFormats();
    return formats.locale.toString(time, formats.time);
}

QString timeText(QTime time, const QLocale &locale)
{
    return locale.toString(time, timeFormat(locale));
}

} // namespace runtime
