/* Starts a program and prints the milliseconds until it maps a top-level window with the given title, then
 * ends it, and the CPU milliseconds it used. Used by scripts/startup-bench: the X server reports the mapping as
 * it happens, so no poll delays it.
 *   window-time TITLE PROGRAM [ARGUMENT...] */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

/* Whether the window's title (the UTF-8 one, else the plain one) is `title`. */
static int has_title(Display* display, Window window, const char* title)
{
    Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom names[2] = {XInternAtom(display, "_NET_WM_NAME", False), XA_WM_NAME};
    for (int i = 0; i < 2; ++i) {
        Atom type;
        int format;
        unsigned long count, after;
        unsigned char* value = NULL;
        if (XGetWindowProperty(display, window, names[i], 0, 1024, False, i == 0 ? utf8 : AnyPropertyType, &type,
                               &format, &count, &after, &value) == Success && value) {
            int same = strcmp((const char*)value, title) == 0;
            XFree(value);
            if (same)
                return 1;
        }
    }
    return 0;
}

int main(int argc, char* argv[])
{
    if (argc < 3) {
        fprintf(stderr, "usage: window-time TITLE PROGRAM [ARGUMENT...]\n");
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    if (!display)
        return 2;
    Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const double started = now_ms();
    pid_t child = fork();
    if (child == 0) {
        /* A group of its own, ended as a whole; its output would only hold up whoever reads ours. */
        setpgid(0, 0);
        freopen("/dev/null", "w", stdout);
        freopen("/dev/null", "w", stderr);
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    int found = 0;
    while (!found && now_ms() - started < 60000) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify) {
            found = has_title(display, event.xmap.window, argv[1]);
            /* Wine may name a window just after mapping it: watch the name, and look again in case it came
             * before the watch did. */
            if (!found) {
                XSelectInput(display, event.xmap.window, PropertyChangeMask);
                found = has_title(display, event.xmap.window, argv[1]);
            }
        } else if (event.type == PropertyNotify) {
            found = has_title(display, event.xproperty.window, argv[1]);
        }
    }
    const double elapsed = now_ms() - started;
    /* Under Wine the program outlives a polite request; nothing of it is needed any more. */
    kill(-child, SIGKILL);
    struct rusage usage;
    wait4(child, NULL, 0, &usage);
    if (!found)
        return 1;
    const double cpu = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
                       (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
    printf("%.0f %.0f\n", elapsed, cpu);
    return 0;
}
