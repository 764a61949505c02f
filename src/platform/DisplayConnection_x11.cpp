// SPDX-License-Identifier: MIT
#include "platform/DisplayConnection.h"

#include <xcb/xcb.h>

DisplayConnection::~DisplayConnection()
{
    close();
}

xcb_connection_t *DisplayConnection::get()
{
    if (!m_tried) {
        m_tried = true;
        m_connection = xcb_connect(nullptr, nullptr);
    }
    return m_connection && !xcb_connection_has_error(m_connection) ? m_connection : nullptr;
}

void DisplayConnection::close()
{
    // A connection that failed is still to be freed.
    if (m_connection)
        xcb_disconnect(m_connection);
    m_connection = nullptr;
}
