// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QByteArrayView>

class DisplayConnection;

// The session bus Ardivo joins, found as libdbus finds it, but never by a
// way that could start a program: libdbus runs the program an address of the
// form unixexec: names, and with autolaunch:, or with no address at all, it
// starts a bus of its own that outlives Ardivo. Every address, from the
// environment or from the X display, is taken only when it names nothing but
// Unix sockets to connect to; where none is found, Ardivo runs without a bus
// ("disabled:"). Screen readers need a bus, so where one runs, there is one
// to find.
class SessionBus
{
public:
    // The address for libdbus: the environment's, the user's bus in the
    // runtime directory, or the bus dbus-launch published on the X display,
    // in that order, or "disabled:". The X display is looked at only when a
    // connection to it is given.
    static QByteArray address(const QByteArray &environment, const QByteArray &runtimeDirectory,
                              DisplayConnection *display);

    // Whether an address names only Unix sockets: one or more unix: entries,
    // each with a path or an abstract name and at most a guid, every value
    // in D-Bus's escaped form.
    static bool isSocketAddress(QByteArrayView address);

    // The user's bus in a runtime directory, as libdbus takes it: a socket
    // named bus that lstat finds and that belongs to the user. Empty when
    // there is none, or no runtime directory.
    static QByteArray runtimeBus(const QByteArray &runtimeDirectory);

    // The address dbus-launch publishes as a window property, from that
    // property's type, format, unread remainder and value: a complete 8-bit
    // STRING that names a socket, or nothing.
    static QByteArray publishedAddress(quint32 type, quint8 format, quint32 bytesAfter, QByteArrayView value);

private:
    // The address published on the X display for this user and machine.
    static QByteArray publishedOnDisplay(DisplayConnection &display);
};
