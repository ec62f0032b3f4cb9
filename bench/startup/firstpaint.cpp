// Starts a program on the X display and reports, as one line on standard output,
//     <ms to the first map> <ms to the first paint> <CPU ms up to the first paint> <peak resident set in KiB>
// counted from just before the program is started. The processor time, summed over the program's
// threads, hardly depends on how busy the machine is, unlike the elapsed times. The first paint is the first drawing the X server
// sees in a window of the program (XDamage), so the program needs no instrumentation and a bare Qt
// window is measured exactly as the declaration is. The peak (VmHWM) is read once the program has
// been idle after its first paint for the settling time, then the program is ended.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace {

double nowMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

long vmHwmKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atol(line.c_str() + 6);
    }
    return -1;
}

// Processor time the process has run so far, over all its threads (the first field of schedstat, in ns).
double cpuMs(pid_t pid)
{
    double nanoseconds = 0;
    std::error_code error;
    for (const auto &thread : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
        std::ifstream schedstat(thread.path() / "schedstat");
        double onCpu = 0;
        if (schedstat >> onCpu)
            nanoseconds += onCpu;
    }
    return nanoseconds / 1e6;
}

// The process that owns a window, as Qt announces it in _NET_WM_PID; 0 when not (yet) announced.
pid_t windowPid(Display *display, Window window)
{
    const Atom netWmPid = XInternAtom(display, "_NET_WM_PID", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char *data = nullptr;
    pid_t pid = 0;
    if (XGetWindowProperty(display, window, netWmPid, 0, 1, False, XA_CARDINAL, &type, &format, &count, &remaining,
                           &data)
            == Success
        && data && format == 32 && count == 1)
        pid = pid_t(*reinterpret_cast<unsigned long *>(data));
    if (data)
        XFree(data);
    return pid;
}

int ignoreXErrors(Display *, XErrorEvent *)
{
    return 0; // windows of the program may be gone by the time they are asked about
}

// Waits for the next X event up to the deadline; false when the deadline passed first.
bool nextEvent(Display *display, XEvent &event, double deadlineMs)
{
    while (!XPending(display)) {
        const double left = deadlineMs - nowMs();
        if (left <= 0)
            return false;
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, int(left) + 1);
    }
    XNextEvent(display, &event);
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s SETTLE_MS PROGRAM [ARGUMENT...]\n", argv[0]);
        return 2;
    }
    const double settleMs = std::atof(argv[1]);
    constexpr double timeoutMs = 30000;

    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "cannot open the display\n");
        return 1;
    }
    int damageEvent = 0;
    int damageError = 0;
    if (!XDamageQueryExtension(display, &damageEvent, &damageError)) {
        std::fprintf(stderr, "the X server has no DAMAGE extension\n");
        return 1;
    }
    XSetErrorHandler(ignoreXErrors);
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const double start = nowMs();
    const pid_t child = fork();
    if (child == 0) {
        close(ConnectionNumber(display));
        execvp(argv[2], argv + 2);
        std::perror(argv[2]);
        _exit(127);
    }

    std::map<Window, pid_t> owners; // top-level windows seen, with their owner once known
    const auto ownedByChild = [&](Window window) {
        pid_t &owner = owners[window];
        if (owner == 0)
            owner = windowPid(display, window);
        return owner == child;
    };
    double mappedAt = -1;
    double paintedAt = -1;
    double cpuAtPaint = -1;
    double deadline = start + timeoutMs;
    XEvent event;
    while (nextEvent(display, event, deadline)) {
        if (event.type == CreateNotify && event.xcreatewindow.parent == root) {
            // Watch every new top-level window; whose it is shows once it has its properties.
            const Window window = event.xcreatewindow.window;
            XSelectInput(display, window, StructureNotifyMask);
            XDamageCreate(display, window, XDamageReportNonEmpty);
            owners.emplace(window, 0);
        } else if (event.type == MapNotify && event.xmap.event == event.xmap.window && mappedAt < 0
                   && ownedByChild(event.xmap.window)) {
            mappedAt = nowMs() - start;
        } else if (event.type == damageEvent + XDamageNotify && paintedAt < 0) {
            const auto &damage = reinterpret_cast<const XDamageNotifyEvent &>(event);
            if (ownedByChild(damage.drawable)) {
                paintedAt = nowMs() - start;
                cpuAtPaint = cpuMs(child);
                deadline = nowMs() + settleMs;
            }
        }
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            std::fprintf(stderr, "the program ended before it painted\n");
            return 1;
        }
    }

    const long peak = vmHwmKiB(child);
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);
    if (paintedAt < 0) {
        std::fprintf(stderr, "no paint within %.0f ms\n", timeoutMs);
        return 1;
    }
    // A figure that was not measured must not be printed as one (-1 would pass as a time).
    if (mappedAt < 0 || peak < 0) {
        std::fprintf(stderr, "the %s was not seen\n", mappedAt < 0 ? "map of the program's window" : "peak memory");
        return 1;
    }
    std::printf("%.1f %.1f %.1f %ld\n", mappedAt, paintedAt, cpuAtPaint, peak);
    return 0;
}
