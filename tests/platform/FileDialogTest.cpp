#include "platform/FileDialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

// Open and Save As show Qt's file dialog for real: every part a tap needs lies
// on the screen (the 240 x 320 run is the one that matters), and a tap on the
// dialog's button gives the file chosen.
TEST(FileDialog, OpenAndSaveAsFitTheScreenAndATapOnTheirButtonChooses)
{
    QTemporaryDir folder;
    QFile(folder.filePath("note.txt")).open(QIODevice::WriteOnly);
    for (const bool bSave : {false, true}) {
        QRect frame;
        QRect screen;
        QList<QRect> parts;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            frame = dialog->frameGeometry();
            screen = dialog->screen()->availableGeometry();
            for (QWidget *part : dialog->findChildren<QWidget *>()) {
                if (part->isVisible() && (qobject_cast<QAbstractButton *>(part) || qobject_cast<QLineEdit *>(part) ||
                                          qobject_cast<QComboBox *>(part) || qobject_cast<QListView *>(part)))
                    parts << QRect(part->mapToGlobal(QPoint(0, 0)), part->size());
            }
            if (!bSave)
                dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("note.txt"));
            auto *buttons = dialog->findChild<QDialogButtonBox *>();
            QTest::mouseClick(buttons->button(bSave ? QDialogButtonBox::Save : QDialogButtonBox::Open), Qt::LeftButton);
        });
        DesktopFileDialogs dialogs;
        const QString chosen = bSave ? dialogs.GetSaveFileName(nullptr, folder.filePath("Untitled.txt"))
                                     : dialogs.GetOpenFileName(nullptr, folder.path());
        EXPECT_EQ(chosen, folder.filePath(bSave ? "Untitled.txt" : "note.txt"));
        EXPECT_TRUE(screen.contains(frame)) << frame.width() << " x " << frame.height();
        EXPECT_GE(parts.size(), 6);
        for (const QRect &part : parts)
            EXPECT_TRUE(screen.contains(part)) << part.x() << "," << part.y() << " " << part.width() << " x " << part.height();
    }
}
