#include "platform/HotKeys.h"

#include "platform/WindowMessage.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QWidget>

#include <algorithm>

#if QUORLEX_HAVE_XCB
#include <QAbstractNativeEventFilter>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <map>
#include <memory>
#endif

namespace {
constexpr unsigned kFirstButtonKey = 0xC1;
constexpr int kButtonCount = 4;

class KeyFilter : public QObject
{
public:
    KeyFilter(DesktopHotKeys *service, QObject *parent) : QObject(parent), m_pService(service) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const auto *key = static_cast<QKeyEvent *>(event);
        // Holding a button down must not toggle the board on every repeat.
        if (key->isAutoRepeat())
            return m_pService->IsRegisteredKey(key->key());
        return m_pService->HandleKeyPress(key->key());
    }

private:
    DesktopHotKeys *m_pService;
};

#if QUORLEX_HAVE_XCB && QT_CONFIG(xcb)
constexpr xcb_keysym_t kKeysymF9 = 0xFFC6;
constexpr xcb_keysym_t kKeysymLaunch0 = 0x1008FF40;
constexpr xcb_keysym_t kKeysymNumLock = 0xFF7F;

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

// The server's key map: which keycodes carry a keysym.
struct KeyboardMapping {
    xcb_keycode_t firstKeycode = 0;
    int keysymsPerKeycode = 0;
    std::vector<xcb_keysym_t> keysyms;

    std::vector<xcb_keycode_t> KeycodesOf(xcb_keysym_t keysym) const
    {
        std::vector<xcb_keycode_t> keycodes;
        for (std::size_t i = 0; i < keysyms.size(); ++i) {
            const auto keycode = static_cast<xcb_keycode_t>(firstKeycode + i / keysymsPerKeycode);
            if (keysyms[i] == keysym && std::find(keycodes.begin(), keycodes.end(), keycode) == keycodes.end())
                keycodes.push_back(keycode);
        }
        return keycodes;
    }
};

// The desktop keys of registered buttons grabbed on the root window. The
// presses arrive as native events whichever window has the focus.
class RootKeyGrab : public QObject, public QAbstractNativeEventFilter
{
public:
    RootKeyGrab(DesktopHotKeys *service, xcb_connection_t *connection)
        : QObject(QCoreApplication::instance()), m_pService(service), m_pConnection(connection),
          m_root(xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root)
    {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }

    // Deleted with the application object, while its X connection is still open.
    ~RootKeyGrab() override
    {
        while (!m_buttonOfKeycode.empty())
            Release(m_buttonOfKeycode.begin()->second);
    }

    static RootKeyGrab *Open(DesktopHotKeys *service)
    {
        const auto *app = qGuiApp;
        const auto *x11 = app != nullptr ? app->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
        if (x11 == nullptr || x11->connection() == nullptr)
            return nullptr;
        return new RootKeyGrab(service, x11->connection());
    }

