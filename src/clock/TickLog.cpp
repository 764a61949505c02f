#include "clock/TickLog.h"

#include <QByteArray>
#include <QtGlobal>

#include <chrono>

namespace TickLog {

std::FILE *open()
{
    const QByteArray path = qgetenv("ARDIVO_BENCH_TICK_LOG");
    return path.isEmpty() ? nullptr : std::fopen(path.constData(), "a");
}

void write(std::FILE *log)
{
    if (!log)
        return;
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    std::fprintf(log, "%lld\n",
                 static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
    std::fflush(log);
}

void close(std::FILE *log)
{
    if (log)
        std::fclose(log);
}

} // namespace TickLog
