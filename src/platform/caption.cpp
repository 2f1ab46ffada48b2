#include "platform/caption.h"

#include <QGuiApplication>
#include <QWidget>

#ifdef HOOPWRIGHT_XCB
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>
#endif

namespace platform {

#ifdef HOOPWRIGHT_XCB
namespace {

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, std::uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t found = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return found;
}

} // namespace
#endif

void showEmptyCaption(QWidget *window)
{
    if (!window)
        return;
    window->setWindowTitle(QString());
#ifdef HOOPWRIGHT_XCB
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !window->windowHandle())
        return;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return;
    const auto id = xcb_window_t(window->winId());
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, 0, "");
    const xcb_atom_t name = atom(connection, "_NET_WM_NAME");
    const xcb_atom_t utf8 = atom(connection, "UTF8_STRING");
    if (name != XCB_ATOM_NONE && utf8 != XCB_ATOM_NONE)
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, name, utf8, 8, 0, "");
    xcb_flush(connection);
#endif
}

} // namespace platform
