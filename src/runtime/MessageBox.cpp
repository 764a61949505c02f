// SPDX-License-Identifier: MIT
#include "MessageBox.h"

#include "platform/Desktop.h"

#include <QApplication>
#include <QMessageBox>

#include <utility>
#include <vector>

namespace runtime {

namespace {

using Choice = std::pair<QMessageBox::StandardButton, MessageBoxAnswer>;

std::vector<Choice> choices(int buttons)
{
    using B = QMessageBox::StandardButton;
    using A = MessageBoxAnswer;
    switch (buttons) {
    case MessageBoxCode::OkCancel:
        return {{B::Ok, A::Ok}, {B::Cancel, A::Cancel}};
    case MessageBoxCode::AbortRetryIgnore:
        return {{B::Abort, A::Abort}, {B::Retry, A::Retry}, {B::Ignore, A::Ignore}};
    case MessageBoxCode::YesNoCancel:
        return {{B::Yes, A::Yes}, {B::No, A::No}, {B::Cancel, A::Cancel}};
    case MessageBoxCode::YesNo:
        return {{B::Yes, A::Yes}, {B::No, A::No}};
    case MessageBoxCode::RetryCancel:
        return {{B::Retry, A::Retry}, {B::Cancel, A::Cancel}};
    default:
        return {{B::Ok, A::Ok}};
    }
}

QMessageBox::Icon icon(int code)
{
    switch (code & 0x70) {
    case MessageBoxCode::Critical:
        return QMessageBox::Critical;
    case MessageBoxCode::Question:
        return QMessageBox::Question;
    case MessageBoxCode::Exclamation:
        return QMessageBox::Warning;
    case MessageBoxCode::Information:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

MessageBoxAnswer answerOf(const QMessageBox &box, const std::vector<Choice> &buttons)
{
    for (const auto &[button, answer] : buttons) {
        if (box.clickedButton() == box.button(button))
            return answer;
    }
    // Closed by the window's close box or Esc: the escape button's answer.
    return buttons.size() == 1 ? buttons.front().second : MessageBoxAnswer::Cancel;
}

} // namespace

void messageBox(const QString &prompt, int code, const QString &title, QWidget *parent,
                std::function<void(MessageBoxAnswer)> answered)
{
    auto *box = new QMessageBox(icon(code), title, prompt, QMessageBox::NoButton,
                                parent ? parent : QApplication::activeWindow());
    auto buttons = choices(code & 0x7);
    for (const auto &[button, answer] : buttons)
        box->addButton(button);
    // Bits 8 and 9 pick the default button: the first, second or third.
    const std::size_t defaultIndex = std::size_t(code >> 8) & 0x3;
    box->setDefaultButton(buttons[defaultIndex < buttons.size() ? defaultIndex : 0].first);
    Desktop::showModal(box, [box, buttons = std::move(buttons), answered = std::move(answered)] {
        if (box->parentWidget())
            box->parentWidget()->window()->activateWindow();
        const MessageBoxAnswer answer = answerOf(*box, buttons);
        box->deleteLater();
        if (answered)
            answered(answer);
    });
}

} // namespace runtime
