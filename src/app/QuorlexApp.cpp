#include "app/QuorlexApp.h"

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/QuorlexDoc.h"
#include "app/QuorlexView.h"
#include "prefs/AboutDlg.h"
#include "prefs/ProgramIcon.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>

CQuorlexApp::CQuorlexApp() = default;

// The frame (and the view in it) goes before the document it shows.
CQuorlexApp::~CQuorlexApp()
{
    m_pMainFrame.reset();
    m_pDocument.reset();
}

CQuorlexView *CQuorlexApp::View() const
{
    return m_pMainFrame ? m_pMainFrame->View() : nullptr;
}

bool CQuorlexApp::InitInstance()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Vorlane Corporation"));
    // The icon of the menu entry, for every window of the program.
    QApplication::setWindowIcon(QIcon(ProgramIcon()));
    m_pDocument = std::make_unique<CQuorlexDoc>();
    m_pMainFrame = std::make_unique<CMainFrame>(m_pDocument.get());
    m_pDocument->SetView(m_pMainFrame->View());
    connect(m_pMainFrame->Command(ID_APP_ABOUT), &QAction::triggered, this, &CQuorlexApp::OnAppAbout);
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, &CQuorlexApp::OnCommitData);
    if (!m_pDocument->OnNewDocument())
        return false;
    m_pMainFrame->View()->OnInitialUpdate();
    m_pMainFrame->ShowOnScreen();
    return true;
}

void CQuorlexApp::OnAppAbout()
{
    CAboutDlg about(m_pMainFrame.get());
    about.DoModal();
}

void CQuorlexApp::OnEndSignal()
{
    View()->KeepTextAtEnd(true);
    QCoreApplication::quit();
}

void CQuorlexApp::OnDisplayEnd()
{
    View()->KeepTextAtEnd(true, false);
}

void CQuorlexApp::OnCommitData()
{
    View()->KeepTextAtEnd(false);
}
