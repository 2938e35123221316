#include "keyboard/KeyboardWnd.h"
#include "keyboard/SkinFileBuilder.h"
#include "support/TestEnvironment.h"
#include "tools/ToolRun.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include <csignal>
#include <sys/resource.h>

#include <sys/stat.h>

namespace {
const QStringList kImageFiles = {"key-up.png",  "key-down.bmp",      "enter-up.jpg",
                                 "enter-down.bmp", "background-up.png", "background-down.bmp"};
const QStringList kColors = {"#102030", "#FFFFFF", "000000", "#ffffff", "#FFFFFF", "#3B73B9", "#808080"};

// A BMP whose header gives the size asked for.
QByteArray ForgedBmp(std::uint32_t width, std::uint32_t height)
{
    QByteArray bytes = ImageFileBytes(SolidImage(2, 2, 0), "BMP");
    return bytes.replace(18, 4, LittleEndian32(width)).replace(22, 4, LittleEndian32(height));
}

class SkinTool : public testing::Test
{
protected:
    QString Path(const QString &name) const { return m_environment.ProgramFolder() + "/" + name; }
    // The images of CompleteSkin() as files, in file order.
    QStringList WriteImages(const QString &background = {})
    {
        const SkinParts parts = CompleteSkin();
        QStringList paths;
        for (int i = 0; i < kImageFiles.size(); ++i) {
            paths << Path(kImageFiles[i]);
            PutFile(paths.last(), i == 2 ? ImageFileBytes(SolidImage(60, 20, qRgb(1, 2, 3)), "JPEG") : parts.images[i]);
        }
        if (!background.isEmpty())
            paths[4] = background;
        return paths;
    }

    TestEnvironment m_environment;
};
}

TEST_F(SkinTool, PackUnpackAndPackAgainGiveTheSameBytes)
{
    const QStringList images = WriteImages();
    ASSERT_EQ(RunTool(kSkinTool, QStringList{"pack", Path("One")} + kColors + images).m_nStatus, 0);
    const QByteArray packed = FileBytes(Path("One.kbskn"));
    EXPECT_EQ(packed.left(4), QByteArray("\x10\x20\x30\x00", 4)); // red comes first
    ASSERT_EQ(RunTool(kSkinTool, {"unpack", Path("One.kbskn"), Path("out")}).m_nStatus, 0);
    QStringList unpacked;
    for (int i = 0; i < images.size(); ++i) {
        unpacked << Path("out/" + kImageFiles[i]);
        EXPECT_EQ(FileBytes(unpacked.last()), FileBytes(images[i])) << kImageFiles[i].toStdString();
    }
    const ToolRun again =
        RunTool(kSkinTool, QStringList{"pack", Path("Two.kbskn"), "--colors", Path("out/colors.txt")} + unpacked);
    EXPECT_EQ(again.m_nStatus, 0) << again.m_strErr.toStdString();
    EXPECT_EQ(FileBytes(Path("Two.kbskn")), packed);
}

TEST_F(SkinTool, CheckFindsEveryProblemAndAgreesWithTheKeyboard)
{
    const SkinParts good = CompleteSkin();
    const auto with = [&good](std::initializer_list<std::pair<int, QByteArray>> images) {
        SkinParts parts = good;
        for (const auto &[index, image] : images)
            parts.images[index] = image;
        return parts.Bytes();
    };
    const QByteArray whole = good.Bytes();
    const std::pair<QByteArray, QStringList> cases[] = {
        {whole, {"the keyboard loads this skin"}},
        {whole.left(27), {"the file ends in the colours (27 bytes; they take 28)"}},
        {whole.left(whole.size() - 10), {"image 6 (board background, pressed): its length says"}},
        {with({{1, "not an image"}, {4, ImageFileBytes(SolidImage(100, 100, 0), "PNG")}}),
         {"image 2 (key face, pressed) is no image the program knows",
          "image 5 (board background, released) is 100 x 100 pixels; the backgrounds must be 240 x 320"}},
        {with({{0, ForgedBmp(0, 0)}, {3, QByteArray()}}),
         {"image 1 (key face, released) is a bmp image without pixels (0 x 0)", "image 4 (Enter face, pressed) is empty (0 bytes)"}},
    };
    for (const auto &[bytes, expected] : cases) {
        const QString path = m_environment.WriteProgramFile("Skins/Test.kbskn", bytes);
        const ToolRun run = RunTool(kSkinTool, {"check", path});
        const bool loads = expected[0] == "the keyboard loads this skin";
        EXPECT_EQ(run.m_nStatus, loads ? 0 : 1) << expected[0].toStdString();
        EXPECT_EQ(run.m_strOut.count('\n'), expected.size()) << run.m_strOut.toStdString();
        for (const QString &text : expected)
            EXPECT_TRUE(run.m_strOut.contains(path + ": " + text)) << run.m_strOut.toStdString();
        m_environment.m_prompt.m_texts.clear();
        CKeyboardWnd wnd;
        wnd.LoadSkin(u"Test.kbskn");
        EXPECT_EQ(m_environment.m_prompt.m_texts.isEmpty(), loads) << expected[0].toStdString();
    }
}

