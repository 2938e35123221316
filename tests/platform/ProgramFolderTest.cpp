#include "platform/ProgramFolder.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {
void WriteFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// An installed tree (prefix/bin, prefix/share/quorlex) and a data home of
// its own, as XDG_DATA_HOME for the test's lifetime.
class InstalledTree
{
public:
    InstalledTree() : m_oldDataHome(qgetenv("XDG_DATA_HOME")), m_bHadDataHome(qEnvironmentVariableIsSet("XDG_DATA_HOME"))
    {
        QDir().mkpath(Bin());
        qputenv("XDG_DATA_HOME", m_dataHome.path().toLocal8Bit());
    }
    ~InstalledTree()
    {
        if (m_bHadDataHome)
            qputenv("XDG_DATA_HOME", m_oldDataHome);
        else
            qunsetenv("XDG_DATA_HOME");
    }
    QString Bin() const { return m_prefix.filePath(QStringLiteral("bin")); }
    QString Shipped(const QString &name) const { return m_prefix.filePath(QStringLiteral("share/quorlex/") + name); }
    QString UserFolder() const { return m_dataHome.filePath(QStringLiteral("quorlex")); }
    QString UserFile(const QString &name) const { return UserFolder() + QLatin1Char('/') + name; }

private:
    QTemporaryDir m_prefix;
    QTemporaryDir m_dataHome;
    QByteArray m_oldDataHome;
    bool m_bHadDataHome;
};
}

// --home wins over everything; a Skins folder beside the program file marks
// a folder that is run from as it is. Neither makes the user's folder.
TEST(ProgramFolder, HomeOptionThenProgramFileFolderWithSkins)
{
    TestEnvironment environment;
    InstalledTree tree;
    QTemporaryDir home;
    WriteFile(tree.Shipped(QStringLiteral("Skins/Light.kbskn")), "light");
    QDir().mkpath(tree.Bin() + QStringLiteral("/Skins"));

    EXPECT_EQ(SetUpProgramFolder(home.path(), tree.Bin()), QDir::cleanPath(home.path()));
    EXPECT_EQ(ProgramFolder(), QDir::cleanPath(home.path()));
    EXPECT_EQ(SetUpProgramFolder(QString(), tree.Bin()), QDir::cleanPath(tree.Bin()));
    EXPECT_FALSE(QFileInfo::exists(tree.UserFolder()));
}

// Without Skins beside it the program file is installed: the user's data
// folder is made and given the shipped files, keeping what the user has.
TEST(ProgramFolder, InstalledProgramFillsTheUsersFolderWithoutReplacingTheirFiles)
{
    TestEnvironment environment;
    InstalledTree tree;
    WriteFile(tree.Shipped(QStringLiteral("Skins/Light.kbskn")), "light");
    WriteFile(tree.Shipped(QStringLiteral("KeyMaps/German.kmap")), "shipped german");
    WriteFile(tree.Shipped(QStringLiteral("KeyMaps/French.kmap")), "french");
    WriteFile(tree.Shipped(QStringLiteral("QuorlexHelp.htm")), "help");
    WriteFile(tree.UserFile(QStringLiteral("KeyMaps/German.kmap")), "my german");

    EXPECT_EQ(SetUpProgramFolder(QString(), tree.Bin()), tree.UserFolder());
    EXPECT_EQ(ProgramFolder(), UserDataFolder());
    EXPECT_EQ(ReadFile(tree.UserFile(QStringLiteral("Skins/Light.kbskn"))), "light");
    EXPECT_EQ(ReadFile(tree.UserFile(QStringLiteral("KeyMaps/French.kmap"))), "french");
    EXPECT_EQ(ReadFile(tree.UserFile(QStringLiteral("QuorlexHelp.htm"))), "help");
    EXPECT_EQ(ReadFile(tree.UserFile(QStringLiteral("KeyMaps/German.kmap"))), "my german");

    // Once set up, the folder is the user's: a skin they removed stays removed.
    QFile::remove(tree.UserFile(QStringLiteral("Skins/Light.kbskn")));
    SetUpProgramFolder(QString(), tree.Bin());
    EXPECT_FALSE(QFileInfo::exists(tree.UserFile(QStringLiteral("Skins/Light.kbskn"))));
}

// A --home folder that is not there yet is made with its parents and given
// the data beside a program file run where it was built; one under a plain
// file cannot be made and gives an empty result.
TEST(ProgramFolder, MissingHomeIsMadeAndFilledOrRefused)
{
    TestEnvironment environment;
    QTemporaryDir build;
    WriteFile(build.filePath(QStringLiteral("Skins/Light.kbskn")), "light");
    WriteFile(build.filePath(QStringLiteral("KeyMaps/German.kmap")), "german");
    WriteFile(build.filePath(QStringLiteral("QuorlexHelp.htm")), "help");
    WriteFile(build.filePath(QStringLiteral("quorlex")), "program");
    const QString home = build.filePath(QStringLiteral("new/deeper/home"));

    EXPECT_EQ(SetUpProgramFolder(home, build.path()), QDir::cleanPath(home));
    EXPECT_EQ(ReadFile(home + QStringLiteral("/Skins/Light.kbskn")), "light");
    EXPECT_EQ(ReadFile(home + QStringLiteral("/KeyMaps/German.kmap")), "german");
    EXPECT_EQ(ReadFile(home + QStringLiteral("/QuorlexHelp.htm")), "help");
    EXPECT_FALSE(QFileInfo::exists(home + QStringLiteral("/quorlex")));
    EXPECT_EQ(SetUpProgramFolder(build.filePath(QStringLiteral("quorlex/home")), build.path()), QString());
}