    // Every keycode of F(8 + n) and Launch(n - 1), under every state of Caps
    // Lock and Num Lock, so that the button works whatever lock is on.
    bool Grab(int button)
    {
        const KeyboardMapping mapping = ReadMapping();
        std::vector<xcb_keycode_t> keycodes = mapping.KeycodesOf(kKeysymF9 + button - 1);
        for (xcb_keycode_t keycode : mapping.KeycodesOf(kKeysymLaunch0 + button - 1))
            keycodes.push_back(keycode);
        const uint16_t numLock = NumLockMask(mapping);
        std::vector<xcb_void_cookie_t> cookies;
        for (xcb_keycode_t keycode : keycodes) {
            m_buttonOfKeycode[keycode] = button;
            for (uint16_t locks : {uint16_t(0), uint16_t(XCB_MOD_MASK_LOCK), numLock, uint16_t(XCB_MOD_MASK_LOCK | numLock)})
                cookies.push_back(xcb_grab_key_checked(m_pConnection, 0, m_root, locks, keycode,
                                                       XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        }
        bool bGranted = true;
        for (xcb_void_cookie_t cookie : cookies) {
            if (xcb_generic_error_t *error = xcb_request_check(m_pConnection, cookie)) {
                bGranted = false;
                std::free(error);
            }
        }
        if (!bGranted)
            Release(button);
        return bGranted;
    }

    void Release(int button)
    {
        for (auto it = m_buttonOfKeycode.begin(); it != m_buttonOfKeycode.end();) {
            if (it->second != button) {
                ++it;
                continue;
            }
            xcb_ungrab_key(m_pConnection, it->first, m_root, XCB_MOD_MASK_ANY);
            it = m_buttonOfKeycode.erase(it);
        }
        xcb_flush(m_pConnection);
    }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override
    {
        if (eventType != "xcb_generic_event_t")
            return false;
        const auto *event = static_cast<const xcb_key_press_event_t *>(message);
        const int type = event->response_type & 0x7F;
        if ((type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE) || event->event != m_root)
            return false;
        const auto found = m_buttonOfKeycode.find(event->detail);
        if (found == m_buttonOfKeycode.end())
            return false;
        // Holding the button down must not toggle the board on every repeat.
        if (type == XCB_KEY_RELEASE)
            m_heldKeycode = 0;
        else if (m_heldKeycode != event->detail) {
            m_heldKeycode = event->detail;
            m_pService->HandleButtonPress(found->second);
        }
        // Qt goes on to take the press's time, which the window manager asks
        // of a program that wants to come to the front; no window of Qt's
        // receives the key itself.
        return false;
    }

private:
    KeyboardMapping ReadMapping() const
    {
        const xcb_setup_t *setup = xcb_get_setup(m_pConnection);
        const int count = setup->max_keycode - setup->min_keycode + 1;
        ReplyPtr<xcb_get_keyboard_mapping_reply_t> reply(
            xcb_get_keyboard_mapping_reply(
                m_pConnection, xcb_get_keyboard_mapping(m_pConnection, setup->min_keycode, count), nullptr),
            &std::free);
        KeyboardMapping mapping;
        if (reply == nullptr || reply->keysyms_per_keycode == 0)
            return mapping;
        const xcb_keysym_t *keysyms = xcb_get_keyboard_mapping_keysyms(reply.get());
        mapping.firstKeycode = setup->min_keycode;
        mapping.keysymsPerKeycode = reply->keysyms_per_keycode;
        mapping.keysyms.assign(keysyms, keysyms + xcb_get_keyboard_mapping_keysyms_length(reply.get()));
        return mapping;
    }

    // The modifier that Num Lock sets differs between servers; 0 if none has it.
    uint16_t NumLockMask(const KeyboardMapping &mapping) const
    {
        ReplyPtr<xcb_get_modifier_mapping_reply_t> reply(
            xcb_get_modifier_mapping_reply(m_pConnection, xcb_get_modifier_mapping(m_pConnection), nullptr),
            &std::free);
        if (reply == nullptr)
            return 0;
        const xcb_keycode_t *keycodes = xcb_get_modifier_mapping_keycodes(reply.get());
        const std::vector<xcb_keycode_t> numLockKeys = mapping.KeycodesOf(kKeysymNumLock);
        for (int i = 0; i < 8 * reply->keycodes_per_modifier; ++i) {
            if (keycodes[i] != 0 && std::find(numLockKeys.begin(), numLockKeys.end(), keycodes[i]) != numLockKeys.end())
                return static_cast<uint16_t>(1u << (i / reply->keycodes_per_modifier));
        }
        return 0;
    }

    DesktopHotKeys *m_pService;
    xcb_connection_t *m_pConnection;
    xcb_window_t m_root;
    std::map<xcb_keycode_t, int> m_buttonOfKeycode;
    xcb_keycode_t m_heldKeycode = 0;
};
#endif
}

DesktopHotKeys::~DesktopHotKeys()
{
    delete m_pFilter.data();
    delete m_pGrab.data();
}

int DesktopHotKeys::ButtonOfVirtualKey(unsigned virtualKey)
{
    if (virtualKey < kFirstButtonKey || virtualKey >= kFirstButtonKey + kButtonCount)
        return 0;
    return static_cast<int>(virtualKey - kFirstButtonKey) + 1;
}

int DesktopHotKeys::ButtonOfKey(int qtKey)
{
    if (qtKey >= Qt::Key_Launch0 && qtKey < Qt::Key_Launch0 + kButtonCount)
        return qtKey - Qt::Key_Launch0 + 1;
    if (qtKey >= Qt::Key_F9 && qtKey < Qt::Key_F9 + kButtonCount)
        return qtKey - Qt::Key_F9 + 1;
    return 0;
}

bool DesktopHotKeys::Register(QWidget *window, int id, unsigned modifiers, unsigned virtualKey)
{
    if (window == nullptr || ButtonOfVirtualKey(virtualKey) == 0)
        return false;
    ForgetClosedWindows();
    for (const Registration &registration : m_registrations) {
        const bool sameOwner = registration.window == window && registration.id == id;
        if (!sameOwner && registration.virtualKey == virtualKey)
            return false;
    }
    Unregister(window, id);
    if (!GrabButton(ButtonOfVirtualKey(virtualKey)))
        return false;
    m_registrations.push_back({window, id, modifiers, virtualKey});
    InstallFilter();
    return true;
}

bool DesktopHotKeys::Unregister(QWidget *window, int id)
{
    const auto found = std::find_if(m_registrations.begin(), m_registrations.end(),
                                    [&](const Registration &r) { return r.window == window && r.id == id; });
    if (found == m_registrations.end() || window == nullptr)
        return false;
    ReleaseButton(ButtonOfVirtualKey(found->virtualKey));
    m_registrations.erase(found);
    return true;
}

const DesktopHotKeys::Registration *DesktopHotKeys::Find(int button)
{
    if (button == 0)
        return nullptr;
    ForgetClosedWindows();
    const auto found = std::find_if(m_registrations.begin(), m_registrations.end(), [&](const Registration &r) {
        return ButtonOfVirtualKey(r.virtualKey) == button;
    });
    return found == m_registrations.end() ? nullptr : &*found;
}

bool DesktopHotKeys::IsRegisteredKey(int qtKey)
{
    return Find(ButtonOfKey(qtKey)) != nullptr;
}

bool DesktopHotKeys::HandleKeyPress(int qtKey)
{
    return HandleButtonPress(ButtonOfKey(qtKey));
}

bool DesktopHotKeys::HandleButtonPress(int button)
{
    const Registration *registration = Find(button);
    if (registration == nullptr)
        return false;
    const unsigned lParam = (registration->virtualKey << 16) | (registration->modifiers & 0xFFFF);
    PostWindowMessage(registration->window, WM_HOTKEY, registration->id, lParam);
    return true;
}

void DesktopHotKeys::InstallFilter()
{
    if (m_pFilter || QCoreApplication::instance() == nullptr)
        return;
    m_pFilter = new KeyFilter(this, QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(m_pFilter);
}

void DesktopHotKeys::ForgetClosedWindows()
{
    std::erase_if(m_registrations, [this](const Registration &r) {
        if (!r.window.isNull())
            return false;
        ReleaseButton(ButtonOfVirtualKey(r.virtualKey));
        return true;
    });
}

// Where there is no X server (a bare panel, the off-screen platform) the
// program gets the keys it is given anyway, and the event filter sees them.
bool DesktopHotKeys::GrabButton([[maybe_unused]] int button)
{
#if QUORLEX_HAVE_XCB && QT_CONFIG(xcb)
    if (!m_pGrab)
        m_pGrab = RootKeyGrab::Open(this);
    if (m_pGrab)
        return static_cast<RootKeyGrab *>(m_pGrab.data())->Grab(button);
#endif
    return true;
}

void DesktopHotKeys::ReleaseButton([[maybe_unused]] int button)
{
#if QUORLEX_HAVE_XCB && QT_CONFIG(xcb)
    if (m_pGrab)
        static_cast<RootKeyGrab *>(m_pGrab.data())->Release(button);
#endif
}
