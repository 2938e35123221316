#include "keyboard/KeyboardWnd.h"
#include "keyboard/SkinFileBuilder.h"
#include "tools/ToolRun.h"

#include <QDir>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {
const QStringList kImageFiles = {"key-up.png",  "key-down.bmp",      "enter-up.jpg",
                                 "enter-down.bmp", "background-up.png", "background-down.bmp"};
const QString kSeeds = QStringLiteral(QUORLEX_SOURCE_FOLDER "/fuzz/seeds/skin/");
const QStringList kColors = {"#102030", "#FFFFFF", "000000", "#ffffff", "#FFFFFF", "#3B73B9", "#808080"};

// A BMP whose header gives the size asked for.
QByteArray ForgedBmp(std::uint32_t width, std::uint32_t height)
{
    QByteArray bytes = ImageFileBytes(SolidImage(2, 2, 0), "BMP");
    return bytes.replace(18, 4, LittleEndian32(width)).replace(22, 4, LittleEndian32(height));
}

class SkinTool : public ToolTest
{
protected:
    // The images of CompleteSkin() as files, in file order, the Enter face a JPEG.
    QStringList WriteImages(const QString &background = {})
    {
        QStringList paths;
        for (int i = 0; i < kImageFiles.size(); ++i)
            paths << PutFile(kImageFiles[i], i == 2 ? ImageFileBytes(SolidImage(60, 20, qRgb(1, 2, 3)), "JPEG")
                                                    : CompleteSkin().images[i]);
        paths[4] = background.isEmpty() ? paths[4] : background;
        return paths;
    }
};
}

TEST_F(SkinTool, PackUnpackAndPackAgainGiveTheSameBytes)
{
    const QStringList images = WriteImages();
    ASSERT_EQ(RunTool(kSkinTool, QStringList{"pack", Path("One")} + kColors + images).m_nStatus, 0);
    const QByteArray packed = Bytes("One.kbskn");
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
    EXPECT_EQ(Bytes("Two.kbskn"), packed);
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
        // The good skins among the fuzz seeds must load, or fuzzing would
        // start from refused files only.
        {FileBytes(kSeeds + "good-png-bmp.kbskn"), {"the keyboard loads this skin"}},
        {FileBytes(kSeeds + "good-other-hand.kbskn"), {"the keyboard loads this skin"}},
        {FileBytes(kSeeds + "good-gif-jpeg-rle.kbskn"), {"the keyboard loads this skin"}},
        {with({{0, ForgedBmp(0, 0)}, {3, QByteArray()}}),
         {"image 1 (key face, released) is a bmp image without pixels (0 x 0)",
          "image 4 (Enter face, pressed) is empty (0 bytes)"}},
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
        CKeyboardWnd().LoadSkin(u"Test.kbskn");
        EXPECT_EQ(m_environment.m_prompt.m_texts.isEmpty(), loads) << expected[0].toStdString();
    }
}

// What is wrong with the arguments comes before the usage.
TEST_F(SkinTool, BadInputAndWrongArgumentsAreNamedAndNothingIsWritten)
{
    const QString out = Path("Out.kbskn");
    PutFile("Out.kbskn", "earlier skin");
    const QString small = PutFile("small.png", ImageFileBytes(SolidImage(100, 100, 0), "PNG"));
    PutFile("colors.txt", "key-label #000000\n");
    ASSERT_EQ(mkfifo(QFile::encodeName(Path("pipe.kbskn")).constData(), 0600), 0);
    const QString usage = "\nusage: quorlex-skin pack";
    ExpectRuns(kSkinTool, {
        {QStringList{"pack", out} + kColors + WriteImages(Path("gone.png")), 1, {Path("gone.png") + ": no such file"}},
        {QStringList{"pack", out} + kColors + WriteImages(small), 1,
         {small + ": is 100 x 100 pixels; the backgrounds must be 240 x 320", out + ": not written"}},
        {QStringList{"pack", out, "#12345G"} + kColors.mid(1) + WriteImages(), 1,
         {"'#12345G' is not a colour #RRGGBB (the key-label colour)"}},
        {QStringList{"pack", out, "--colors", Path("colors.txt")} + WriteImages(), 1,
         {Path("colors.txt") + ": the colour key-label-pressed is missing"}},
        {{"unpack", small, Path("out")}, 1, {small + ": image 1 (key face, released): its length"}},
        {{"check", Path("pipe.kbskn")}, 1, {Path("pipe.kbskn") + ": not a regular file"}},
        {QStringList{"pack", "Out"} + kColors + QStringList{"a.png", "b.png"}, 2,
         {"quorlex-skin: pack needs six pictures, got 2" + usage}},
        {{"pack", "Out", "--colors"}, 2, {"--colors needs a file" + usage}},
        {{"pack", "Out", "#000000"}, 2, {"pack needs seven colours #RRGGBB or --colors FILE, got 1 arguments after Out"}},
        {{"unpack", "Skin.kbskn"}, 2, {"unpack needs a skin file and a folder, got 1 arguments" + usage}},
        {{"check"}, 2, {"check needs at least one skin file" + usage}},
        {{"--bogus"}, 2, {"unknown command '--bogus'" + usage}},
        {{}, 2, {"a command is needed: pack, unpack or check" + usage}},
        {{"--help"}, 0, {"usage: quorlex-skin pack"}},
        {{"--version"}, 0, {"quorlex-skin " QUORLEX_VERSION "\n"}},
    });
    EXPECT_EQ(Bytes("Out.kbskn"), "earlier skin");
    EXPECT_FALSE(QDir(Path("out")).exists());
    const QString good = m_environment.WriteProgramFile("Skins/Good.kbskn", CompleteSkin().Bytes());
    PutFile("full/mine.png", "earlier picture");
    ExpectRuns(kSkinTool, {{{"unpack", good, Path("full")}, 1, {Path("full") + ": holds files already"}}});
    EXPECT_EQ(QDir(Path("full")).count(), 3);
    // A picture that cannot be written takes the colours and pictures written
    // before it with it: no half-unpacked folder, no scratch folder. The
    // colours and the first five pictures fit; the last does not.
    constexpr rlim_t kLargestFile = 4096;
    ASSERT_GT(CompleteSkin().images[5].size(), qsizetype(kLargestFile));
    const ToolRun cut = RunTool(kSkinTool, {"unpack", good, Path("out")}, {}, [] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{kLargestFile, kLargestFile};
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    EXPECT_EQ(cut.m_nStatus, 1);
    EXPECT_TRUE(cut.m_strErr.startsWith(Path("out/background-down.bmp: cannot be written"))) << cut.m_strErr.toStdString();
    EXPECT_EQ(QDir(m_environment.ProgramFolder()).entryList(QDir::AllEntries | QDir::Hidden).filter("out"), QStringList());
}
