#include "ProgramTestSupport.h"

#include "app/CommandIds.h"
#include "platform/HelpWnd.h"

#include <gtest/gtest.h>

#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>

#include <QFile>
#include <QRegularExpression>
#include <QSet>

namespace {
QString ShippedHelp()
{
    QFile file(QStringLiteral(QUORLEX_SOURCE_DIR "/assets/QuorlexHelp.htm"));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

QSet<QString> Captures(const QString &text, const QString &pattern)
{
    QSet<QString> found;
    QRegularExpressionMatchIterator it = QRegularExpression(pattern).globalMatch(text);
    while (it.hasNext())
        found.insert(it.next().captured(1));
    return found;
}

// Taps the link whose text is given, as the stylus would.
void TapLink(QTextBrowser *browser, const QString &text)
{
    QTextCursor link = browser->document()->find(text);
    link.setPosition(link.selectionStart() + 1);
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, browser->cursorRect(link).center());
}

void TapButton(QWidget *window, const QString &text)
{
    for (QPushButton *button : window->findChildren<QPushButton *>())
        if (button->text() == text)
            QTest::mouseClick(button, Qt::LeftButton);
}
}

// No web browser is needed: the program's own window shows the page, the
// size of the device screen, and is worked by taps alone.
TEST(Help, HelpWindowShowsThePageFollowsLinksAndGoesBack)
{
    const ProgramRun run({}, [](TestEnvironment &environment) {
        environment.WriteProgramFile("QuorlexHelp.htm", ShippedHelp().toUtf8());
    });
    run.Command(ID_TOOLS_HELP);
    QPointer<CHelpWnd> window = static_cast<ProgramHelpViewer &>(Platform::GetHelpViewer()).Window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->size(), QSize(CHelpWnd::kWidth, CHelpWnd::kHeight));
    QTextBrowser *browser = window->Browser();
    EXPECT_EQ(browser->source().fragment(), QStringLiteral("Main_Contents"));
    EXPECT_TRUE(browser->toPlainText().startsWith(QStringLiteral("Quorlex Help")));
    TapLink(browser, QStringLiteral("The line list"));
    EXPECT_EQ(browser->source().fragment(), QStringLiteral("Line_List"));
    EXPECT_GT(browser->verticalScrollBar()->value(), 0);
    TapButton(window, QStringLiteral("Back"));
    EXPECT_EQ(browser->source().fragment(), QStringLiteral("Main_Contents"));
    TapButton(window, QStringLiteral("Close"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}

TEST(Help, HelpCommandOpensTheShippedPageAtItsContents)
{
    FakeHelpViewer viewer;
    viewer.m_bStarts = false;
    const ProgramRun run;
    run.Command(ID_TOOLS_HELP);
    ASSERT_EQ(viewer.m_pages.size(), 1);
    EXPECT_EQ(viewer.m_pages.first().toLocalFile(), run.FilePath("QuorlexHelp.htm"));
    EXPECT_EQ(viewer.m_pages.first().fragment(), QStringLiteral("Main_Contents"));
    // A viewer that does not start is not the user's problem.
    EXPECT_TRUE(run.m_environment.m_prompt.m_texts.isEmpty());
}

TEST(Help, ShippedPageHasTheContentsAnchorAndNoBrokenLinks)
{
    const QString help = ShippedHelp();
    ASSERT_FALSE(help.isEmpty());
    const QSet<QString> anchors = Captures(help, QStringLiteral("\\b(?:id|name)=\"([^\"]+)\""));
    EXPECT_TRUE(anchors.contains(QStringLiteral("Main_Contents")));
    const QSet<QString> links = Captures(help, QStringLiteral("href=\"#([^\"]+)\""));
    EXPECT_GE(links.size(), 8);
    for (const QString &link : links)
        EXPECT_TRUE(anchors.contains(link)) << link.toStdString();
}
