#include "dialogs/PropertyPage.h"

#include "dialogs/ControlBuilder.h"
#include "dialogs/PropertySheet.h"

CPropertyPage::CPropertyPage(const QString &caption, const QSize &templateUnits, double fontPoints)
    : m_strCaption(caption), m_units(fontPoints), m_templateUnits(templateUnits)
{
    setFont(m_units.Font().Font());
}

void CPropertyPage::Create()
{
    if (m_bCreated)
        return;
    m_bCreated = true;
    ControlBuilder builder(this, m_units);
    CreateControls(builder);
    OnInitDialog();
}

bool CPropertyPage::UpdateData(bool save)
{
    DoDataExchange(save);
    return true;
}

void CPropertyPage::OnOK() {}

void CPropertyPage::OnCancel() {}

CPropertySheet *CPropertyPage::Sheet() const
{
    return dynamic_cast<CPropertySheet *>(parentWidget());
}

void CPropertyPage::CreateControls(ControlBuilder &) {}

bool CPropertyPage::OnInitDialog()
{
    UpdateData(false);
    return true;
}

void CPropertyPage::DoDataExchange(bool) {}
