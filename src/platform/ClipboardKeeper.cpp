#include "platform/ClipboardKeeper.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#if QUORLEX_HAVE_XCB
#include <xcb/xcb.h>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>
#endif

#if QUORLEX_HAVE_XCB
namespace {
xcb_atom_t Atom(xcb_connection_t *connection, const char *name)
{
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(connection, 0, std::strlen(name), name);
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

xcb_window_t OwnerOf(xcb_connection_t *connection, xcb_atom_t selection)
{
    xcb_get_selection_owner_reply_t *reply =
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection), nullptr);
    const xcb_window_t owner = reply != nullptr ? reply->owner : xcb_window_t(XCB_WINDOW_NONE);
    std::free(reply);
    return owner;
}

struct Atoms {
    xcb_atom_t clipboard, targets, utf8, text, plain, plainCharset;
};

// The text in the forms the program offered while it ran: UTF-8, and Latin-1
// for the programs that ask for STRING only.
struct KeptText {
    std::string utf8, latin1;
};

bool IsTextForm(xcb_atom_t target, const Atoms &atoms)
{
    return target == atoms.utf8 || target == atoms.plainCharset || target == atoms.plain || target == atoms.text ||
           target == XCB_ATOM_STRING;
}

// Answers one request for the clipboard: the list of forms, or the text in
// the form asked for where it fits in one property (anything larger is refused).
void Answer(xcb_connection_t *connection, const xcb_selection_request_event_t &request, const Atoms &atoms,
            const KeptText &kept)
{
    const xcb_atom_t property = request.property != XCB_ATOM_NONE ? request.property : request.target;
    const std::size_t room = std::size_t(xcb_get_maximum_request_length(connection)) * 4 - 64;
    xcb_atom_t answered = property;
    const std::string &text = request.target == XCB_ATOM_STRING ? kept.latin1 : kept.utf8;
    if (request.target == atoms.targets) {
        const xcb_atom_t forms[] = {atoms.targets, atoms.utf8, atoms.plainCharset,
                                    atoms.plain, atoms.text, XCB_ATOM_STRING};
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, request.requestor, property, XCB_ATOM_ATOM, 32,
                            std::size(forms), forms);
    } else if (IsTextForm(request.target, atoms) && text.size() <= room) {
        const xcb_atom_t type = request.target == atoms.text ? atoms.utf8 : request.target;
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, request.requestor, property, type, 8,
                            std::uint32_t(text.size()), text.data());
    } else {
        answered = XCB_ATOM_NONE;
    }
    xcb_selection_notify_event_t notify{};
    notify.response_type = XCB_SELECTION_NOTIFY;
    notify.time = request.time;
    notify.requestor = request.requestor;
    notify.selection = request.selection;
    notify.target = request.target;
    notify.property = answered;
    xcb_send_event(connection, 0, request.requestor, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&notify));
    xcb_flush(connection);
}

// The kept process: takes the clipboard, says so on the pipe (or says no
// when a clipboard manager is there to take the text), and serves until
// another owner takes the clipboard or the server goes away.
[[noreturn]] void Keep(const KeptText &kept, int ready)
{
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection) != 0)
        _exit(1);
    const Atoms atoms{Atom(connection, "CLIPBOARD"), Atom(connection, "TARGETS"), Atom(connection, "UTF8_STRING"),
                      Atom(connection, "TEXT"), Atom(connection, "text/plain"),
                      Atom(connection, "text/plain;charset=utf-8")};
    if (OwnerOf(connection, Atom(connection, "CLIPBOARD_MANAGER")) != XCB_WINDOW_NONE)
        _exit(0);
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const xcb_window_t window = xcb_generate_id(connection);
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    xcb_set_selection_owner(connection, window, atoms.clipboard, XCB_CURRENT_TIME);
    if (OwnerOf(connection, atoms.clipboard) != window)
        _exit(1);
    (void)!write(ready, "k", 1);
    close(ready);
    while (xcb_generic_event_t *event = xcb_wait_for_event(connection)) {
        const int type = event->response_type & 0x7F;
        if (type == XCB_SELECTION_REQUEST)
            Answer(connection, *reinterpret_cast<xcb_selection_request_event_t *>(event), atoms, kept);
        std::free(event);
        if (type == XCB_SELECTION_CLEAR)
            break;
    }
    _exit(0);
}
}
#endif

namespace Platform {
void KeepClipboardAfterExit()
{
#if QUORLEX_HAVE_XCB
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (QGuiApplication::platformName() != QLatin1String("xcb") || clipboard == nullptr ||
        !clipboard->ownsClipboard() || clipboard->mimeData() == nullptr || !clipboard->mimeData()->hasText())
        return;
    const QString shown = clipboard->text();
    const QByteArray utf8 = shown.toUtf8(), latin1 = shown.toLatin1();
    const KeptText kept{std::string(utf8.constData(), std::size_t(utf8.size())),
                        std::string(latin1.constData(), std::size_t(latin1.size()))};
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0)
        return;
    const pid_t child = fork();
    if (child == 0) {
        // Its own session, and nothing of ours held open: a terminal's
        // hang-up or a caller waiting for our output must not wait for it.
        setsid();
        const int null = open("/dev/null", O_RDWR);
        for (int fd = 0; fd < 3; ++fd)
            dup2(null, fd);
        dup2(pipeEnds[1], 3);
        close_range(4, ~0U, 0);
        Keep(kept, 3);
    }
    close(pipeEnds[1]);
    if (child > 0) {
        // Until the kept process owns the clipboard (or gives up), so that
        // a paste right after the end finds the text.
        pollfd wait{pipeEnds[0], POLLIN, 0};
        poll(&wait, 1, 2000);
    }
    close(pipeEnds[0]);
#endif
}
}
