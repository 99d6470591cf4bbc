// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// Measures a program's start from the outside, on an X server: starts it, notes the moment of
// exec, watches for its first top-level window and reports when that window first shows
// painted pixels, then how much memory the process has used at its peak once started.
//
//   first_paint [--settle-ms N] PROGRAM [ARGS...]
// Prints one line: "first_paint_ms=<ms> peak_rss_kib=<KiB>", then kills the program.
//
// The X server tells when the window is drawn into (the DAMAGE extension), so the measure
// costs the machine nothing while the program starts: polling the window's pixels every
// 200 µs kept the X server and this process busy on one of the two cores the program itself
// wanted, and charged a start that uses a second core for it. A window counts as painted at
// the first damage after which the pixel at its centre differs from what the screen showed
// there before the program started: a newly mapped Qt window has no background of its own and
// shows what lay beneath it until the program draws. A program that shows nothing within the
// time limit is reported as a failure.

#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

long peakRssKib(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

// CPU time of all the program's threads so far, in ms, and its minor page faults: what the
// start cost the processor, beside how long it took.
double cpuMs(pid_t pid) {
    double ns = 0;
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task/";
    if (DIR* dir = opendir(tasks.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            if (entry->d_name[0] == '.')
                continue;
            std::ifstream stat(tasks + entry->d_name + "/schedstat");
            double onCpu = 0;
            if (stat >> onCpu)
                ns += onCpu;
        }
        closedir(dir);
    }
    return ns / 1e6;
}

long minorFaults(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    // After the name in brackets come the fields from the third on; the tenth is minflt.
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string field;
    for (int i = 3; i <= 10 && fields >> field; ++i) {
    }
    return std::strtol(field.c_str(), nullptr, 10);
}

std::uint32_t pixelAt(xcb_connection_t* c, xcb_window_t window, int x, int y, bool& ok) {
    auto cookie = xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, window, std::int16_t(x),
                                std::int16_t(y), 1, 1, ~0u);
    xcb_get_image_reply_t* reply = xcb_get_image_reply(c, cookie, nullptr);
    ok = reply != nullptr;
    std::uint32_t value = 0;
    if (reply) {
        const int length = xcb_get_image_data_length(reply);
        std::memcpy(&value, xcb_get_image_data(reply), std::min<std::size_t>(length, 4));
        std::free(reply);
    }
    return value;
}

} // namespace

int main(int argc, char* argv[]) {
    int settleMs = 1000;
    int first = 1;
    if (argc > 2 && std::strcmp(argv[1], "--settle-ms") == 0) {
        settleMs = std::atoi(argv[2]);
        first = 3;
    }
    if (first >= argc) {
        std::fprintf(stderr, "usage: first_paint [--settle-ms N] PROGRAM [ARGS...]\n");
        return 2;
    }
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "first_paint: no X server\n");
        return 2;
    }
    const xcb_query_extension_reply_t* damageExtension = xcb_get_extension_data(c, &xcb_damage_id);
    if (!damageExtension || !damageExtension->present) {
        std::fprintf(stderr, "first_paint: the X server has no DAMAGE extension\n");
        return 2;
    }
    const std::uint8_t damageEvent = damageExtension->first_event + XCB_DAMAGE_NOTIFY;
    xcb_discard_reply(
        c,
        xcb_damage_query_version(c, XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION).sequence);
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);

    // The whole screen before the program runs, to compare its window's centre with.
    xcb_get_image_reply_t* before =
        xcb_get_image_reply(c,
                            xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, screen->root, 0, 0,
                                          screen->width_in_pixels, screen->height_in_pixels, ~0u),
                            nullptr);
    if (!before || (before->depth != 24 && before->depth != 32)) {
        std::fprintf(stderr, "first_paint: cannot read the screen (a 24-bit screen is needed)\n");
        return 2;
    }
    const auto screenPixel = [&](int x, int y) -> std::uint32_t {
        if (x < 0 || y < 0 || x >= screen->width_in_pixels || y >= screen->height_in_pixels)
            return 0;
        std::uint32_t value = 0;
        std::memcpy(&value,
                    xcb_get_image_data(before) + (std::size_t(y) * screen->width_in_pixels + x) * 4,
                    4);
        return value & 0xFFFFFF;
    };

    const auto started = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[first], argv + first);
        _exit(127);
    }

    // Wait for the first top-level window to be mapped.
    xcb_window_t window = 0;
    while (!window) {
        xcb_generic_event_t* event = xcb_wait_for_event(c);
        if (!event)
            return 2;
        if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
            const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
            if (map->event == screen->root && !map->override_redirect)
                window = map->window;
        }
        std::free(event);
    }
    auto geometry = xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr);
    const int cx = geometry ? geometry->width / 2 : 0;
    const int cy = geometry ? geometry->height / 2 : 0;
    std::free(geometry);
    auto place = xcb_translate_coordinates_reply(
        c, xcb_translate_coordinates(c, window, screen->root, std::int16_t(cx), std::int16_t(cy)),
        nullptr);
    const std::uint32_t unpainted = place ? screenPixel(place->dst_x, place->dst_y) : 0;
    std::free(place);
    std::free(before);

    // Wait for the program to draw into the window: each damage report, then the centre pixel.
    bool ok = true;
    auto painted = Clock::now();
    const auto deadline = started + std::chrono::seconds(20);
    const xcb_damage_damage_t damage = xcb_generate_id(c);
    xcb_damage_create(c, damage, window, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
    xcb_flush(c);
    bool drawn = (pixelAt(c, window, cx, cy, ok) & 0xFFFFFF) !=
                 unpainted; // drawn before the damage was asked for
    painted = Clock::now();
    double cpu = cpuMs(pid);
    long faults = minorFaults(pid);
    while (ok && !drawn) {
        xcb_generic_event_t* event = xcb_poll_for_event(c);
        if (!event) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0) {
                std::fprintf(stderr, "first_paint: the window showed nothing within 20 s\n");
                ok = false;
                break;
            }
            pollfd wait{xcb_get_file_descriptor(c), POLLIN, 0};
            if (::poll(&wait, 1, int(left.count())) < 0 || xcb_connection_has_error(c))
                ok = false;
            continue;
        }
        const bool damaged = (event->response_type & 0x7f) == damageEvent;
        std::free(event);
        if (!damaged)
            continue;
        painted = Clock::now();
        cpu = cpuMs(pid);
        faults = minorFaults(pid);
        xcb_damage_subtract(c, damage, XCB_NONE, XCB_NONE);
        drawn = (pixelAt(c, window, cx, cy, ok) & 0xFFFFFF) != unpainted;
    }
    if (ok)
        std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
    const long rss = peakRssKib(pid);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    xcb_disconnect(c);

    const double ms = std::chrono::duration<double, std::milli>(painted - started).count();
    if (!ok)
        return 1;
    std::printf("first_paint_ms=%.1f peak_rss_kib=%ld cpu_ms=%.1f minor_faults=%ld\n", ms, rss, cpu,
                faults);
    return 0;
}
