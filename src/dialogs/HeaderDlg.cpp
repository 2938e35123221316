#include "dialogs/HeaderDlg.h"

#include <QPainter>

CHeaderDlg::CHeaderDlg(const QSize &templateUnits, double fontPoints, QWidget *parent)
    : CDialog(templateUnits, fontPoints, parent)
{
    HeaderFrame::SetDialogBackground(this);
}

bool CHeaderDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_header.BuildFont();
    m_header.Create(this);
    return true;
}

void CHeaderDlg::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    HeaderFrame::PaintRule(painter, width());
}
