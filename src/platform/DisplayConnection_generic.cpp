// SPDX-License-Identifier: MIT
// Without X11 there is no display to connect to.
#include "platform/DisplayConnection.h"

DisplayConnection::~DisplayConnection() = default;

xcb_connection_t *DisplayConnection::get()
{
    return nullptr;
}

void DisplayConnection::close() {}
