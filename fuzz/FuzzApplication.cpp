#include "FuzzApplication.h"

#include <QApplication>

#include <cstdio>

namespace {
// Image readers and fonts warn about bad input on every run; that is the
// input's fault, not news, and writing it out slows fuzzing down. Anything
// worse still reaches the console, and a fatal message still ends the run.
void KeepOnlySeriousMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
    if (type == QtFatalMsg)
        std::abort();
}
}

TestEnvironment &StartFuzzApplication()
{
    static int argc = 1;
    static char name[] = "quorlex_fuzz";
    static char *argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(KeepOnlySeriousMessages);
        // Never deleted: it must outlive the targets' windows, which live
        // until the process ends.
        new QApplication(argc, argv);
    }
    // Destroyed at exit, which takes its temporary folders away again.
    static TestEnvironment environment;
    return environment;
}
