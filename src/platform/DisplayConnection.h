// SPDX-License-Identifier: MIT
#pragma once

struct xcb_connection_t;

// The program's own connection to the X display, for what it looks up there
// before Qt connects. It is held until Qt's connection is made: an X server
// with no client left resets itself, and a connection made meanwhile fails.
class DisplayConnection
{
public:
    DisplayConnection() = default;
    ~DisplayConnection();

    DisplayConnection(const DisplayConnection &) = delete;
    DisplayConnection &operator=(const DisplayConnection &) = delete;

    // The connection, made on first use; null where the display cannot be
    // reached, or there is no X11.
    xcb_connection_t *get();
    void close();

private:
    xcb_connection_t *m_connection = nullptr;
    bool m_tried = false;
};
