#pragma once

#include <QString>

class QWidget;

// The file name dialogs of Open and Save As. An empty result means the user
// cancelled. Tests put their own answers in place with SetFileDialogs.
class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    virtual QString GetOpenFileName(QWidget *parent, const QString &folder) = 0;
    virtual QString GetSaveFileName(QWidget *parent, const QString &suggestedPath) = 0;
};

// Qt's own file dialogs, laid out to fit a screen the size of the device's.
class DesktopFileDialogs : public FileDialogs
{
public:
    QString GetOpenFileName(QWidget *parent, const QString &folder) override;
    QString GetSaveFileName(QWidget *parent, const QString &suggestedPath) override;
};

namespace Platform {
FileDialogs &GetFileDialogs();
void SetFileDialogs(FileDialogs *dialogs);
}
