// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// A virtual pointer and keyboard for the Wayland end-to-end run. It says "ok" once its devices
// are there, then reads one command a line and answers "ok" (or "error") only once a round trip
// shows the compositor has taken it, so that the script never runs ahead of its input:
//   m X Y W H    pointer to X, Y of a screen W x H (device pixels, whatever the output's scale)
//   b 1|0        left button down, up
//   k CODE 1|0   key down, up (CODE: a Linux input event code)
#define _POSIX_C_SOURCE 200809L
#include <linux/input-event-codes.h>
#include <stdio.h>
#include <string.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include "virtual-keyboard-unstable-v1-client-protocol.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

// The globals used, in this order: the seat and the two virtual device managers.
static const struct wl_interface *wanted[] = {&wl_seat_interface,
                                              &zwlr_virtual_pointer_manager_v1_interface,
                                              &zwp_virtual_keyboard_manager_v1_interface};
static void *bound[3];

static void global(void *data, struct wl_registry *registry, uint32_t name, const char *interface,
                   uint32_t version)
{
    (void)data, (void)version;
    for (int i = 0; i < 3; ++i)
        if (!bound[i] && !strcmp(interface, wanted[i]->name))
            bound[i] = wl_registry_bind(registry, name, wanted[i], 1);
}
// The registry goes once the globals are bound, so that no global comes or goes afterwards.
static const struct wl_registry_listener listener = {global, NULL};

int main(void)
{
    struct wl_display *display = wl_display_connect(NULL);
    struct wl_registry *registry = display ? wl_display_get_registry(display) : NULL;
    if (!registry || wl_registry_add_listener(registry, &listener, NULL) ||
        wl_display_roundtrip(display) < 0 || !bound[0] || !bound[1] || !bound[2])
        return fputs("wlinput: no compositor with a seat and virtual input\n", stderr), 1;
    wl_registry_destroy(registry);
    // A virtual keyboard brings its own keymap (the default one here) and reports its modifiers.
    struct xkb_context *context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    struct xkb_keymap *keymap = context ? xkb_keymap_new_from_names(context, NULL, 0) : NULL;
    struct xkb_state *mods = keymap ? xkb_state_new(keymap) : NULL;
    char *text = mods ? xkb_keymap_get_as_string(keymap, XKB_KEYMAP_FORMAT_TEXT_V1) : NULL;
    const size_t size = text ? strlen(text) + 1 : 0;
    FILE *file = text ? tmpfile() : NULL;
    if (!file || fwrite(text, 1, size, file) != size || fflush(file))
        return fputs("wlinput: no keymap\n", stderr), 1;
    struct zwlr_virtual_pointer_v1 *pointer =
        zwlr_virtual_pointer_manager_v1_create_virtual_pointer(bound[1], bound[0]);
    struct zwp_virtual_keyboard_v1 *keyboard =
        zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(bound[2], bound[0]);
    zwp_virtual_keyboard_v1_keymap(keyboard, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fileno(file), size);
    // Event times a second apart in milliseconds, so that no two clicks make a double click.
    unsigned a, b, w, h, time = 0;
    char line[64] = "";
    do {
        int ok = 1;
        if (sscanf(line, "m %u %u %u %u", &a, &b, &w, &h) == 4 && a <= w && b <= h)
            zwlr_virtual_pointer_v1_motion_absolute(pointer, time += 1000, a, b, w, h);
        else if (sscanf(line, "b %u", &a) == 1 && a < 2)
            zwlr_virtual_pointer_v1_button(pointer, time += 1000, BTN_LEFT, a);
        else if (sscanf(line, "k %u %u", &a, &b) == 2 && b < 2) {
            zwp_virtual_keyboard_v1_key(keyboard, time += 1000, a, b);
            xkb_state_update_key(mods, a + 8, b ? XKB_KEY_DOWN : XKB_KEY_UP);
            zwp_virtual_keyboard_v1_modifiers(
                keyboard, xkb_state_serialize_mods(mods, XKB_STATE_MODS_DEPRESSED), 0, 0, 0);
        } else
            ok = !*line;
        if (ok && (*line == 'm' || *line == 'b'))
            zwlr_virtual_pointer_v1_frame(pointer);
        if (wl_display_roundtrip(display) < 0)
            return fputs("wlinput: lost the compositor\n", stderr), 1;
        fputs(ok ? "ok\n" : "error\n", stdout);
        fflush(stdout);
    } while (fgets(line, sizeof line, stdin));
}
