// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArrayList>
#include <QString>

// The messages Qt gives while it opens its windowing system, held back for
// as long as an object of this class lives: where Qt cannot open a window,
// they give way to one line of ours that says why, with Qt's own first word
// on it where it is not a missing plugin, and the process ends with
// status 1; where it can, they are passed on as they came, when the object
// goes. Messages that come after, from any thread, go straight on.
class StartupMessages
{
public:
    // platforms: what Qt is asked to try, in order; cannotOpen: what to say
    // when the platform is there but opens no window.
    StartupMessages(const QByteArrayList &platforms, const QString &cannotOpen);
    ~StartupMessages();

    StartupMessages(const StartupMessages &) = delete;
    StartupMessages &operator=(const StartupMessages &) = delete;

    // The line for a platform whose plugin is missing or cannot be loaded,
    // naming the Debian package that brings it; empty when it loads, or when
    // the platform is not one Ardivo knows.
    static QString pluginProblem(const QByteArray &platform);

    // Says a line to the user where they will see it.
    static void tell(const QString &line);
};
