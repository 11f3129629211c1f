// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// A virtual pointer and keyboard for the Wayland end-to-end run: reads one command a line from
// standard input, sends it to the compositor as a real input device would, and answers "ok"
// (or "error: ...") once the compositor has taken it, so that the script never runs ahead of
// its input. Commands:
//   move X Y          pointer to (X, Y) in layout coordinates
//   down [BUTTON]     press a button: left (the default), right or middle
//   up [BUTTON]       release it
//   press KEY         hold a key down; release KEY lets it go; key KEY does both
// Usage: wlinput LAYOUT-WIDTH LAYOUT-HEIGHT

#define _GNU_SOURCE
#include <linux/input-event-codes.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <time.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include "virtual-keyboard-unstable-v1-client-protocol.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

static struct wl_seat *seat;
static struct zwlr_virtual_pointer_manager_v1 *pointer_manager;
static struct zwp_virtual_keyboard_manager_v1 *keyboard_manager;

static void global(void *data, struct wl_registry *registry, uint32_t name, const char *interface,
                   uint32_t version)
{
    (void)data;
    (void)version;
    if (strcmp(interface, wl_seat_interface.name) == 0 && !seat)
        seat = wl_registry_bind(registry, name, &wl_seat_interface, 1);
    else if (strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        pointer_manager =
            wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1);
    else if (strcmp(interface, zwp_virtual_keyboard_manager_v1_interface.name) == 0)
        keyboard_manager =
            wl_registry_bind(registry, name, &zwp_virtual_keyboard_manager_v1_interface, 1);
}

static void global_remove(void *data, struct wl_registry *registry, uint32_t name)
{
    (void)data;
    (void)registry;
    (void)name;
}

static const struct wl_registry_listener registry_listener = {global, global_remove};

static const struct {
    const char *name;
    uint32_t code;
} keys[] = {
    {"ctrl", KEY_LEFTCTRL}, {"shift", KEY_LEFTSHIFT}, {"alt", KEY_LEFTALT}, {"escape", KEY_ESC},
    {"return", KEY_ENTER},  {"f2", KEY_F2},           {"a", KEY_A},         {"g", KEY_G},
    {"h", KEY_H},           {"n", KEY_N},             {"x", KEY_X},
};

static const struct {
    const char *name;
    uint32_t code;
} buttons[] = {{"left", BTN_LEFT}, {"right", BTN_RIGHT}, {"middle", BTN_MIDDLE}};

static uint32_t now_ms(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (uint32_t)(ts.tv_sec * 1000 + ts.tv_nsec / 1000000);
}

static struct zwp_virtual_keyboard_v1 *keyboard;
static struct xkb_state *xkb;

/* The compositor takes the modifier state from the client of a virtual keyboard, so it is kept
 * here from the same keymap the compositor was given. */
static void send_key(uint32_t code, int pressed)
{
    zwp_virtual_keyboard_v1_key(keyboard, now_ms(), code,
                                pressed ? WL_KEYBOARD_KEY_STATE_PRESSED
                                        : WL_KEYBOARD_KEY_STATE_RELEASED);
    xkb_state_update_key(xkb, code + 8, pressed ? XKB_KEY_DOWN : XKB_KEY_UP);
    zwp_virtual_keyboard_v1_modifiers(keyboard,
                                      xkb_state_serialize_mods(xkb, XKB_STATE_MODS_DEPRESSED),
                                      xkb_state_serialize_mods(xkb, XKB_STATE_MODS_LATCHED),
                                      xkb_state_serialize_mods(xkb, XKB_STATE_MODS_LOCKED),
                                      xkb_state_serialize_layout(xkb, XKB_STATE_LAYOUT_EFFECTIVE));
}

static int lookup_key(const char *name, uint32_t *code)
{
    for (size_t i = 0; i < sizeof keys / sizeof *keys; ++i)
        if (strcmp(keys[i].name, name) == 0)
            return *code = keys[i].code, 1;
    return 0;
}

static int lookup_button(const char *name, uint32_t *code)
{
    for (size_t i = 0; i < sizeof buttons / sizeof *buttons; ++i)
        if (strcmp(buttons[i].name, name) == 0)
            return *code = buttons[i].code, 1;
    return 0;
}

