#pragma once

#include "platform/PointFont.h"

#include <QDialog>
#include <QPointer>
#include <QString>

#include <vector>

class CPropertyPage;
class QPushButton;
class QTabBar;

// A sheet of pages under tabs, as the handheld lays it out on its small
// screen: the page fills the width, the tabs run along the bottom and OK sits
// at the end of the tab row. The caller owns the pages and adds them before
// the sheet is run; a page is created when it is first shown. OK reads back
// every page that was created and ends with IDOK; closing the window or
// EndDialog(IDCANCEL) ends with IDCANCEL and reads nothing.
class CPropertySheet : public QDialog
{
public:
    explicit CPropertySheet(const QString &caption, QWidget *parent = nullptr, int selectPage = 0);
    ~CPropertySheet() override;
    CPropertySheet(const CPropertySheet &) = delete;
    CPropertySheet &operator=(const CPropertySheet &) = delete;

    void AddPage(CPropertyPage *page);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage *GetPage(int index) const;
    int GetActiveIndex() const { return m_nActive; }
    CPropertyPage *GetActivePage() const { return GetPage(m_nActive); }
    void SetActivePage(int index);

    int DoModal();
    // Lays the sheet out and shows it without a modal loop.
    void Create();
    void EndDialog(int result);

    QTabBar *TabBar() const { return m_pTabBar; }
    QPushButton *OkButton() const { return m_pOk; }

protected:
    void reject() override;
    void accept() override;

private:
    void Build();
    void LayOut();
    void OnOK();

    std::vector<QPointer<CPropertyPage>> m_pages;
    PointFont m_fontTabs;
    QTabBar *m_pTabBar;
    QPushButton *m_pOk;
    int m_nActive = -1;
    int m_nSelectPage;
    bool m_bBuilt = false;
};
