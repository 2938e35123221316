#include "platform/WaitCursor.h"

#include <QCursor>
#include <QGuiApplication>

void WaitCursor::Begin()
{
    ++m_nDepth;
    Show();
}

void WaitCursor::End()
{
    if (m_nDepth == 0)
        return;
    --m_nDepth;
    Hide();
}

void SystemWaitCursor::Show()
{
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void SystemWaitCursor::Hide()
{
    QGuiApplication::restoreOverrideCursor();
}
