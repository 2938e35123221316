#include "platform/WindowMessage.h"

#include <QCoreApplication>

WindowMessage::WindowMessage(int message, std::intptr_t wParam, std::intptr_t lParam)
    : QEvent(static_cast<QEvent::Type>(message)), m_wParam(wParam), m_lParam(lParam)
{
}

void PostWindowMessage(QObject *receiver, int message, std::intptr_t wParam, std::intptr_t lParam)
{
    QCoreApplication::postEvent(receiver, new WindowMessage(message, wParam, lParam));
}
