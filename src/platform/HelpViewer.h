#pragma once

#include "platform/HelpWnd.h"

#include <QPointer>

class QUrl;

// Shows a help page. Whether it could be shown is reported but the program
// does not tell the user.
class HelpViewer
{
public:
    virtual ~HelpViewer() = default;
    virtual bool Open(const QUrl &page) = 0;
};

// The program's own help window, one at a time: opening a page while it is
// up shows that page in it and brings it to the front.
class ProgramHelpViewer : public HelpViewer
{
public:
    bool Open(const QUrl &page) override;
    CHelpWnd *Window() const { return m_pWindow; }

private:
    QPointer<CHelpWnd> m_pWindow;
};

namespace Platform {
HelpViewer &GetHelpViewer();
void SetHelpViewer(HelpViewer *viewer);
}
