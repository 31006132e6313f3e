/* first_window TITLE PROGRAM [ARGS...]: starts PROGRAM and prints the milliseconds from exec to
 * the moment a top-level window whose title contains TITLE is mapped on $DISPLAY; then ends the
 * program. Exits 1 when no such window shows within 10 seconds. */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

/* The title may sit on the window itself or, with some toolkits, on a child of a frame. */
static int has_title(Display* d, Window w, const char* title) {
    char* name = NULL;
    int found = 0;
    if (XFetchName(d, w, &name) && name) {
        found = strstr(name, title) != NULL;
        XFree(name);
    }
    return found;
}

int main(int argc, char** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: first_window TITLE PROGRAM [ARGS...]\n");
        return 2;
    }
    Display* d = XOpenDisplay(NULL);
    if (!d) {
        fprintf(stderr, "first_window: no display\n");
        return 2;
    }
    Window root = DefaultRootWindow(d);
    XSelectInput(d, root, SubstructureNotifyMask);
    XSync(d, False);
    double start = now_ms();
    pid_t pid = fork();
    if (pid == 0) {
        /* the program's own log must not mix with the figure */
        if (!freopen("/dev/null", "w", stdout) || !freopen("/dev/null", "w", stderr)) _exit(127);
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    int result = 1;
    while (now_ms() - start < 10000) {
        while (XPending(d)) {
            XEvent e;
            XNextEvent(d, &e);
            if (e.type == MapNotify && has_title(d, e.xmap.window, argv[1])) {
                printf("%.1f\n", now_ms() - start);
                result = 0;
                goto done;
            }
        }
        struct pollfd p = {ConnectionNumber(d), POLLIN, 0};
        poll(&p, 1, 5);
    }
done:
    kill(pid, SIGTERM);
    waitpid(pid, NULL, 0);
    XCloseDisplay(d);
    return result;
}
