// Starts a program and reports the milliseconds from its start to the first window it maps
// (a MapNotify on the root window of a display without a window manager), and its process id.
// The program keeps running. Used by startmessung.sh.

#include <xcb/xcb.h>

#include <poll.h>
#include <spawn.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

extern char** environ;

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fputs("Aufruf: kl_startuhr PROGRAMM [ARGUMENTE …]\n", stderr);
        return 2;
    }
    int nummer = 0;
    xcb_connection_t* x = xcb_connect(nullptr, &nummer);
    // A virtual X server that has just started may refuse the first connections.
    for (int versuch = 0; xcb_connection_has_error(x) && versuch < 50; ++versuch) {
        xcb_disconnect(x);
        usleep(100000);
        x = xcb_connect(nullptr, &nummer);
    }
    if (xcb_connection_has_error(x)) {
        std::fputs("kl_startuhr: keine Verbindung zum X-Server\n", stderr);
        return 1;
    }
    xcb_screen_iterator_t bildschirm = xcb_setup_roots_iterator(xcb_get_setup(x));
    for (int i = 0; i < nummer; ++i)
        xcb_screen_next(&bildschirm);
    const uint32_t maske = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, bildschirm.data->root, XCB_CW_EVENT_MASK, &maske);
    // A round trip: the server watches the root window before the program starts.
    std::free(xcb_get_input_focus_reply(x, xcb_get_input_focus(x), nullptr));

    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[1], nullptr, nullptr, argv + 1, environ) != 0) {
        std::fprintf(stderr, "kl_startuhr: %s lässt sich nicht starten\n", argv[1]);
        return 1;
    }
    pollfd warten{xcb_get_file_descriptor(x), POLLIN, 0};
    for (;;) {
        while (xcb_generic_event_t* e = xcb_poll_for_event(x)) {
            const bool abgebildet = (e->response_type & 0x7f) == XCB_MAP_NOTIFY;
            std::free(e);
            if (abgebildet) {
                const std::chrono::duration<double, std::milli> ms =
                    std::chrono::steady_clock::now() - start;
                std::printf("%.1f %d\n", ms.count(), static_cast<int>(pid));
                xcb_disconnect(x);
                return 0;
            }
        }
        if (xcb_connection_has_error(x) || poll(&warten, 1, 30000) <= 0) {
            std::fputs("kl_startuhr: kein Fenster nach 30 s\n", stderr);
            return 1;
        }
    }
}
