// SPDX-License-Identifier: MIT
#include "form/CommandButton.h"

#include <QKeyEvent>

CommandButton::CommandButton(const QString &caption, QWidget *parent)
    : QToolButton(parent)
{
    setText(caption);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setFocusPolicy(Qt::StrongFocus);
}

void CommandButton::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        click();
        return;
    }
    QToolButton::keyPressEvent(event);
}
