// SPDX-License-Identifier: MIT
#include "platform/Desktop.h"

#include "platform/StartupMessages.h"

#include <QApplication>
#include <QList>

#include <cstdlib>

QString Desktop::cannotOpenChosen(const QByteArray &platform)
{
    return QStringLiteral("ardivo: cannot open the window on Qt's platform \"%1\", which QT_QPA_PLATFORM "
                          "names; unset it to let Ardivo choose.")
        .arg(QString::fromLocal8Bit(platform));
}

Desktop::~Desktop()
{
    if (m_fontWarmUp.joinable())
        m_fontWarmUp.join();
}

std::unique_ptr<QApplication> Desktop::openApplication(const char *programName)
{
    if (m_noDisplay) {
        StartupMessages::tell(m_cannotOpen);
        std::exit(1);
    }
    QList<const char *> arguments{programName};
    if (!m_platform.isEmpty())
        arguments << "-platform" << m_platform.constData();
    m_argc = int(arguments.size());
    m_argv = std::make_unique<char *[]>(arguments.size() + 1);
    for (qsizetype i = 0; i < arguments.size(); ++i)
        m_argv[i] = const_cast<char *>(arguments[i]);

    std::unique_ptr<QApplication> application;
    {
        const QByteArray platforms = m_platform.isEmpty() ? qgetenv("QT_QPA_PLATFORM") : m_platform;
        const StartupMessages held(platforms.split(';'), m_cannotOpen);
        application = std::make_unique<QApplication>(m_argc, m_argv.get());
    }
    m_display.close();
    readyApplication();

    if (m_fontWarmUp.joinable())
        m_fontWarmUp.join();
    return application;
}
