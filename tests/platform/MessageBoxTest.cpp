#include "platform/Prompt.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

// The boxes are shown for real, through the program's own prompt; the
// 240 x 320 run of these tests (a screen of that size) is the one that
// matters, and on any screen every box must fit the screen it opens on.
namespace {
struct OpenedBox {
    QRect box;
    QRect screen;
    QList<QRect> buttons;
    QList<QRect> texts;
    bool bTextReachable = true;
};

OpenedBox Show(const QString &text, bool bQuestion)
{
    OpenedBox opened;
    QTimer::singleShot(0, [&opened] {
        QWidget *box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        opened.box = box->frameGeometry();
        opened.screen = box->screen()->availableGeometry();
        for (const QAbstractButton *button : box->findChildren<QAbstractButton *>())
            opened.buttons << QRect(button->mapToGlobal(QPoint(0, 0)), button->size());
        // Text cut off at the side, or below without a scroll bar, is lost.
        for (const QTextEdit *edit : box->findChildren<QTextEdit *>()) {
            opened.texts << QRect(edit->mapToGlobal(QPoint(0, 0)), edit->size());
            const QSize content = edit->document()->size().toSize();
            opened.bTextReachable = content.width() <= edit->viewport()->width() &&
                                    (content.height() <= edit->viewport()->height() ||
                                     edit->verticalScrollBar()->maximum() > 0);
        }
        QTest::keyClick(box, Qt::Key_Escape);
    });
    DialogPrompt prompt;
    if (bQuestion)
        prompt.AskYesNo(text);
    else
        prompt.ShowMessage(text);
    return opened;
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
        const OpenedBox opened = Show(text, bQuestion);
        EXPECT_TRUE(opened.screen.contains(opened.box)) << text.left(30).toStdString() << " at " << opened.box.width()
                                                        << " x " << opened.box.height();
        EXPECT_TRUE(opened.buttons.size() == (bQuestion ? 2 : 1) && opened.texts.size() == 1);
        for (const QRect &part : opened.buttons + opened.texts)
            EXPECT_TRUE(opened.box.contains(part) && opened.screen.contains(part)) << text.left(30).toStdString();
        EXPECT_TRUE(opened.bTextReachable) << text.left(30).toStdString();
    }
}
