#include "ProgramTestSupport.h"

#include "app/CommandIds.h"

#include <gtest/gtest.h>

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
