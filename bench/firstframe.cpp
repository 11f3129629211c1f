// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// Starts a program on the current X display and prints how long it took, from just before exec
// to the first frame the program painted into a top-level window, as the X server saw it: the
// first DAMAGE report on a mapped window that is a child of the root. It watches the root for
// new windows and puts a damage monitor on each as it is created, before it can be mapped or
// drawn. Qt creates its windows without a background, so the server itself paints nothing on
// map and the first damage is the program's own frame; -v logs every step to prove it.
//
// Usage: firstframe [-v] PROGRAM [ARGS...]
// Prints "PID MILLISECONDS DAMAGE-WxH WINDOW-WxH" once the frame is seen, then stays until the
// program ends, so that the caller can measure the program and stop it by its PID.
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <memory>

namespace {

constexpr int TimeoutMs = 30000;

double msBetween(const timespec &from, const timespec &to)
{
    return (to.tv_sec - from.tv_sec) * 1e3 + (to.tv_nsec - from.tv_nsec) / 1e6;
}

timespec now()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t;
}

struct Window {
    xcb_damage_damage_t damage = 0;
    bool mapped = false;
    int width = 0;
    int height = 0;
};

// Forks and execs the program; the child stamps the clock as its very last act before exec.
pid_t launch(char **argv, timespec &started)
{
    int stamp[2];
    if (pipe2(stamp, O_CLOEXEC) != 0)
        return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        close(stamp[0]);
        const timespec t = now();
        if (write(stamp[1], &t, sizeof t) != sizeof t)
            _exit(126);
        execvp(argv[0], argv);
        _exit(127);
    }
    close(stamp[1]);
    const bool stamped = pid > 0 && read(stamp[0], &started, sizeof started) == sizeof started;
    close(stamp[0]);
    return stamped ? pid : -1;
}

int stop(pid_t child, const char *why)
{
    std::fprintf(stderr, "firstframe: %s\n", why);
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    int first = 1;
    const bool verbose = argc > 1 && std::strcmp(argv[1], "-v") == 0;
    if (verbose)
        ++first;
    if (first >= argc) {
        std::fprintf(stderr, "usage: firstframe [-v] PROGRAM [ARGS...]\n");
        return 2;
    }

    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "firstframe: cannot open the display\n");
        return 2;
    }
    fcntl(xcb_get_file_descriptor(connection), F_SETFD, FD_CLOEXEC);
    const xcb_query_extension_reply_t *extension =
        xcb_get_extension_data(connection, &xcb_damage_id);
    if (!extension || !extension->present) {
        std::fprintf(stderr, "firstframe: the X server has no DAMAGE extension\n");
        return 2;
    }
    std::free(xcb_damage_query_version_reply(
        connection,
        xcb_damage_query_version(connection, XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION),
        nullptr));
    const uint8_t damageNotify = extension->first_event + XCB_DAMAGE_NOTIFY;

    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    // Checked, so that the server has the mask before the program can make its first window.
    if (xcb_generic_error_t *error = xcb_request_check(
            connection,
            xcb_change_window_attributes_checked(connection, root, XCB_CW_EVENT_MASK, &mask))) {
        std::free(error);
        std::fprintf(stderr, "firstframe: cannot watch the root window\n");
        return 2;
    }

    timespec started{};
    const pid_t child = launch(argv + first, started);
    if (child < 0) {
        std::fprintf(stderr, "firstframe: cannot start %s\n", argv[first]);
        return 2;
    }

    std::map<xcb_window_t, Window> windows;
    pollfd fd{xcb_get_file_descriptor(connection), POLLIN, 0};
    for (;;) {
        std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event(
            xcb_poll_for_event(connection), &std::free);
        if (!event) {
            if (xcb_connection_has_error(connection))
                return stop(child, "lost the display");
            if (waitpid(child, nullptr, WNOHANG) == child) {
                std::fprintf(stderr, "firstframe: the program ended before its first frame\n");
                return 1;
            }
            if (msBetween(started, now()) > TimeoutMs)
                return stop(child, "no frame within the time limit");
            poll(&fd, 1, 50);
            continue;
        }
        const uint8_t type = event->response_type & 0x7f;
        const double ms = msBetween(started, now());
        if (type == XCB_CREATE_NOTIFY) {
            const auto *e = reinterpret_cast<xcb_create_notify_event_t *>(event.get());
            if (e->parent != root)
                continue;
            Window &w = windows[e->window];
            w.damage = xcb_generate_id(connection);
            w.width = e->width;
            w.height = e->height;
            xcb_damage_create(connection, w.damage, e->window, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
            xcb_flush(connection);
            if (verbose)
                std::fprintf(stderr, "%8.2f ms  create 0x%x %dx%d\n", ms, e->window, e->width,
                             e->height);
        } else if (type == XCB_MAP_NOTIFY) {
            const auto *e = reinterpret_cast<xcb_map_notify_event_t *>(event.get());
            if (auto it = windows.find(e->window); it != windows.end())
                it->second.mapped = true;
            if (verbose)
                std::fprintf(stderr, "%8.2f ms  map 0x%x\n", ms, e->window);
        } else if (type == XCB_CONFIGURE_NOTIFY) {
            const auto *e = reinterpret_cast<xcb_configure_notify_event_t *>(event.get());
            if (auto it = windows.find(e->window); it != windows.end()) {
                it->second.width = e->width;
                it->second.height = e->height;
            }
        } else if (type == XCB_DESTROY_NOTIFY) {
            windows.erase(reinterpret_cast<xcb_destroy_notify_event_t *>(event.get())->window);
        } else if (type == damageNotify) {
            const auto *e = reinterpret_cast<xcb_damage_notify_event_t *>(event.get());
            const auto it = windows.find(e->drawable);
            if (verbose)
                std::fprintf(stderr, "%8.2f ms  damage 0x%x %dx%d+%d+%d%s\n", ms, e->drawable,
                             e->area.width, e->area.height, e->area.x, e->area.y,
                             it != windows.end() && it->second.mapped ? "" : " (not mapped)");
            if (it == windows.end() || !it->second.mapped)
                continue;
            std::printf("%d %.2f %dx%d %dx%d\n", int(child), ms, e->area.width, e->area.height,
                        it->second.width, it->second.height);
            std::fflush(stdout);
            break;
        }
    }

    for (const auto &[window, state] : windows)
        xcb_damage_destroy(connection, state.damage);
    xcb_disconnect(connection);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return 0;
}
