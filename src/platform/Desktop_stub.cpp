// SPDX-License-Identifier: MIT
// What a desktop does not have, done as nothing, written once; the build says
// which of these its platform lacks.
#include "platform/Desktop.h"

#include <QDialog>

#ifdef ARDIVO_NO_FONT_WARM_UP
// No fontconfig to load ahead of the first text.
void Desktop::warmUpFonts() {}
#endif

#ifdef ARDIVO_NO_TASKBAR_HINT
// No hint the windowing system takes to keep a window off the task bar.
void Desktop::keepOutOfTaskbar(QWidget *) {}
#endif

#ifdef ARDIVO_NO_APPLICATION_SET_UP
// Nothing to add to the application once it exists.
void Desktop::readyApplication() {}
#endif

#ifndef ARDIVO_NO_NESTED_LOOP
void Desktop::showModal(QDialog *dialog, std::function<void()> dismissed)
{
    dialog->exec();
    dismissed();
}
#endif

#ifndef ARDIVO_NO_THREADS
std::launch Desktop::backgroundLaunch()
{
    return std::launch::async;
}
#endif
