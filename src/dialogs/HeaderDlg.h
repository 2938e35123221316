#pragma once

#include "dialogs/Dialog.h"
#include "dialogs/HeaderFrame.h"

// A dialog in the program's header look: blue title, rule, Cancel at the top
// right. A derived dialog sets its title before it is created and paints or
// colours more in its own handlers, calling these first.
class CHeaderDlg : public CDialog
{
public:
    CHeaderDlg(const QSize &templateUnits, double fontPoints, QWidget *parent = nullptr);

protected:
    bool OnInitDialog() override;
    void paintEvent(QPaintEvent *event) override;

    HeaderFrame m_header;
};
