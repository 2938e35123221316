#include "prefs/AboutDlg.h"

#include "dialogs/ControlBuilder.h"
#include "dialogs/DialogItems.h"
#include "dialogs/HeaderFrame.h"
#include "prefs/ProgramIcon.h"

#include <QLabel>

CAboutDlg::CAboutDlg(QWidget *parent) : CDialog(QSize(147, 143), 9, parent)
{
    setWindowTitle(QStringLiteral("About Quorlex"));
    HeaderFrame::SetDialogBackground(this);
}

void CAboutDlg::CreateControls(ControlBuilder &builder)
{
    builder.Static(kProductId, QStringLiteral("Quorlex"), QRect(0, 9, 136, 15), Qt::AlignHCenter);
    builder.Static(kSubtitleId, QStringLiteral("for Pocket PC"), QRect(0, 27, 136, 15), Qt::AlignHCenter);
    builder.Static(kVersionId, QStringLiteral("Version 1.5"), QRect(33, 45, 81, 9), Qt::AlignHCenter);
    QLabel *icon = builder.Picture(QRect(60, 125, 20, 20));
    icon->setPixmap(ProgramIcon());
    icon->adjustSize();
    builder.Button(IDOK, QStringLiteral("OK"), QRect(94, 126, 40, 14));
}

bool CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    MakePointFont(m_fontTitle, QStringLiteral("Tahoma"), 14, true, false, false, false, 0, 0);
    for (const int id : {kProductId, kSubtitleId}) {
        QWidget *title = GetDlgItem(this, id);
        title->setFont(m_fontTitle.Font());
        SetTextColour(title, kHeaderBlue);
    }
    return true;
}
