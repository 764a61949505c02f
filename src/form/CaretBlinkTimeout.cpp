// SPDX-License-Identifier: MIT
#include "form/CaretBlinkTimeout.h"

#include <QEvent>
#include <QGuiApplication>
#include <QStyleHints>

CaretBlinkTimeout::CaretBlinkTimeout(int idleMs, QObject *parent)
    : QObject(parent)
    , m_flashTime(QGuiApplication::styleHints()->cursorFlashTime())
{
    m_idle.setSingleShot(true);
    m_idle.setInterval(idleMs);
    connect(&m_idle, &QTimer::timeout, this, &CaretBlinkTimeout::stopBlinking);
    qApp->installEventFilter(this);
    m_idle.start();
}

CaretBlinkTimeout::~CaretBlinkTimeout()
{
    QGuiApplication::styleHints()->setCursorFlashTime(m_flashTime);
}

bool CaretBlinkTimeout::isBlinking() const
{
    return QGuiApplication::styleHints()->cursorFlashTime() != 0;
}

bool CaretBlinkTimeout::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::InputMethod:
    case QEvent::Wheel:
        if (!isBlinking())
            QGuiApplication::styleHints()->setCursorFlashTime(m_flashTime);
        m_idle.start();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void CaretBlinkTimeout::stopBlinking()
{
    // A flash time of 0 leaves the caret shown, steady.
    QGuiApplication::styleHints()->setCursorFlashTime(0);
}
