#include "platform/HelpViewer.h"

#include <QDesktopServices>
#include <QUrl>

namespace {
HelpViewer *g_pInstalled = nullptr;
}

bool DesktopHelpViewer::Open(const QUrl &page)
{
    return QDesktopServices::openUrl(page);
}

namespace Platform {
HelpViewer &GetHelpViewer()
{
    static DesktopHelpViewer desktop;
    return g_pInstalled ? *g_pInstalled : desktop;
}

void SetHelpViewer(HelpViewer *viewer)
{
    g_pInstalled = viewer;
}
}
