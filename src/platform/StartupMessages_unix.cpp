// SPDX-License-Identifier: MIT
// Start-up failures on Linux and other Unix systems: on standard error, and
// Qt's platform plugins as Debian's packages bring them.
#include "platform/StartupMessages.h"

#include <QDir>
#include <QLibraryInfo>

#include <dlfcn.h>

#include <cstdio>

void StartupMessages::tell(const QString &line)
{
    std::fprintf(stderr, "%s\n", qPrintable(line));
}

QString StartupMessages::pluginProblem(const QByteArray &platform)
{
    struct Support
    {
        QByteArray platform;
        QString what;
        QString package;
    };
    static const Support supports[] = {
        {"xcb", QStringLiteral("Qt's X11 support"), QStringLiteral("libqt6gui6")},
        {"wayland", QStringLiteral("Qt's Wayland support"), QStringLiteral("qt6-wayland")},
    };
    const Support *support = nullptr;
    for (const Support &s : supports) {
        if (s.platform == platform)
            support = &s;
    }
    if (!support)
        return {};

    const QDir directory(QLibraryInfo::path(QLibraryInfo::PluginsPath) + QLatin1String("/platforms"));
    const QString pattern = QLatin1String("libq") + QLatin1String(platform) + QLatin1String("*.so");
    const QStringList plugins = directory.entryList({pattern}, QDir::Files);
    if (plugins.isEmpty()) {
        return QStringLiteral("ardivo: %1 is not installed (no %2 in %3); install the package %4.")
            .arg(support->what, pattern, directory.path(), support->package);
    }
    QString reason;
    for (const QString &plugin : plugins) {
        if (void *handle =
                dlopen(QFile::encodeName(directory.filePath(plugin)).constData(), RTLD_LAZY | RTLD_LOCAL)) {
            dlclose(handle);
            return {};
        }
        if (reason.isEmpty())
            reason = QString::fromLocal8Bit(dlerror());
    }
    return QStringLiteral("ardivo: %1 cannot be loaded (%2); reinstall the package %3.")
        .arg(support->what, reason, support->package);
}
