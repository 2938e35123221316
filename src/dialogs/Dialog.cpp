#include "dialogs/Dialog.h"

#include "dialogs/DevicePlacement.h"
#include "dialogs/ControlBuilder.h"
#include "dialogs/DialogItems.h"

#include <QAbstractButton>

namespace {
constexpr int kScreenWidth = 240;
constexpr int kScreenHeight = 320;
}

CDialog::CDialog(const QSize &templateUnits, double fontPoints, QWidget *parent)
    : QDialog(parent), m_units(fontPoints), m_templateUnits(templateUnits)
{
}

int CDialog::DoModal()
{
    Build();
    PlaceOverDeviceScreen(this);
    return exec();
}

void CDialog::Create()
{
    Build();
    show();
}

void CDialog::Build()
{
    if (m_bCreated)
        return;
    m_bCreated = true;
    setFont(m_units.Font().Font());
    // The handheld shows every dialog on its screen, whatever the template says.
    setFixedSize(m_units.Size(m_templateUnits).boundedTo(QSize(kScreenWidth, kScreenHeight)));
    ControlBuilder builder(this, m_units);
    CreateControls(builder);
    ConnectEndButtons();
    OnInitDialog();
}

void CDialog::ConnectEndButtons()
{
    if (auto *ok = GetDlgItemAs<QAbstractButton>(this, IDOK))
        connect(ok, &QAbstractButton::clicked, this, [this] { OnOK(); });
    if (auto *cancel = GetDlgItemAs<QAbstractButton>(this, IDCANCEL))
        connect(cancel, &QAbstractButton::clicked, this, [this] { OnCancel(); });
}

void CDialog::EndDialog(int result)
{
    done(result);
}

bool CDialog::UpdateData(bool save)
{
    DoDataExchange(save);
    return true;
}

void CDialog::CreateControls(ControlBuilder &) {}

bool CDialog::OnInitDialog()
{
    UpdateData(false);
    return true;
}

void CDialog::DoDataExchange(bool) {}

void CDialog::OnOK()
{
    if (UpdateData(true))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::accept()
{
    OnOK();
}

void CDialog::reject()
{
    OnCancel();
}
