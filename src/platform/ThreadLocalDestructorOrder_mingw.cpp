// SPDX-License-Identifier: MIT
// A mend for MinGW-w64's thread_local destructors, which ran on freed memory.
// The build links it into every Windows program that links the platform,
// whether or not the program calls anything of it.
namespace {

// MinGW-w64's GCC keeps thread_local variables in emulated TLS. When a thread
// ends, winpthreads runs its key destructors in the order the keys were
// made: the one that frees the thread's variables was made at the first use
// of any of them, and the one that runs their C++ destructors only later, so
// the destructors ran on freed memory (GCC bug 80816). Qt keeps such a
// variable for regular expressions, which its plugin look-up uses: the
// thread that decodes the pictures crashed as it ended. Registering a
// destructor before anything uses a thread_local makes the destructors' key
// first. This runs before main(), after the DLLs' own initialisers, which
// use none.
void nothing(void *) {}

} // namespace

// libstdc++'s, which Qt's DLLs use too; the C runtime linked into the program
// has one of its own.
extern "C" __declspec(dllimport) int __cxa_thread_atexit(void (*)(void *), void *, void *);

[[maybe_unused]] static const int destructorsBeforeStorage = __cxa_thread_atexit(nothing, nullptr, nullptr);
