// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

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

// Shows a modal message box for `code` and returns when it is dismissed.
MessageBoxAnswer messageBox(const QString &prompt, int code, const QString &title, QWidget *parent = nullptr);

} // namespace runtime
