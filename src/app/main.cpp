#include "app/CommandLine.h"
#include "app/QuorlexApp.h"
#include "app/ScreenScale.h"
#include "keyboard/KeyboardWnd.h"
#include "platform/ClipboardKeeper.h"
#include "platform/EndSignals.h"
#include "platform/Platform.h"
#include "platform/ProgramFolder.h"
#include "platform/Prompt.h"
#include "platform/TahomaFont.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {
QStringList Arguments(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

int Print(std::FILE *stream, const QString &text, int result)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    return result;
}

// Ends the process once the board has been painted for the first time, so
// that the start can be timed and weighed as a whole process. The end is
// queued and so comes when that paint is done; nothing is saved or copied
// and nothing is torn down, as none of that belongs to the start.
// Qt ends the process with exit() from inside its event loop when the
// connection to the display breaks, as when the X server ends at a logout
// without a session manager. The text on screen is kept then as at a signal;
// nobody is there to answer a box any more, so a failed save is not shown.
class SilentPrompt : public Prompt
{
public:
    void ShowMessage(const QString &, const QString &) override {}
    bool AskYesNo(const QString &, const QString &) override { return false; }
};

CQuorlexApp *g_pRunning = nullptr;

void KeepTextWhenEndedFromInside()
{
    CQuorlexApp *running = std::exchange(g_pRunning, nullptr);
    if (running == nullptr)
        return;
    static SilentPrompt silent;
    Platform::SetPrompt(&silent);
    running->OnDisplayEnd();
}

class QuitAfterFirstBoardPaint : public QObject
{
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && qobject_cast<CKeyboardWnd *>(watched) != nullptr) {
            qApp->removeEventFilter(this);
            QTimer::singleShot(0, qApp, [] {
                std::fflush(nullptr);
                std::_Exit(0);
            });
        }
        return false;
    }
};
}

int main(int argc, char *argv[])
{
    const CommandLineOptions options = ParseCommandLine(Arguments(argc, argv));
    if (!options.m_strError.isEmpty())
        return Print(stderr, options.m_strError + QLatin1Char('\n') + UsageText(), 2);
    if (options.m_bHelp)
        return Print(stdout, UsageText(), 0);
    if (options.m_bVersion)
        return Print(stdout, VersionText(), 0);

    ApplyScreenScale(options.m_nScale, argc, argv);
    QApplication application(argc, argv);
    const QString unknown = ParseCommandLine(Arguments(argc, argv)).m_strUnknown;
    if (!unknown.isEmpty())
        return Print(stderr, unknown + QLatin1Char('\n') + UsageText(), 2);
    RegisterTahoma();
    if (SetUpProgramFolder(options.m_strHome, QCoreApplication::applicationDirPath()).isEmpty())
        return Print(stderr, QStringLiteral("quorlex: cannot make the folder \"%1\".\n").arg(options.m_strHome), 2);
    QuitAfterFirstBoardPaint quitAfterFirstPaint;
    if (options.m_bQuitAfterFirstPaint)
        application.installEventFilter(&quitAfterFirstPaint);
    CQuorlexApp quorlex;
    if (!quorlex.InitInstance())
        return 1;
    EndSignals endSignals;
    QObject::connect(&endSignals, &EndSignals::EndRequested, &quorlex, &CQuorlexApp::OnEndSignal);
    g_pRunning = &quorlex;
    std::atexit(KeepTextWhenEndedFromInside);
    const int status = application.exec();
    g_pRunning = nullptr;
    Platform::KeepClipboardAfterExit();
    return status;
}
