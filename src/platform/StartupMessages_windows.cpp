// SPDX-License-Identifier: MIT
// Start-up failures on Windows: a program started from the Start menu has no
// console, so the line is shown in a message box too; Qt's Windows support
// is the plugin in Ardivo's own folder.
#include "platform/StartupMessages.h"

#include <QDir>
#include <QFileInfo>

#include <windows.h>

#include <cstdio>

void StartupMessages::tell(const QString &line)
{
    std::fprintf(stderr, "%s\n", qPrintable(line));
    MessageBoxW(nullptr, reinterpret_cast<const wchar_t *>(line.utf16()), L"Ardivo", MB_OK | MB_ICONERROR);
}

QString StartupMessages::pluginProblem(const QByteArray &platform)
{
    if (platform != "windows")
        return {};
    wchar_t program[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, program, MAX_PATH);
    if (length == 0 || length == MAX_PATH)
        return {};
    const QString plugin = QFileInfo(QString::fromWCharArray(program, length))
                               .dir()
                               .filePath(QStringLiteral("platforms/qwindows.dll"));
    const HMODULE module =
        LoadLibraryExW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(plugin).utf16()), nullptr,
                       LOAD_WITH_ALTERED_SEARCH_PATH);
    const DWORD error = GetLastError();
    if (module) {
        FreeLibrary(module);
        return {};
    }
    return QStringLiteral("ardivo: Qt's Windows support cannot be loaded (%1, error %2); reinstall Ardivo.")
        .arg(QDir::toNativeSeparators(plugin))
        .arg(error);
}
