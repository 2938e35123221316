#pragma once

#include <QEvent>

#include <cstdint>

class QObject;

// A window message as the handheld posts it: the event type is the message
// number, so WM_USER + 101 arrives as event type 1125 in customEvent.
constexpr int WM_USER = 0x400;

class WindowMessage : public QEvent
{
public:
    WindowMessage(int message, std::intptr_t wParam = 0, std::intptr_t lParam = 0);
    int Message() const { return static_cast<int>(type()); }
    std::intptr_t WParam() const { return m_wParam; }
    std::intptr_t LParam() const { return m_lParam; }

private:
    std::intptr_t m_wParam;
    std::intptr_t m_lParam;
};

// Queues the message for the receiver; it is handled after the caller returns.
void PostWindowMessage(QObject *receiver, int message, std::intptr_t wParam = 0, std::intptr_t lParam = 0);
