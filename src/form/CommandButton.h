// SPDX-License-Identifier: MIT
#pragma once

#include <QToolButton>

// A graphical command button: its picture above its caption, a face of its own
// colour. It is never a default or cancel button; with the focus it answers
// Space, and Enter too, as a push button would.
class CommandButton : public QToolButton
{
    Q_OBJECT

public:
    explicit CommandButton(const QString &caption, QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
