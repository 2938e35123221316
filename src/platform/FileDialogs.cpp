#include "platform/FileDialogs.h"

#include "platform/ScreenFit.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>

namespace {
FileDialogs *g_pInstalled = nullptr;

const QString &Filter()
{
    static const QString filter = QStringLiteral("Text files (*.txt);;All files (*)");
    return filter;
}

// Qt's own file dialog asks for about 620 x 410 pixels and at least 323 in
// width, more than the device's screen has. Laid out for that screen: no
// side bar, no history or view buttons, no labels beside the two fields
// (the name field says what it is), the buttons in a row under them, and the
// window, its frame included, within the screen's free area.
void LayOutForSmallScreen(QFileDialog &dialog)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setViewMode(QFileDialog::List);
    for (const char *name : {"sidebar", "lookInLabel", "backButton", "forwardButton", "listModeButton",
                             "detailModeButton", "fileNameLabel", "fileTypeLabel"}) {
        if (auto *widget = dialog.findChild<QWidget *>(QLatin1String(name)))
            widget->hide();
    }
    // The folder combo widens to the folder's whole path unless told not to.
    for (auto *combo : dialog.findChildren<QComboBox *>()) {
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setMinimumContentsLength(8);
    }
    if (auto *edit = dialog.findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
        edit->setPlaceholderText(QStringLiteral("File name"));
    auto *grid = qobject_cast<QGridLayout *>(dialog.layout());
    auto *buttons = dialog.findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
    if (grid != nullptr && buttons != nullptr) {
        grid->removeWidget(buttons);
        buttons->setOrientation(Qt::Horizontal);
        grid->addWidget(buttons, grid->rowCount(), 0, 1, -1);
    }
}

void FitInto(QFileDialog &dialog, const QRect &area)
{
    const QRect inside = RoomForContents(dialog, area);
    // The smallest size is the one of the full layout until the layout is
    // worked out again without the hidden parts.
    dialog.layout()->invalidate();
    dialog.layout()->activate();
    CentreIn(dialog, area, dialog.sizeHint().boundedTo(inside.size()).expandedTo(dialog.minimumSize()));
}

QString Run(QWidget *parent, QFileDialog::AcceptMode mode, const QString &title, const QString &path)
{
    const QFileInfo place(path);
    const bool bFolder = path.isEmpty() || place.isDir();
    QFileDialog dialog(parent, title, bFolder ? path : place.absolutePath(), Filter());
    if (!bFolder)
        dialog.selectFile(place.fileName());
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    LayOutForSmallScreen(dialog);
    const QScreen *screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr)
        FitInto(dialog, screen->availableGeometry());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}
}

QString DesktopFileDialogs::GetOpenFileName(QWidget *parent, const QString &folder)
{
    return Run(parent, QFileDialog::AcceptOpen, QStringLiteral("Open"), folder);
}

QString DesktopFileDialogs::GetSaveFileName(QWidget *parent, const QString &suggestedPath)
{
    return Run(parent, QFileDialog::AcceptSave, QStringLiteral("Save As"), suggestedPath);
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
