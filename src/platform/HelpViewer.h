#pragma once

class QUrl;

// Starts the viewer for a help page. Whether it started is reported but the
// program does not tell the user: a missing viewer simply shows nothing.
class HelpViewer
{
public:
    virtual ~HelpViewer() = default;
    virtual bool Open(const QUrl &page) = 0;
};

// The desktop's viewer for the page (QDesktopServices).
class DesktopHelpViewer : public HelpViewer
{
public:
    bool Open(const QUrl &page) override;
};

namespace Platform {
HelpViewer &GetHelpViewer();
void SetHelpViewer(HelpViewer *viewer);
}
