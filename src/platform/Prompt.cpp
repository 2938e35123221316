#include "platform/Prompt.h"

#include <QApplication>
#include <QMessageBox>

namespace {
QString TitleOr(const QString &title)
{
    return title.isEmpty() ? QStringLiteral("Quorlex") : title;
}
}

void DialogPrompt::ShowMessage(const QString &text, const QString &title)
{
    QMessageBox::information(QApplication::activeWindow(), TitleOr(title), text, QMessageBox::Ok);
}

bool DialogPrompt::AskYesNo(const QString &text, const QString &title)
{
    return QMessageBox::question(QApplication::activeWindow(), TitleOr(title), text,
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}
