#include "platform/HotKeys.h"

#include "platform/WindowMessage.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

#include <algorithm>

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
}

DesktopHotKeys::~DesktopHotKeys()
{
    delete m_pFilter.data();
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
    m_registrations.erase(found);
    return true;
}

const DesktopHotKeys::Registration *DesktopHotKeys::Find(int qtKey)
{
    const int button = ButtonOfKey(qtKey);
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
    return Find(qtKey) != nullptr;
}

bool DesktopHotKeys::HandleKeyPress(int qtKey)
{
    const Registration *registration = Find(qtKey);
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
    std::erase_if(m_registrations, [](const Registration &r) { return r.window.isNull(); });
}
