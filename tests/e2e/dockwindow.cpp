// A desktop panel for the end-to-end tests: a dock window along the bottom of the screen
// that reserves its height, as a desktop's taskbar does, so that the window manager takes
// it off the usable area. Usage: e2e_dock HEIGHT (device pixels). Runs until killed.
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    xcb_intern_atom_reply_t *reply
        = xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, uint16_t(strlen(name)), name), nullptr);
    const xcb_atom_t result = reply ? reply->atom : XCB_ATOM_NONE;
    free(reply);
    return result;
}

} // namespace

int main(int argc, char **argv)
{
    const int height = argc > 1 ? atoi(argv[1]) : 0;
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    if (height <= 0 || xcb_connection_has_error(connection))
        return 1;
    xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const int width = screen->width_in_pixels;
    const int top = screen->height_in_pixels - height;

    const xcb_window_t window = xcb_generate_id(connection);
    const uint32_t background[] = { 0x203050 }; // a navy no window of the program uses
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screen->root, 0, int16_t(top), uint16_t(width),
        uint16_t(height), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, XCB_CW_BACK_PIXEL, background);

    const xcb_atom_t dock = atom(connection, "_NET_WM_WINDOW_TYPE_DOCK");
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, atom(connection, "_NET_WM_WINDOW_TYPE"),
        XCB_ATOM_ATOM, 32, 1, &dock);
    // Left, right, top, bottom; then the start and end of each along its edge.
    const uint32_t strut[12] = { 0, 0, 0, uint32_t(height), 0, 0, 0, 0, 0, 0, 0, uint32_t(width - 1) };
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, atom(connection, "_NET_WM_STRUT_PARTIAL"),
        XCB_ATOM_CARDINAL, 32, 12, strut);
    xcb_change_property(
        connection, XCB_PROP_MODE_REPLACE, window, atom(connection, "_NET_WM_STRUT"), XCB_ATOM_CARDINAL, 32, 4, strut);
    // Where it asks to be, as a panel does: the window manager keeps it there.
    uint32_t hints[18] = {};
    hints[0] = 1 | 2 | 4 | 8; // user and program position and size
    hints[1] = 0;
    hints[2] = uint32_t(top);
    hints[3] = uint32_t(width);
    hints[4] = uint32_t(height);
    xcb_change_property(
        connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 32, 18, hints);
    const char name[] = "e2e dock";
    xcb_change_property(
        connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, uint32_t(strlen(name)), name);

    xcb_map_window(connection, window);
    xcb_flush(connection);
    while (xcb_generic_event_t *event = xcb_wait_for_event(connection))
        free(event);
    xcb_disconnect(connection);
    return 0;
}
