#include "platform/FileDialogs.h"

#include <QFileDialog>

namespace {
FileDialogs *g_pInstalled = nullptr;

const QString &Filter()
{
    static const QString filter = QStringLiteral("Text files (*.txt);;All files (*)");
    return filter;
}
}

QString DesktopFileDialogs::GetOpenFileName(QWidget *parent, const QString &folder)
{
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Open"), folder, Filter());
}

QString DesktopFileDialogs::GetSaveFileName(QWidget *parent, const QString &suggestedPath)
{
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Save As"), suggestedPath, Filter());
}

namespace Platform {
FileDialogs &GetFileDialogs()
{
    static DesktopFileDialogs desktop;
    return g_pInstalled ? *g_pInstalled : desktop;
}

void SetFileDialogs(FileDialogs *dialogs)
{
    g_pInstalled = dialogs;
}
}
