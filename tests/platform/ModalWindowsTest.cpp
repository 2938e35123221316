#include "platform/FileDialogs.h"
#include "platform/Prompt.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <functional>

// Message boxes and file dialogs are shown for real, through the program's own
// services; the 240 x 320 run of these tests (a screen of that size) is the
// one that matters, and on any screen every window and every part of it a tap
// needs must lie on the screen it opens on.
namespace {
struct Shown {
    QRect frame;
    QRect screen;
    QList<QRect> parts;
};

// Once the modal window is running, notes where it and its parts of the kinds
// asked for lie, and answers it.
template <typename... Parts>
void WhenShown(Shown &shown, std::function<void(QWidget *)> answer)
{
    QTimer::singleShot(0, [&shown, answer] {
        QWidget *window = QApplication::activeModalWidget();
        ASSERT_NE(window, nullptr);
        shown.frame = window->frameGeometry();
        shown.screen = window->screen()->availableGeometry();
        for (QWidget *part : window->findChildren<QWidget *>())
            if (part->isVisible() && (qobject_cast<Parts *>(part) || ...))
                shown.parts << QRect(part->mapToGlobal(QPoint(0, 0)), part->size());
        answer(window);
    });
}

void ExpectOnTheScreen(const Shown &shown, const std::string &what)
{
    EXPECT_TRUE(shown.screen.contains(shown.frame)) << what << " at " << shown.frame.width() << " x " << shown.frame.height();
    for (const QRect &part : shown.parts)
        EXPECT_TRUE(shown.frame.contains(part) && shown.screen.contains(part))
            << what << ": " << part.x() << "," << part.y() << " " << part.width() << " x " << part.height();
}
}

TEST(MessageBox, EveryBoxFitsTheScreenItOpensOnWithItsButtons)
{
    const QString path = "/home/somebody/handheld/programs/Quorlex/KeyMaps/AVeryLongKeyMapNameWithoutSpaces.kmap";
    const QString notice = "The newly created key maps are saved as '.kmap' files under the 'KeyMaps' folder in the "
                           "installation folder.If you make a key map for the keyboard of a language other than "
                           "English, please send it to support@vorlane.example so that we can offer it for download "
                           "to everybody.\nThank You.";
    const std::pair<QString, bool> boxes[] = {
        {notice, false},
        {"The key map file -'" + path + "' does not exist.  Using default key map.", false},
        {"Are you sure you want to delete all the typed content (all lines) ?", true},
        {notice + notice + notice + notice + notice, false},
    };
    for (const auto &[text, bQuestion] : boxes) {
        Shown shown;
        WhenShown<QAbstractButton, QTextEdit>(shown, [what = text.left(30).toStdString()](QWidget *box) {
            // Text cut off at the side, or below without a scroll bar, is lost.
            const QTextEdit *edit = box->findChild<QTextEdit *>();
            const QSize content = edit->document()->size().toSize();
            EXPECT_FALSE(content.width() > edit->viewport()->width() ||
                         (content.height() > edit->viewport()->height() && edit->verticalScrollBar()->maximum() == 0))
                << "the text cannot be reached: " << what;
            QTest::keyClick(box, Qt::Key_Escape);
        });
        DialogPrompt prompt;
        if (bQuestion)
            prompt.AskYesNo(text);
        else
            prompt.ShowMessage(text);
        EXPECT_EQ(shown.parts.size(), bQuestion ? 3 : 2) << "buttons and the text";
        ExpectOnTheScreen(shown, text.left(30).toStdString());
    }
}

// A tap on the dialog's button gives the file chosen.
TEST(FileDialog, OpenAndSaveAsFitTheScreenAndATapOnTheirButtonChooses)
{
    QTemporaryDir folder;
    QFile(folder.filePath("note.txt")).open(QIODevice::WriteOnly);
    for (const bool bSave : {false, true}) {
        Shown shown;
        WhenShown<QAbstractButton, QLineEdit, QComboBox, QListView>(shown, [bSave](QWidget *window) {
            if (!bSave)
                window->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("note.txt"));
            auto *buttons = window->findChild<QDialogButtonBox *>();
            QTest::mouseClick(buttons->button(bSave ? QDialogButtonBox::Save : QDialogButtonBox::Open), Qt::LeftButton);
        });
        DesktopFileDialogs dialogs;
        const QString chosen = bSave ? dialogs.GetSaveFileName(nullptr, folder.filePath("Untitled.txt"))
                                     : dialogs.GetOpenFileName(nullptr, folder.path());
        EXPECT_EQ(chosen, folder.filePath(bSave ? "Untitled.txt" : "note.txt"));
        EXPECT_GE(shown.parts.size(), 6);
        ExpectOnTheScreen(shown, bSave ? "Save As" : "Open");
    }
}
