#pragma once

#include <QObject>

#include <memory>

class CMainFrame;
class CQuorlexDoc;
class CQuorlexView;

// The application: makes the document, the main frame with its notepad view,
// starts the first (empty) document and shows the screen.
class CQuorlexApp : public QObject
{
    Q_OBJECT

public:
    CQuorlexApp();
    ~CQuorlexApp() override;

    // False when the program cannot start.
    bool InitInstance();

    CMainFrame *MainFrame() const { return m_pMainFrame.get(); }
    CQuorlexDoc *Document() const { return m_pDocument.get(); }
    CQuorlexView *View() const;

    void OnAppAbout();
    // A signal ends the program: the text is kept as Exit keeps it, then the
    // program ends.
    void OnEndSignal();
    // The display went away under the program, which is ending: the text is
    // kept, without the clipboard, which went with the display.
    void OnDisplayEnd();
    // The desktop session is ending: the text is kept, and the program goes
    // on in case the session does.
    void OnCommitData();

private:
    std::unique_ptr<CQuorlexDoc> m_pDocument;
    std::unique_ptr<CMainFrame> m_pMainFrame;
};
