// SPDX-License-Identifier: MIT
#include "platform/SessionBus.h"

#include <QByteArrayList>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>

namespace {

constexpr quint32 stringAtom = 31; // XA_STRING, the same on every X server

// The bytes D-Bus lets stand unescaped in an address's values.
bool isPlain(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-' ||
           c == '_' || c == '/' || c == '.' || c == '\\' || c == '*';
}

bool isHexDigit(char c)
{
    return std::isxdigit(static_cast<unsigned char>(c));
}

bool isEscapedValue(QByteArrayView value)
{
    if (value.isEmpty())
        return false;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == '%') {
            if (i + 2 >= value.size() || !isHexDigit(value[i + 1]) || !isHexDigit(value[i + 2]))
                return false;
            i += 2;
        } else if (!isPlain(value[i])) {
            return false;
        }
    }
    return true;
}

bool isGuid(QByteArrayView value)
{
    return value.size() == 32 && std::all_of(value.begin(), value.end(), isHexDigit);
}

// One unix: entry that a client connects with: a path or an abstract name,
// and at most a guid; the listening keys (dir, tmpdir, runtime) have no place.
bool isSocketEntry(QByteArrayView entry)
{
    constexpr QByteArrayView prefix = "unix:";
    if (!entry.startsWith(prefix))
        return false;
    int sockets = 0, guids = 0;
    for (const QByteArray &pair : entry.sliced(prefix.size()).toByteArray().split(',')) {
        const qsizetype equals = pair.indexOf('=');
        if (equals <= 0)
            return false;
        const QByteArrayView key = QByteArrayView(pair).first(equals),
                             value = QByteArrayView(pair).sliced(equals + 1);
        if (key == "path" || key == "abstract") {
            if (!isEscapedValue(value))
                return false;
            ++sockets;
        } else if (key == "guid") {
            if (!isGuid(value))
                return false;
            ++guids;
        } else {
            return false;
        }
    }
    return sockets == 1 && guids <= 1;
}

} // namespace

QByteArray SessionBus::address(const QByteArray &environment, const QByteArray &runtimeDirectory,
                               DisplayConnection *display)
{
    const QByteArray none = "disabled:";
    if (!environment.isEmpty())
        return isSocketAddress(environment) ? environment : none;
    if (const QByteArray bus = runtimeBus(runtimeDirectory); !bus.isEmpty())
        return bus;
    if (display) {
        if (const QByteArray published = publishedOnDisplay(*display); !published.isEmpty())
            return published;
    }
    return none;
}

bool SessionBus::isSocketAddress(QByteArrayView address)
{
    if (address.isEmpty())
        return false;
    for (const QByteArray &entry : address.toByteArray().split(';')) {
        if (!isSocketEntry(entry))
            return false;
    }
    return true;
}

QByteArray SessionBus::runtimeBus(const QByteArray &runtimeDirectory)
{
    if (runtimeDirectory.isEmpty())
        return {};
    const QByteArray path = runtimeDirectory + "/bus";
    struct stat status;
    if (::lstat(path.constData(), &status) != 0 || !S_ISSOCK(status.st_mode) || status.st_uid != ::getuid())
        return {};
    // Percent-encoding leaves letters, digits and "-._~" as they are; D-Bus
    // lets "/\\*" stand too, but not "~".
    return "unix:path=" + path.toPercentEncoding("/\\*", "~");
}

QByteArray SessionBus::publishedAddress(quint32 type, quint8 format, quint32 bytesAfter, QByteArrayView value)
{
    if (type != stringAtom || format != 8 || bytesAfter != 0 || !isSocketAddress(value))
        return {};
    return value.toByteArray();
}
