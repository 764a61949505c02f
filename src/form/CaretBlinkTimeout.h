// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QTimer>

// Stops the text caret blinking once the user has left the keyboard and the
// mouse alone for a while, and starts it again on the next key or click, as
// desktops do: a window sitting idle does not repaint twice a second for a
// caret that nobody is watching.
class CaretBlinkTimeout : public QObject
{
    Q_OBJECT

public:
    explicit CaretBlinkTimeout(int idleMs, QObject *parent = nullptr);
    ~CaretBlinkTimeout() override;

    bool isBlinking() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void stopBlinking();

    QTimer m_idle;
    int m_flashTime;
};
