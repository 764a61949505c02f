// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>

#include <xcb/xcb.h>

#include <cstdlib>

// The atom of a name on the X display, or XCB_ATOM_NONE; with onlyIfExists,
// none is made.
inline xcb_atom_t internAtom(xcb_connection_t *connection, const QByteArray &name, bool onlyIfExists)
{
    const auto cookie = xcb_intern_atom(connection, onlyIfExists, uint16_t(name.size()), name.constData());
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return result;
}
