#pragma once

#include <cstdio>

// For the idle benchmark only: when ARDIVO_BENCH_TICK_LOG names a file, the
// wall-clock time of every tick, in microseconds, is appended to it, so that
// the benchmark can tell how long after each second boundary the clock
// changed. Without the variable nothing is opened and nothing is written.
namespace TickLog {

std::FILE *open();
void write(std::FILE *log);
void close(std::FILE *log);

} // namespace TickLog
