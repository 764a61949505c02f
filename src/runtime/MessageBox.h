// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace runtime {

// Buttons-and-icon codes of the message box, to be added together.
namespace MessageBoxCode {
constexpr int OkOnly = 0;
constexpr int OkCancel = 1;
constexpr int AbortRetryIgnore = 2;
constexpr int YesNoCancel = 3;
constexpr int YesNo = 4;
constexpr int RetryCancel = 5;
constexpr int Critical = 16;
constexpr int Question = 32;
constexpr int Exclamation = 48;
constexpr int Information = 64;
} // namespace MessageBoxCode

// What the user answered.
enum class MessageBoxAnswer : int { Ok = 1, Cancel, Abort, Retry, Ignore, Yes, No };

// Shows a modal message box for `code`; `answered` is given the user's answer
// once it is dismissed: before this returns, except where the platform cannot
// wait for it (the browser).
void messageBox(const QString &prompt, int code, const QString &title, QWidget *parent,
                std::function<void(MessageBoxAnswer)> answered = {});

} // namespace runtime
