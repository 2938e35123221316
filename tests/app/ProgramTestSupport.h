#pragma once

#include "app/Settings.h"
#include "platform/FileDialogs.h"
#include "platform/HelpViewer.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QUrl>

#include <functional>
#include <initializer_list>

class CMainFrame;
class CQuorlexApp;

// Writes the preferences the program will read at start: the defaults, with
// the board left down unless the test changes that.
void WritePreferences(const std::function<void(Settings &)> &adjust = {});

QByteArray Bytes(std::initializer_list<unsigned char> values);
QByteArray ReadBytes(const QString &path);

// Runs what has been posted (the program posts its closes) and waits for
// nothing else.
void RunPostedMessages();
// Makes the frame the active window, so that its accelerators work.
bool ActivateFrame(CMainFrame *frame);

// Answers the file dialogs as scripted and records what was asked.
class FakeFileDialogs : public FileDialogs
{
public:
    FakeFileDialogs();
    ~FakeFileDialogs() override;
    QString GetOpenFileName(QWidget *parent, const QString &folder) override;
    QString GetSaveFileName(QWidget *parent, const QString &suggestedPath) override;

    QString m_strOpenAnswer;
    QString m_strSaveAnswer;
    int m_nAsked = 0;
};

// Records the pages it is asked to show.
class FakeHelpViewer : public HelpViewer
{
public:
    FakeHelpViewer();
    ~FakeHelpViewer() override;
    bool Open(const QUrl &page) override;

    QList<QUrl> m_pages;
    bool m_bStarts = true;
};
