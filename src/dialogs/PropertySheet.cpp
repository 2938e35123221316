#include "dialogs/PropertySheet.h"

#include "dialogs/DevicePlacement.h"
#include "dialogs/DialogItems.h"
#include "dialogs/PropertyPage.h"

#include <QPushButton>
#include <QTabBar>

#include <algorithm>

namespace {
constexpr int kScreenWidth = 240;
constexpr int kOkWidth = 40;
constexpr int kOkGap = 2;
}

CPropertySheet::CPropertySheet(const QString &caption, QWidget *parent, int selectPage)
    : QDialog(parent), m_pTabBar(new QTabBar(this)), m_pOk(new QPushButton(QStringLiteral("OK"), this)),
      m_nSelectPage(selectPage)
{
    setWindowTitle(caption);
    MakePointFont(m_fontTabs, QStringLiteral("Tahoma"), 8, false, false, false, false, 0, 0);
    setFont(m_fontTabs.Font());
    m_pTabBar->setShape(QTabBar::RoundedSouth);
    m_pTabBar->setDrawBase(false);
    m_pTabBar->setExpanding(false);
    m_pOk->setAutoDefault(false);
    connect(m_pOk, &QPushButton::clicked, this, [this] { OnOK(); });
}

CPropertySheet::~CPropertySheet()
{
    // The pages belong to the caller, who may destroy them after the sheet.
    for (const QPointer<CPropertyPage> &page : m_pages) {
        if (page) {
            page->hide();
            page->setParent(nullptr);
        }
    }
}

void CPropertySheet::AddPage(CPropertyPage *page)
{
    page->setParent(this);
    page->hide();
    m_pages.emplace_back(page);
    m_pTabBar->addTab(page->Caption());
}

CPropertyPage *CPropertySheet::GetPage(int index) const
{
    if (index < 0 || index >= GetPageCount())
        return nullptr;
    return m_pages[static_cast<size_t>(index)];
}

void CPropertySheet::SetActivePage(int index)
{
    CPropertyPage *page = GetPage(index);
    if (page == nullptr || index == m_nActive)
        return;
    if (CPropertyPage *previous = GetActivePage())
        previous->hide();
    m_nActive = index;
    page->Create();
    page->show();
    page->raise();
    const QSignalBlocker blocker(m_pTabBar);
    m_pTabBar->setCurrentIndex(index);
}

int CPropertySheet::DoModal()
{
    Build();
    PlaceOverDeviceScreen(this);
    return exec();
}

void CPropertySheet::Create()
{
    Build();
    show();
}

void CPropertySheet::Build()
{
    if (m_bBuilt)
        return;
    m_bBuilt = true;
    LayOut();
    connect(m_pTabBar, &QTabBar::currentChanged, this, [this](int index) { SetActivePage(index); });
    SetActivePage(std::clamp(m_nSelectPage, 0, std::max(0, GetPageCount() - 1)));
}

void CPropertySheet::LayOut()
{
    int pageWidth = kScreenWidth;
    int pageHeight = 0;
    for (const QPointer<CPropertyPage> &page : m_pages) {
        pageWidth = std::max(pageWidth, page->TemplateSize().width());
        pageHeight = std::max(pageHeight, page->TemplateSize().height());
    }
    for (const QPointer<CPropertyPage> &page : m_pages)
        page->setGeometry(0, 0, pageWidth, pageHeight);
    const int tabHeight = m_pTabBar->sizeHint().height();
    m_pTabBar->setGeometry(0, pageHeight, pageWidth - kOkWidth - 2 * kOkGap, tabHeight);
    m_pOk->setGeometry(pageWidth - kOkWidth - kOkGap, pageHeight + kOkGap, kOkWidth, tabHeight - 2 * kOkGap);
    setFixedSize(pageWidth, pageHeight + tabHeight);
}

void CPropertySheet::OnOK()
{
    for (const QPointer<CPropertyPage> &page : m_pages) {
        if (page && page->IsCreated()) {
            page->UpdateData(true);
            page->OnOK();
        }
    }
    EndDialog(IDOK);
}

void CPropertySheet::EndDialog(int result)
{
    done(result);
}

void CPropertySheet::reject()
{
    if (CPropertyPage *page = GetActivePage())
        page->OnCancel();
    EndDialog(IDCANCEL);
}

void CPropertySheet::accept()
{
    OnOK();
}