TEST_F(SkinTool, BadInputIsNamedAndNothingIsWritten)
{
    const QString out = Path("Out.kbskn");
    PutFile(out, "earlier skin");
    const QString small = Path("small.png");
    PutFile(small, ImageFileBytes(SolidImage(100, 100, 0), "PNG"));
    PutFile(Path("colors.txt"), "key-label #000000\n");
    ASSERT_EQ(mkfifo(QFile::encodeName(Path("pipe.kbskn")).constData(), 0600), 0);
    const std::pair<QStringList, QStringList> cases[] = {
        {QStringList{"pack", out} + kColors + WriteImages(Path("gone.png")), {Path("gone.png") + ": no such file"}},
        {QStringList{"pack", out} + kColors + WriteImages(small),
         {small + ": is 100 x 100 pixels; the backgrounds must be 240 x 320", out + ": not written"}},
        {QStringList{"pack", out, "#12345G"} + kColors.mid(1) + WriteImages(),
         {"'#12345G' is not a colour #RRGGBB (the key-label colour)"}},
        {QStringList{"pack", out, "--colors", Path("colors.txt")} + WriteImages(),
         {Path("colors.txt") + ": the colour key-label-pressed is missing"}},
        {{"unpack", Path("small.png"), Path("out")}, {Path("small.png") + ": image 1 (key face, released): its length"}},
        {{"check", Path("gone.kbskn")}, {Path("gone.kbskn") + ": no such file"}},
        {{"check", Path("pipe.kbskn")}, {Path("pipe.kbskn") + ": not a regular file"}},
    };
    for (const auto &[arguments, errors] : cases) {
        const ToolRun run = RunTool(kSkinTool, arguments);
        EXPECT_EQ(run.m_nStatus, 1) << arguments.join(' ').toStdString();
        for (const QString &error : errors)
            EXPECT_TRUE(run.m_strErr.contains(error)) << run.m_strErr.toStdString();
    }
    EXPECT_EQ(FileBytes(out), "earlier skin");
    EXPECT_FALSE(QDir(Path("out")).exists());
    const QString good = m_environment.WriteProgramFile("Skins/Good.kbskn", CompleteSkin().Bytes());
    QDir().mkpath(Path("full"));
    PutFile(Path("full/mine.png"), "earlier picture");
    const ToolRun full = RunTool(kSkinTool, {"unpack", good, Path("full")});
    EXPECT_EQ(full.m_nStatus, 1);
    EXPECT_TRUE(full.m_strErr.contains(Path("full") + ": holds files already")) << full.m_strErr.toStdString();
    EXPECT_EQ(QDir(Path("full")).count(), 3);
}

// A picture that cannot be written takes the colours written before it
// with it: no half-unpacked folder, no scratch folder.
TEST_F(SkinTool, UnpackThatFailsHalfWayLeavesNothing)
{
    // The colours and the first five pictures fit; the last does not.
    const SkinParts parts = CompleteSkin();
    constexpr rlim_t kLargestFile = 4096;
    ASSERT_GT(parts.images[5].size(), qsizetype(kLargestFile));
    const QString skin = m_environment.WriteProgramFile("Skins/Good.kbskn", parts.Bytes());
    const ToolRun run = RunTool(kSkinTool, {"unpack", skin, Path("out")}, {}, [] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{kLargestFile, kLargestFile};
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    EXPECT_EQ(run.m_nStatus, 1);
    EXPECT_TRUE(run.m_strErr.startsWith(Path("out/background-down.bmp: cannot be written")))
        << run.m_strErr.toStdString();
    EXPECT_EQ(QDir(m_environment.ProgramFolder()).entryList(QDir::AllEntries | QDir::Hidden).filter("out"),
              QStringList());
}

// What is wrong with the arguments comes before the usage.
TEST(Tools, WrongArgumentsAreNamedAndHelpAndVersionAnswer)
{
    const std::pair<QStringList, QString> cases[] = {
        {QStringList{"pack", "Out"} + kColors + QStringList{"a.png", "b.png"}, "pack needs six pictures, got 2"},
        {{"pack", "Out", "--colors"}, "--colors needs a file"},
        {{"pack", "Out", "#000000"}, "pack needs seven colours #RRGGBB or --colors FILE, got 1 arguments after Out"},
        {{"unpack", "Skin.kbskn"}, "unpack needs a skin file and a folder, got 1 arguments"},
        {{"check"}, "check needs at least one skin file"},
        {{"--bogus"}, "unknown command '--bogus'"},
        {{}, "a command is needed: pack, unpack or check"},
    };
    for (const auto &[arguments, problem] : cases) {
        const ToolRun run = RunTool(kSkinTool, arguments);
        EXPECT_EQ(run.m_nStatus, 2) << problem.toStdString();
        EXPECT_TRUE(run.m_strErr.startsWith("quorlex-skin: " + problem + "\nusage: quorlex-skin pack"))
            << run.m_strErr.toStdString();
    }
    for (const QString &tool : {kSkinTool, kKeyMapTool}) {
        const QString name = QFileInfo(tool).fileName();
        const ToolRun help = RunTool(tool, {"--help"});
        EXPECT_EQ(help.m_nStatus, 0);
        EXPECT_TRUE(help.m_strOut.startsWith("usage: " + name + " ") && help.m_strErr.isEmpty()) << name.toStdString();
        const ToolRun version = RunTool(tool, {"--version"});
        EXPECT_EQ(version.m_nStatus, 0);
        EXPECT_EQ(version.m_strOut, name + " " QUORLEX_VERSION "\n");
    }
}
