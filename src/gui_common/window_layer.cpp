// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_layer.h"

#include "x11_atom.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#if QT_CONFIG(xcb)
#include <algorithm>
#include <cstdlib>
#endif

namespace {

void setStaysOnTop(QWidget& window, bool onTop)
{
    if (window.windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop)
        return;
    // Qt re-creates the native window when its flags change, which hides it
    // and may drop its position: put both back as they were.
    const bool wasVisible = window.isVisible();
    const QRect geometry = window.geometry();
    window.setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    window.setGeometry(geometry);
    if (wasVisible)
        window.show();
}

#if QT_CONFIG(xcb)
bool hasAtom(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property,
             xcb_atom_t wanted)
{
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, property, XCB_ATOM_ATOM, 0, 64),
        nullptr);
    bool found = false;
    if (reply && reply->format == 32) {
        const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
        const int count = xcb_get_property_value_length(reply) / int(sizeof(xcb_atom_t));
        found = std::find(atoms, atoms + count, wanted) != atoms + count;
    }
    std::free(reply);
    return found;
}
#endif

} // namespace

void setTopmost(QWidget& window)
{
    setStaysOnTop(window, true);
}

void setNotTopmost(QWidget& window)
{
    setStaysOnTop(window, false);
}

void keepOutOfTaskBar([[maybe_unused]] QWidget& window)
{
#if QT_CONFIG(xcb)
    // [X11] Qt has no flag for this. A window manager takes the EWMH request
    // to the root window; without one the property itself is what counts.
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection() || !window.windowHandle())
        return;
    xcb_connection_t* connection = x11->connection();
    const auto atom = [connection](const char* name) { return internAtom(connection, name); };
    // The widget's own id can be stale once Qt has re-created the window.
    const auto id = xcb_window_t(window.windowHandle()->winId());
    const xcb_atom_t wmState = atom("_NET_WM_STATE");
    const xcb_atom_t states[] = {atom("_NET_WM_STATE_SKIP_TASKBAR"),
                                 atom("_NET_WM_STATE_SKIP_PAGER")};
    if (!hasAtom(connection, id, wmState, states[0]))
        xcb_change_property(connection, XCB_PROP_MODE_APPEND, id, wmState, XCB_ATOM_ATOM, 32, 2,
                            states);

    xcb_client_message_event_t request = {};
    request.response_type = XCB_CLIENT_MESSAGE;
    request.format = 32;
    request.window = id;
    request.type = wmState;
    request.data.data32[0] = 1; // add
    request.data.data32[1] = states[0];
    request.data.data32[2] = states[1];
    request.data.data32[3] = 1; // from a normal application
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&request));
    xcb_flush(connection);
#endif
}
