#include "ProgramTestSupport.h"

#include "app/MainFrame.h"
#include "app/QuorlexView.h"
#include "platform/IniProfile.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTest>

ProgramRun::ProgramRun(const std::function<void(Settings &)> &adjust,
                       const std::function<void(TestEnvironment &)> &prepare)
{
    if (prepare)
        prepare(m_environment);
    Settings settings;
    settings.m_bOpenKBOnStart = 0;
    if (adjust)
        adjust(settings);
    IniProfile profile(IniProfile::PreferencesPath());
    SaveSettings(settings, profile);
    m_bStarted = m_program.InitInstance();
}

void ProgramRun::Command(int id) const
{
    Frame()->Command(id)->trigger();
}

bool ProgramRun::Activate() const
{
    Frame()->activateWindow();
    return QTest::qWaitForWindowActive(Frame());
}

QString ProgramRun::FilePath(const QString &name) const
{
    return QDir(m_environment.ProgramFolder()).filePath(name);
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