int main(int argc, char **argv)
{
    if (argc != 3 || atoi(argv[1]) <= 0 || atoi(argv[2]) <= 0) {
        fprintf(stderr, "usage: %s LAYOUT-WIDTH LAYOUT-HEIGHT\n", argv[0]);
        return 2;
    }
    const uint32_t width = (uint32_t)atoi(argv[1]), height = (uint32_t)atoi(argv[2]);
    struct wl_display *display = wl_display_connect(NULL);
    if (!display) {
        fprintf(stderr, "wlinput: cannot connect to the compositor\n");
        return 1;
    }
    struct wl_registry *registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registry_listener, NULL);
    wl_display_roundtrip(display);
    if (!seat || !pointer_manager || !keyboard_manager) {
        fprintf(stderr, "wlinput: the compositor offers no seat or no virtual input\n");
        return 1;
    }

    struct xkb_context *context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    struct xkb_keymap *keymap =
        context ? xkb_keymap_new_from_names(context, NULL, XKB_KEYMAP_COMPILE_NO_FLAGS) : NULL;
    if (!keymap) {
        fprintf(stderr, "wlinput: no default keymap\n");
        return 1;
    }
    xkb = xkb_state_new(keymap);
    char *text = xkb_keymap_get_as_string(keymap, XKB_KEYMAP_FORMAT_TEXT_V1);
    const size_t size = strlen(text) + 1;
    const int fd = memfd_create("keymap", MFD_CLOEXEC);
    if (fd < 0 || write(fd, text, size) != (ssize_t)size) {
        perror("wlinput: keymap");
        return 1;
    }
    free(text);

    struct zwlr_virtual_pointer_v1 *pointer =
        zwlr_virtual_pointer_manager_v1_create_virtual_pointer(pointer_manager, seat);
    keyboard = zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(keyboard_manager, seat);
    zwp_virtual_keyboard_v1_keymap(keyboard, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd,
                                   (uint32_t)size);
    close(fd);
    if (wl_display_roundtrip(display) < 0) {
        fprintf(stderr, "wlinput: the compositor refused the virtual devices\n");
        return 1;
    }

    char line[256], word[32], arg[32];
    setvbuf(stdout, NULL, _IOLBF, 0);
    while (fgets(line, sizeof line, stdin)) {
        arg[0] = '\0';
        const int n = sscanf(line, "%31s %31s", word, arg);
        uint32_t code = BTN_LEFT;
        unsigned x, y;
        const char *error = NULL;
        if (n < 1)
            continue;
        if (strcmp(word, "move") == 0 && sscanf(line, "%*s %u %u", &x, &y) == 2 && x <= width &&
            y <= height) {
            zwlr_virtual_pointer_v1_motion_absolute(pointer, now_ms(), x, y, width, height);
            zwlr_virtual_pointer_v1_frame(pointer);
        } else if ((strcmp(word, "down") == 0 || strcmp(word, "up") == 0) &&
                   (n == 1 || lookup_button(arg, &code))) {
            zwlr_virtual_pointer_v1_button(pointer, now_ms(), code,
                                           word[0] == 'd' ? WL_POINTER_BUTTON_STATE_PRESSED
                                                          : WL_POINTER_BUTTON_STATE_RELEASED);
            zwlr_virtual_pointer_v1_frame(pointer);
        } else if (strcmp(word, "key") == 0 && n == 2 && lookup_key(arg, &code)) {
            send_key(code, 1);
            send_key(code, 0);
        } else if (strcmp(word, "press") == 0 && n == 2 && lookup_key(arg, &code)) {
            send_key(code, 1);
        } else if (strcmp(word, "release") == 0 && n == 2 && lookup_key(arg, &code)) {
            send_key(code, 0);
        } else {
            error = "unknown command or argument";
        }
        if (wl_display_roundtrip(display) < 0) {
            fprintf(stderr, "wlinput: lost the compositor\n");
            return 1;
        }
        if (error)
            printf("error: %s: %s", error, line);
        else
            printf("ok\n");
    }
    zwlr_virtual_pointer_v1_destroy(pointer);
    zwp_virtual_keyboard_v1_destroy(keyboard);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    xkb_state_unref(xkb);
    xkb_keymap_unref(keymap);
    xkb_context_unref(context);
    return 0;
}
