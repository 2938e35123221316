#include "ProgramTestSupport.h"

#include "app/MainFrame.h"
#include "platform/IniProfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QTest>

void WritePreferences(const std::function<void(Settings &)> &adjust)
{
    Settings settings;
    settings.m_bOpenKBOnStart = 0;
    if (adjust)
        adjust(settings);
    IniProfile profile(IniProfile::PreferencesPath());
    SaveSettings(settings, profile);
}

QByteArray Bytes(std::initializer_list<unsigned char> values)
{
    QByteArray bytes;
    for (const unsigned char value : values)
        bytes.append(static_cast<char>(value));
    return bytes;
}

QByteArray ReadBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return file.readAll();
}

void RunPostedMessages()
{
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

bool ActivateFrame(CMainFrame *frame)
{
    frame->activateWindow();
    return QTest::qWaitForWindowActive(frame);
}

FakeFileDialogs::FakeFileDialogs()
{
    Platform::SetFileDialogs(this);
}

FakeFileDialogs::~FakeFileDialogs()
{
    Platform::SetFileDialogs(nullptr);
}

QString FakeFileDialogs::GetOpenFileName(QWidget *, const QString &)
{
    ++m_nAsked;
    return m_strOpenAnswer;
}

QString FakeFileDialogs::GetSaveFileName(QWidget *, const QString &)
{
    ++m_nAsked;
    return m_strSaveAnswer;
}

FakeHelpViewer::FakeHelpViewer()
{
    Platform::SetHelpViewer(this);
}

FakeHelpViewer::~FakeHelpViewer()
{
    Platform::SetHelpViewer(nullptr);
}

bool FakeHelpViewer::Open(const QUrl &page)
{
    m_pages << page;
    return m_bStarts;
}
