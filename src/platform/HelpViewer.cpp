#include "platform/HelpViewer.h"

#include "platform/HelpWnd.h"

#include <QApplication>
#include <QUrl>

namespace {
HelpViewer *g_pInstalled = nullptr;
}

// The window belongs to the window the user asked from, so it covers that
// one's screen and goes with it.
bool ProgramHelpViewer::Open(const QUrl &page)
{
    if (m_pWindow == nullptr) {
        QWidget *owner = QApplication::activeWindow();
        m_pWindow = new CHelpWnd(owner);
        if (owner != nullptr)
            m_pWindow->move(owner->pos());
    }
    m_pWindow->ShowPage(page);
    m_pWindow->show();
    m_pWindow->raise();
    m_pWindow->activateWindow();
    return true;
}

namespace Platform {
HelpViewer &GetHelpViewer()
{
    static ProgramHelpViewer program;
    return g_pInstalled ? *g_pInstalled : program;
}

void SetHelpViewer(HelpViewer *viewer)
{
    g_pInstalled = viewer;
}
}
