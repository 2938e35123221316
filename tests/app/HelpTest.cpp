#include "ProgramTestSupport.h"

#include "app/CommandIds.h"
#include "platform/HelpViewer.h"
#include "platform/HelpWnd.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QTest>
#include <QTextBrowser>

namespace {
QString ShippedHelp()
{
    QFile file(QUORLEX_SOURCE_DIR "/assets/QuorlexHelp.htm");
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QSet<QString> Captures(const QString &text, const QString &pattern)
{
    QSet<QString> found;
    for (const QRegularExpressionMatch &match : QRegularExpression(pattern).globalMatch(text))
        found.insert(match.captured(1));
    return found;
}
}

// No web browser is needed: the program's own window shows the shipped page,
// the size of the device screen, and is worked by taps alone. The page has
// the contents anchor and no link to an anchor it lacks.
TEST(Help, HelpWindowShowsTheShippedPageFollowsLinksAndGoesBack)
{
    const QString help = ShippedHelp();
    const QSet<QString> anchors = Captures(help, "\\b(?:id|name)=\"([^\"]+)\"");
    EXPECT_TRUE(anchors.contains("Main_Contents"));
    const QSet<QString> links = Captures(help, "href=\"#([^\"]+)\"");
    EXPECT_GE(links.size(), 8);
    for (const QString &link : links)
        EXPECT_TRUE(anchors.contains(link)) << link.toStdString();

    const ProgramRun run({}, [&help](TestEnvironment &e) { e.WriteProgramFile("QuorlexHelp.htm", help.toUtf8()); });
    run.Command(ID_TOOLS_HELP);
    QPointer<CHelpWnd> window = static_cast<ProgramHelpViewer &>(Platform::GetHelpViewer()).Window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->size(), QSize(240, 320));
    QTextBrowser *browser = window->Browser();
    const auto tapButton = [&window](const QString &text) {
        for (QPushButton *button : window->findChildren<QPushButton *>())
            if (button->text() == text)
                QTest::mouseClick(button, Qt::LeftButton);
    };
    EXPECT_EQ(browser->source().fragment(), "Main_Contents");
    EXPECT_TRUE(browser->toPlainText().startsWith("Quorlex Help"));
    QTextCursor link = browser->document()->find("The line list");
    link.setPosition(link.selectionStart() + 1);
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, browser->cursorRect(link).center());
    EXPECT_EQ(browser->source().fragment(), "Line_List");
    EXPECT_GT(browser->verticalScrollBar()->value(), 0);
    tapButton("Back");
    EXPECT_EQ(browser->source().fragment(), "Main_Contents");
    tapButton("Close");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}
