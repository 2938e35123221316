#include "platform/Prompt.h"

#include "platform/MessageBoxDlg.h"

#include <QApplication>
#include <QScreen>

namespace {
QString TitleOr(const QString &title)
{
    return title.isEmpty() ? QStringLiteral("Quorlex") : title;
}

// The box opens on the screen of the window it belongs to and fits there.
bool RunBox(const QString &text, const QString &title, bool bQuestion)
{
    QWidget *parent = QApplication::activeWindow();
    CMessageBoxDlg box(text, TitleOr(title), bQuestion, parent);
    const QScreen *screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr)
        box.FitInto(screen->availableGeometry());
    return box.exec() == QDialog::Accepted;
}
}

void DialogPrompt::ShowMessage(const QString &text, const QString &title)
{
    RunBox(text, title, false);
}

bool DialogPrompt::AskYesNo(const QString &text, const QString &title)
{
    return RunBox(text, title, true);
}
