#include "prefs/PrefsPage.h"

#include "dialogs/ControlBuilder.h"
#include "dialogs/DialogItems.h"
#include "dialogs/PropertySheet.h"

#include <QPainter>
#include <QPushButton>

CPrefsPage::CPrefsPage(const QString &caption, const QString &headerTitle, const QSize &templateUnits)
    : CPropertyPage(caption, templateUnits)
{
    m_header.SetTitle(headerTitle);
    m_header.BuildFont();
    HeaderFrame::SetDialogBackground(this);
}

void CPrefsPage::CreateControls(ControlBuilder &builder)
{
    QPushButton *cancel = builder.Button(IDCANCEL, QStringLiteral("Cancel"), QRect(0, 0, 40, 14));
    connect(cancel, &QPushButton::clicked, this, [this] { OnCancelButton(); });
}

bool CPrefsPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_header.Create(this);
    return true;
}

void CPrefsPage::OnCancelButton()
{
    if (CPropertySheet *sheet = Sheet())
        sheet->EndDialog(IDCANCEL);
    OnCancel();
}

void CPrefsPage::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    HeaderFrame::PaintRule(painter, width());
    if (IsCreated())
        PaintPage(painter);
}

void CPrefsPage::PaintPage(QPainter &) {}

void CPrefsPage::ColourBlue(std::initializer_list<int> ids)
{
    SetTextColour(this, ids, kHeaderBlue);
}
