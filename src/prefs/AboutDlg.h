#pragma once

#include "platform/PointFont.h"
#include "dialogs/Dialog.h"

// The program's About box: its name and "for Pocket PC" in the blue title
// font, the version and the icon. It closes with OK.
class CAboutDlg : public CDialog
{
public:
    static constexpr int kProductId = 1056;
    static constexpr int kSubtitleId = 1057;
    static constexpr int kVersionId = 1036;

    explicit CAboutDlg(QWidget *parent = nullptr);

    const PointFont &TitleFont() const { return m_fontTitle; }

protected:
    void CreateControls(ControlBuilder &builder) override;
    bool OnInitDialog() override;

private:
    PointFont m_fontTitle;
};
