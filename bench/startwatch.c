// SPDX-License-Identifier: MIT
/* Times a program's start under X: from exec to its top-level window being
 * mapped, and to the end of the first drawing into it (the first burst of
 * XDamage reports), then reads its memory one second after the map.
 *
 * Usage: startwatch COMMAND [ARG...]
 * Prints: map_ms paint_ms rss_kib pss_kib
 * Needs a window manager that reparents its clients: a client is a window
 * created on the root and then reparented away from it. */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#define MAX_WINDOWS 256
#define BURST_GAP_MS 50.0 /* damage this close together is one drawing */
#define TIMEOUT_MS 20000.0

static double now_ms(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

/* Windows that take no damage (input-only ones) answer XDamageCreate with
 * BadMatch, and windows may vanish before we look at them: neither matters. */
static int ignore_errors(Display *display, XErrorEvent *error)
{
    (void)display;
    (void)error;
    return 0;
}

static long smaps_field(pid_t pid, const char *field)
{
    char path[64], line[256];
    long value = -1;
    snprintf(path, sizeof path, "/proc/%d/smaps_rollup", (int)pid);
    FILE *f = fopen(path, "r");
    if (!f)
        return -1;
    size_t n = strlen(field);
    while (fgets(line, sizeof line, f))
        if (strncmp(line, field, n) == 0 && line[n] == ':')
            value = strtol(line + n + 1, NULL, 10);
    fclose(f);
    return value;
}

int main(int argc, char **argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: startwatch COMMAND [ARG...]\n");
        return 2;
    }
    Display *display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "startwatch: no display\n");
        return 2;
    }
    int damage_event, damage_error;
    if (!XDamageQueryExtension(display, &damage_event, &damage_error)) {
        fprintf(stderr, "startwatch: no DAMAGE extension\n");
        return 2;
    }
    XSetErrorHandler(ignore_errors);
    Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    Window created[MAX_WINDOWS];
    int created_count = 0;
    Window client = None;
    double start = now_ms(), mapped = -1, painted = -1, last_damage = -1;

    pid_t pid = fork();
    if (pid == 0) {
        /* The program's chatter is not ours to print. */
        int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execvp(argv[1], argv + 1);
        _exit(127);
    }

    int fd = ConnectionNumber(display);
    for (;;) {
        double t = now_ms();
        if (t - start > TIMEOUT_MS)
            break;
        if (last_damage >= 0 && t - last_damage > BURST_GAP_MS) {
            painted = last_damage;
            break;
        }
        if (!XPending(display)) {
            fd_set fds;
            FD_ZERO(&fds);
            FD_SET(fd, &fds);
            struct timeval wait = {0, 5000};
            select(fd + 1, &fds, NULL, NULL, &wait);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        t = now_ms();
        if (event.type == CreateNotify && event.xcreatewindow.parent == root
            && !event.xcreatewindow.override_redirect && created_count < MAX_WINDOWS) {
            Window w = event.xcreatewindow.window;
            created[created_count++] = w;
            XSelectInput(display, w, StructureNotifyMask);
            XDamageCreate(display, w, XDamageReportNonEmpty);
        } else if (event.type == ReparentNotify && client == None) {
            for (int i = 0; i < created_count; ++i)
                if (created[i] == event.xreparent.window && event.xreparent.parent != root)
                    client = event.xreparent.window;
        } else if (event.type == MapNotify && event.xmap.window == client && mapped < 0) {
            mapped = t;
        } else if (event.type == damage_event + XDamageNotify) {
            XDamageNotifyEvent *damage = (XDamageNotifyEvent *)&event;
            XDamageSubtract(display, damage->damage, None, None);
            if (damage->drawable == client && mapped >= 0)
                last_damage = t;
        }
    }

    long rss = -1, pss = -1;
    if (mapped >= 0) {
        double wake = mapped + 1000.0 - now_ms();
        if (wake > 0)
            usleep((useconds_t)(wake * 1000));
        rss = smaps_field(pid, "Rss");
        pss = smaps_field(pid, "Pss");
    }
    kill(pid, SIGTERM);
    waitpid(pid, NULL, 0);
    if (mapped < 0 || painted < 0) {
        fprintf(stderr, "startwatch: %s: no window mapped and painted\n", argv[1]);
        return 1;
    }
    printf("%.1f %.1f %ld %ld\n", mapped - start, painted - start, rss, pss);
    return 0;
}
