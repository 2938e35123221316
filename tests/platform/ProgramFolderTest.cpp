#include "platform/ProgramFolder.h"
#include "support/DialogDriver.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {
// An installed tree: the program file's folder prefix/bin, the shipped data in
// prefix/share/quorlex.
struct InstalledTree {
    QTemporaryDir prefix;

    InstalledTree() { QDir().mkpath(Bin()); }
    QString Bin() const { return prefix.filePath(QStringLiteral("bin")); }
    void Ship(const QString &name, const QByteArray &bytes) const
    {
        ASSERT_TRUE(WriteBytes(prefix.filePath(QStringLiteral("share/quorlex/") + name), bytes));
    }
};
}

// --home wins over everything; one that is not there yet is made with its
// parents and given the data beside a program file run where it was built,
// and one under a plain file gives an empty result. A Skins folder beside
// the program file marks a folder that is run from as it is. None of these
// makes the user's folder.
TEST(ProgramFolder, HomeOptionThenProgramFileFolderWithSkins)
{
    TestEnvironment environment;
    InstalledTree tree;
    tree.Ship(QStringLiteral("Skins/Light.kbskn"), "light");
    QDir().mkpath(tree.Bin() + QStringLiteral("/Skins"));
    QTemporaryDir home;
    EXPECT_EQ(SetUpProgramFolder(home.path(), tree.Bin()), QDir::cleanPath(home.path()));
    EXPECT_EQ(ProgramFolder(), QDir::cleanPath(home.path()));
    EXPECT_EQ(SetUpProgramFolder(QString(), tree.Bin()), QDir::cleanPath(tree.Bin()));

    QTemporaryDir build;
    // Everything but the program file itself (read back empty) is copied.
    const std::pair<const char *, const char *> built[] = {
        {"/Skins/Light.kbskn", "light"}, {"/KeyMaps/German.kmap", "german"}, {"/QuorlexHelp.htm", "help"}, {"/quorlex", ""}};
    for (const auto &[name, bytes] : built)
        ASSERT_TRUE(WriteBytes(build.path() + QLatin1String(name), *bytes ? bytes : "program"));
    const QString newHome = build.filePath(QStringLiteral("new/deeper/home"));
    EXPECT_EQ(SetUpProgramFolder(newHome, build.path()), QDir::cleanPath(newHome));
    for (const auto &[name, bytes] : built)
        EXPECT_EQ(FileBytes(newHome + QLatin1String(name)), bytes) << name;
    EXPECT_EQ(SetUpProgramFolder(build.filePath(QStringLiteral("quorlex/home")), build.path()), QString());
    EXPECT_FALSE(QFileInfo::exists(UserDataFolder()));
}

// Without Skins beside it the program file is installed: the user's data
// folder is made and given the shipped files, keeping what the user has.
TEST(ProgramFolder, InstalledProgramFillsTheUsersFolderWithoutReplacingTheirFiles)
{
    TestEnvironment environment;
    InstalledTree tree;
    const QString folder = qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/quorlex/");
    const std::pair<const char *, const char *> files[] = {
        {"Skins/Light.kbskn", "light"}, {"KeyMaps/French.kmap", "french"}, {"QuorlexHelp.htm", "help"},
        {"KeyMaps/German.kmap", "my german"}};
    // The German map is shipped as well, but the user has their own.
    for (const auto &[name, bytes] : files)
        tree.Ship(QLatin1String(name), QByteArray(bytes).replace("my ", "shipped "));
    ASSERT_TRUE(WriteBytes(folder + QStringLiteral("KeyMaps/German.kmap"), "my german"));

    EXPECT_EQ(SetUpProgramFolder(QString(), tree.Bin()), QDir::cleanPath(folder));
    EXPECT_EQ(ProgramFolder(), UserDataFolder());
    for (const auto &[name, bytes] : files)
        EXPECT_EQ(FileBytes(folder + QLatin1String(name)), bytes) << name;
    // Once set up, the folder is the user's: a skin they removed stays removed.
    QFile::remove(folder + QStringLiteral("Skins/Light.kbskn"));
    SetUpProgramFolder(QString(), tree.Bin());
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("Skins/Light.kbskn")));
}
