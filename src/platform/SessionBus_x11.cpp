// SPDX-License-Identifier: MIT
// The bus that dbus-launch published on the X display.
#include "platform/SessionBus.h"

#include "platform/DisplayConnection.h"
#include "platform/XcbAtom.h"

#include <QSysInfo>

#include <xcb/xcb.h>

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>

namespace {

template<typename Reply> using ReplyPointer = std::unique_ptr<Reply, decltype(&std::free)>;

template<typename Reply> ReplyPointer<Reply> owned(Reply *reply)
{
    return {reply, &std::free};
}

QByteArray published(xcb_connection_t *connection, const QByteArray &selectionName)
{
    const xcb_atom_t selection = internAtom(connection, selectionName, true);
    const xcb_atom_t property = internAtom(connection, "_DBUS_SESSION_BUS_ADDRESS", true);
    if (selection == XCB_ATOM_NONE || property == XCB_ATOM_NONE)
        return {};
    const auto owner = owned(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection), nullptr));
    if (!owner || owner->owner == XCB_WINDOW_NONE)
        return {};
    // At most 4 KiB; a longer value is left unread, and refused.
    const auto reply = owned(xcb_get_property_reply(
        connection, xcb_get_property(connection, false, owner->owner, property, XCB_ATOM_STRING, 0, 1024),
        nullptr));
    if (!reply)
        return {};
    // The value's length is the server's word; the reply holds what came.
    const int claimed = xcb_get_property_value_length(reply.get());
    if (claimed < 0 || std::size_t(claimed) > std::size_t(reply->length) * 4)
        return {};
    return SessionBus::publishedAddress(
        reply->type, reply->format, reply->bytes_after,
        QByteArrayView(static_cast<const char *>(xcb_get_property_value(reply.get())), claimed));
}

} // namespace

QByteArray SessionBus::publishedOnDisplay(DisplayConnection &display)
{
    // dbus-launch publishes a bus it started for a display as the owner of a
    // selection named after the user and the machine; the owner's window
    // holds the address.
    const passwd *user = getpwuid(getuid());
    const QByteArray machine = QSysInfo::machineUniqueId();
    if (!user || machine.isEmpty())
        return {};
    xcb_connection_t *connection = display.get();
    if (!connection)
        return {};
    return published(connection, "_DBUS_SESSION_BUS_SELECTION_" + QByteArray(user->pw_name) + '_' + machine);
}
