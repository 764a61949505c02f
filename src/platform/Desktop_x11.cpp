// SPDX-License-Identifier: MIT
// The desktop where X11 and fontconfig are there to use.
#include "platform/Desktop.h"

#include "platform/XcbAtom.h"

#include <QGuiApplication>
#include <QWidget>

#include <fontconfig/fontconfig.h>
#include <xcb/xcb.h>

void Desktop::warmUpFonts()
{
    FcInit();
}

void Desktop::keepOutOfTaskbar(QWidget *window)
{
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return;
    // On a window not yet mapped the state is a plain property, which Qt merges
    // with its own states when it maps the window.
    const xcb_atom_t state = internAtom(connection, "_NET_WM_STATE", false);
    const xcb_atom_t skipTaskbar = internAtom(connection, "_NET_WM_STATE_SKIP_TASKBAR", false);
    if (state == XCB_ATOM_NONE || skipTaskbar == XCB_ATOM_NONE)
        return;
    xcb_change_property(connection, XCB_PROP_MODE_APPEND, xcb_window_t(window->winId()), state, XCB_ATOM_ATOM,
                        32, 1, &skipTaskbar);
    xcb_flush(connection);
}

namespace {

// With shared memory, Qt waits for the X server to finish reading the
// clock's pixels before it paints them again: a round trip, and two more
// wake-ups, every second. A window this small goes as cheaply through the
// socket. Set before main(), so before Qt connects, unless the user has
// chosen.
void sendPixelsThroughSocket()
{
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
}

} // namespace

Q_CONSTRUCTOR_FUNCTION(sendPixelsThroughSocket)
