#pragma once

#include <QPointer>

#include <vector>

class QObject;
class QWidget;

// The modifier the handheld's application buttons carry.
constexpr unsigned MOD_WIN = 0x0008;

// Posted to the window that registered a hot key when it is pressed, with the
// hot key's id as wParam and MAKELPARAM(modifiers, virtual key) as lParam.
// The number lies below QEvent::User, so the window sees it in event(), not
// in customEvent().
constexpr int WM_HOTKEY = 0x0312;

// System-wide hot keys as the handheld registers them: an id per window, a
// modifier set and a virtual key. Registering fails when another window or id
// holds the same key; unregistering fails when the id is not registered.
class HotKeyService
{
public:
    virtual ~HotKeyService() = default;
    virtual bool Register(QWidget *window, int id, unsigned modifiers, unsigned virtualKey) = 0;
    virtual bool Unregister(QWidget *window, int id) = 0;
};

// The desktop's stand-in: application button n (virtual key 0xC0 + n, n from
// 1 to 4) is the Launch(n - 1) media key or F(8 + n). An application-wide event
// filter watches key presses and turns those of registered buttons into
// WM_HOTKEY messages; the modifier is part of the button, so no desktop
// modifier has to be held. On X11 the keys are also grabbed on the root
// window, so that the button reaches the program while another window has the
// focus or the program is minimised; a grab the server refuses (another
// program holds the key) fails the registration.
class DesktopHotKeys : public HotKeyService
{
public:
    DesktopHotKeys() = default;
    ~DesktopHotKeys() override;
    DesktopHotKeys(const DesktopHotKeys &) = delete;
    DesktopHotKeys &operator=(const DesktopHotKeys &) = delete;

    bool Register(QWidget *window, int id, unsigned modifiers, unsigned virtualKey) override;
    bool Unregister(QWidget *window, int id) override;

    // The button a virtual key stands for, or 0 for keys that are no button.
    static int ButtonOfVirtualKey(unsigned virtualKey);
    // The button a desktop key stands for, or 0.
    static int ButtonOfKey(int qtKey);

    // Posts WM_HOTKEY for a press of the desktop key; true when it was one.
    bool HandleKeyPress(int qtKey);
    // Posts WM_HOTKEY for a press of button n (1 to 4); true when registered.
    bool HandleButtonPress(int button);
    bool IsRegisteredKey(int qtKey);

private:
    struct Registration {
        QPointer<QWidget> window;
        int id;
        unsigned modifiers;
        unsigned virtualKey;
    };

    const Registration *Find(int button);
    void InstallFilter();
    void ForgetClosedWindows();
    bool GrabButton(int button);
    void ReleaseButton(int button);

    std::vector<Registration> m_registrations;
    QPointer<QObject> m_pFilter;
    QPointer<QObject> m_pGrab;
};
