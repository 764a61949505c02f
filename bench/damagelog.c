/* SPDX-License-Identifier: MIT
 * Watches a window from outside, as the X server sees it: prints the wall-clock
 * time, in microseconds, of every change to its pixels (XDamage) for a while.
 * The idle benchmark reads from it how long after each second boundary a
 * clock's new text reached the screen.
 *
 * Usage: damagelog WINDOW_ID SECONDS */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/select.h>
#include <time.h>

static long long now_us(void)
{
    struct timespec t;
    clock_gettime(CLOCK_REALTIME, &t);
    return t.tv_sec * 1000000LL + t.tv_nsec / 1000;
}

int main(int argc, char **argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: damagelog WINDOW_ID SECONDS\n");
        return 2;
    }
    Window window = (Window)strtoul(argv[1], NULL, 0);
    long long end = now_us() + (long long)(atof(argv[2]) * 1e6);
    Display *display = XOpenDisplay(NULL);
    int damage_event, damage_error;
    if (!display || !XDamageQueryExtension(display, &damage_event, &damage_error)) {
        fprintf(stderr, "damagelog: no display with the DAMAGE extension\n");
        return 2;
    }
    setvbuf(stdout, NULL, _IOLBF, 0);
    Damage damage = XDamageCreate(display, window, XDamageReportNonEmpty);
    XSync(display, False);
    /* A new damage object first reports the whole window: that is no change. */
    while (XPending(display)) {
        XEvent event;
        XNextEvent(display, &event);
    }
    XDamageSubtract(display, damage, None, None);

    int fd = ConnectionNumber(display);
    for (long long t = now_us(); t < end; t = now_us()) {
        if (!XPending(display)) {
            fd_set fds;
            FD_ZERO(&fds);
            FD_SET(fd, &fds);
            struct timeval wait = {0, 100000};
            select(fd + 1, &fds, NULL, NULL, &wait);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == damage_event + XDamageNotify) {
            printf("%lld\n", t);
            XDamageSubtract(display, damage, None, None);
        }
    }
    XCloseDisplay(display);
    return 0;
}
