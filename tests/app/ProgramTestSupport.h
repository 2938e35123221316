#pragma once

#include "app/QuorlexApp.h"
#include "settings/Settings.h"
#include "platform/FileDialogs.h"
#include "support/TestEnvironment.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <initializer_list>

// One run of the program in a world of its own: the test prepares the
// program folder and the clipboard, the preferences are written (the board
// left down unless the test says otherwise), then the program starts.
class ProgramRun
{
public:
    explicit ProgramRun(const std::function<void(Settings &)> &adjust = {},
                        const std::function<void(TestEnvironment &)> &prepare = {});

    CMainFrame *Frame() const { return m_program.MainFrame(); }
    CQuorlexView *View() const { return m_program.View(); }
    CQuorlexDoc *Document() const { return m_program.Document(); }
    void Command(int id) const;
    // Makes the frame the active window, so that its accelerators work.
    bool Activate() const;
    QString FilePath(const QString &name) const;

    TestEnvironment m_environment;
    CQuorlexApp m_program;
    bool m_bStarted = false;
};

QByteArray Bytes(std::initializer_list<unsigned char> values);
QByteArray ReadBytes(const QString &path);
// Runs what has been posted: the program posts its closes.
void RunPostedMessages();

// Answers the file dialogs as scripted and counts the questions.
class FakeFileDialogs : public FileDialogs
{
public:
    FakeFileDialogs() { Platform::SetFileDialogs(this); }
    ~FakeFileDialogs() override { Platform::SetFileDialogs(nullptr); }
    QString GetOpenFileName(QWidget *, const QString &) override { ++m_nAsked; return m_strOpenAnswer; }
    QString GetSaveFileName(QWidget *, const QString &) override { ++m_nAsked; return m_strSaveAnswer; }

    QString m_strOpenAnswer;
    QString m_strSaveAnswer;
    int m_nAsked = 0;
};
