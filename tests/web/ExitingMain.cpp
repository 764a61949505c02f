// SPDX-License-Identifier: MIT
// A test's main() that has waited for the browser (asyncify) is resumed by
// the browser's loop, and what it returns reaches no one. Its status ends the
// page's program instead, even with the window's timers still pending.
#include <emscripten.h>

int ardivoTestMain(int argc, char **argv);

int main(int argc, char **argv)
{
    emscripten_force_exit(ardivoTestMain(argc, argv));
}
