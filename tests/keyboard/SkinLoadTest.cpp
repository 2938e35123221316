#include "keyboard/ImageDecoder.h"
#include "keyboard/KeyboardWnd.h"
#include "keyboard/SkinFileBuilder.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPainter>

#include <sys/stat.h>

namespace {
const QString kInvalid = QStringLiteral("The selected file - '%1' is not a valid skin file.  Using the default skin.");
const QString kMissing = QStringLiteral("The skin file - '%1' could not be loaded.  Using the default skin.");

// A BMP file whose header claims a size its few bytes do not hold.
QByteArray ForgedBmp(std::uint32_t width, std::uint32_t height)
{
    QByteArray bytes = ImageFileBytes(SolidImage(2, 2, 0), "BMP");
    return bytes.replace(18, 4, LittleEndian32(width)).replace(22, 4, LittleEndian32(height));
}

// Every pixel different, so that any turn or shift shows.
QImage Gradient(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, (x * 7 + y * 3) % 256));
    return image;
}

class SkinLoad : public testing::Test
{
protected:
    void WriteSkin(const QString &name, const QByteArray &bytes)
    {
        m_environment.WriteProgramFile(QStringLiteral("Skins/") + name, bytes);
    }
    // All six images, sizes and colours as drawing the default skin gives them.
    void ExpectDefaultSkin(const CKeyboardWnd &wnd)
    {
        CKeyboardWnd reference;
        reference.GetSettings().m_bRightHanded = wnd.GetSettings().m_bRightHanded;
        ASSERT_TRUE(reference.DrawDefaultSkin());
        for (int i = 0; i < kSkinImageCount; ++i)
            EXPECT_EQ(wnd.SkinBitmap(SkinImage(i)), reference.SkinBitmap(SkinImage(i))) << "image " << i;
        EXPECT_EQ(wnd.ButtonSize(), QSize(38, 28));
        EXPECT_EQ(wnd.EnterSize(), QSize(74, 28));
        EXPECT_EQ(wnd.GetSkinColors(), SkinColors());
        EXPECT_EQ(m_environment.m_waitCursor.Depth(), 0);
    }

    TestEnvironment m_environment;
    QStringList &m_texts = m_environment.m_prompt.m_texts;
};
}

TEST_F(SkinLoad, CompleteSkinGivesItsColoursImagesAndSizes)
{
    WriteSkin("Good.kbskn", CompleteSkin().Bytes() + "bytes after the last image");
    CKeyboardWnd wnd;
    ASSERT_TRUE(wnd.LoadSkin(u"Good.kbskn"));
    EXPECT_TRUE(m_texts.isEmpty());
    EXPECT_EQ(m_environment.m_waitCursor.Depth(), 0);
    EXPECT_EQ(wnd.GetSkinColors().m_crLabelUp, 0x0000FFu);
    EXPECT_EQ(wnd.GetSkinColors().m_crSelBack, 0x444444u);
    EXPECT_EQ(wnd.GetSkinColors().m_crMark, 0x00FFFFu);
    EXPECT_EQ(wnd.ButtonSize(), QSize(30, 20));
    EXPECT_EQ(wnd.EnterSize(), QSize(60, 20));
    EXPECT_EQ(wnd.SkinBitmap(SI_ENTER_DOWN).pixel(30, 10), qRgb(200, 200, 10));
    EXPECT_EQ(wnd.SkinBitmap(SI_BACKGROUND_DOWN).pixel(0, 319), qRgb(90, 40, 40));
    EXPECT_FALSE(QFile::exists(m_environment.ProgramFolder() + "/Skins/tempFile"));
}

TEST_F(SkinLoad, EveryKindOfBadFileGivesTheDefaultSkinAndOneMessage)
{
    const SkinParts good = CompleteSkin();
    const QByteArray whole = good.Bytes();
    const auto with = [&good](int index, const QByteArray &image) {
        SkinParts parts = good;
        parts.images[index] = image;
        return parts.Bytes();
    };
    const QByteArray png = ImageFileBytes(SolidImage(30, 20, 0), "PNG");
    const std::pair<const char *, QByteArray> cases[] = {
        {"27 bytes", whole.left(27)},
        {"colours only", whole.left(28)},
        {"cut inside an image", whole.left(whole.size() - 1000)},
        {"length past the end", whole.left(whole.size() - 1)},
        {"length 0xFFFFFFFF", whole.left(28) + LittleEndian32(0xFFFFFFFFu) + whole.mid(32)},
        {"empty first image", with(0, QByteArray())},
        {"garbage image", with(2, QByteArray(500, 'g'))},
        {"half a PNG", with(0, png.left(png.size() / 2))},
        {"face 10001 wide", with(0, ImageFileBytes(SolidImage(10001, 1, 0), "PNG"))},
        {"face 10001 high", with(3, ImageFileBytes(SolidImage(1, 10001, 0), "PNG"))},
        {"header claiming 100000 square", with(1, ForgedBmp(100000, 100000))},
        {"face of 0 x 0", with(0, ForgedBmp(0, 0))},
        {"background 240 x 319", with(4, ImageFileBytes(SolidImage(240, 319, 0), "PNG"))},
        {"background on its side", with(5, ImageFileBytes(SolidImage(320, 240, 0), "BMP"))},
        {"face in another format", with(0, ImageFileBytes(SolidImage(30, 20, 0), "PPM"))},
    };
    WriteSkin("Good.kbskn", whole);
    for (const auto &[what, bytes] : cases) {
        SCOPED_TRACE(what);
        m_texts.clear();
        WriteSkin("Bad.kbskn", bytes);
        CKeyboardWnd wnd;
        wnd.GetSettings().m_strSkin = u"Bad.kbskn";
        // A skin in use before must not leave any of its images behind.
        ASSERT_TRUE(wnd.LoadSkin(u"Good.kbskn"));
        EXPECT_TRUE(wnd.LoadSkin(u"Bad.kbskn"));
        EXPECT_EQ(m_texts, QStringList{kInvalid.arg("Bad.kbskn")});
        EXPECT_EQ(wnd.GetSettings().m_strSkin, u"Bad.kbskn");
        ExpectDefaultSkin(wnd);
    }
}

TEST_F(SkinLoad, MissingOutsideAndUnwritableCasesHaveTheirMessages)
{
    CKeyboardWnd wnd;
    EXPECT_TRUE(wnd.LoadSkin(u"Gone.kbskn"));
    ExpectDefaultSkin(wnd);
    // A name leading out of the Skins folder is never opened.
    m_environment.WriteProgramFile("Outside.kbskn", CompleteSkin().Bytes());
    EXPECT_TRUE(wnd.LoadSkin(u"../Outside.kbskn"));
    // No scratch file can be made where a folder of its name stands.
    WriteSkin("Good.kbskn", CompleteSkin().Bytes());
    QDir().mkpath(m_environment.ProgramFolder() + "/Skins/tempFile");
    EXPECT_TRUE(wnd.LoadSkin(u"Good.kbskn"));
    ExpectDefaultSkin(wnd);
    EXPECT_EQ(m_texts, (QStringList{kMissing.arg("Gone.kbskn"), kMissing.arg("../Outside.kbskn"),
                                    kInvalid.arg("Good.kbskn")}));
    EXPECT_EQ(m_environment.m_prompt.m_titles, (QStringList{QString(), QString(), QString()}));
}

// Opening a pipe for reading or writing waits for the other end for ever.
TEST_F(SkinLoad, PipesAndFoldersAreNoSkinsAndAPipedScratchFileIsReplaced)
{
    const QString skins = m_environment.ProgramFolder() + "/Skins/";
    QDir().mkpath(skins + "Folder.kbskn");
    ASSERT_EQ(mkfifo(QFile::encodeName(skins + "Pipe.kbskn").constData(), 0600), 0);
    CKeyboardWnd wnd;
    for (const char16_t *name : {u"Pipe.kbskn", u"Folder.kbskn"}) {
        EXPECT_TRUE(wnd.LoadSkin(name));
        ExpectDefaultSkin(wnd);
    }
    EXPECT_EQ(m_texts, (QStringList{kMissing.arg("Pipe.kbskn"), kMissing.arg("Folder.kbskn")}));
    WriteSkin("Good.kbskn", CompleteSkin().Bytes());
    ASSERT_EQ(mkfifo(QFile::encodeName(skins + "tempFile").constData(), 0600), 0);
    EXPECT_TRUE(wnd.LoadSkin(u"Good.kbskn"));
    EXPECT_EQ(wnd.ButtonSize(), QSize(30, 20));
    EXPECT_FALSE(QFile::exists(skins + "tempFile"));
    EXPECT_EQ(m_texts.size(), 2);
}

TEST_F(SkinLoad, LeftHandedImagesAreTurnedHalfWayWithTheSameSizes)
{
    SkinParts parts;
    for (const QSize size : {QSize(30, 20), QSize(31, 21), QSize(61, 19), QSize(60, 20), QSize(240, 320), QSize(240, 320)})
        parts.images.append(ImageFileBytes(Gradient(size.width(), size.height()), parts.images.size() % 2 ? "BMP" : "PNG"));
    WriteSkin("Turn.kbskn", parts.Bytes());
    for (const std::u16string name : {u"Turn.kbskn", u"Default Skin"}) {
        CKeyboardWnd right;
        CKeyboardWnd left;
        left.GetSettings().m_bRightHanded = 0;
        ASSERT_TRUE(right.LoadSkin(name) && left.LoadSkin(name));
        EXPECT_EQ(left.ButtonSize(), right.ButtonSize());
        EXPECT_EQ(left.EnterSize(), right.EnterSize());
        for (int i = 0; i < kSkinImageCount; ++i)
            EXPECT_EQ(left.SkinBitmap(SkinImage(i)), right.SkinBitmap(SkinImage(i)).transformed(QTransform().rotate(180)));
    }
    EXPECT_TRUE(m_texts.isEmpty());
}

TEST_F(SkinLoad, ABitmapInUseIsReportedAndTheOthersAreReleased)
{
    CKeyboardWnd wnd;
    ASSERT_TRUE(wnd.DrawDefaultSkin());
    // Only a fault of the program's own could leave a painter open on a skin
    // image; the release says so and goes on.
    QPainter painter(&const_cast<QImage &>(wnd.SkinBitmap(SI_BACKGROUND_UP)));
    wnd.ReleaseSkinImages();
    painter.end();
    EXPECT_EQ(m_texts, QStringList{"DeleteObject m_hBmpUp failed"});
    for (int i = 0; i < kSkinImageCount; ++i)
        EXPECT_EQ(wnd.SkinBitmap(SkinImage(i)).isNull(), i != SI_BACKGROUND_UP) << i;
}

TEST_F(SkinLoad, DecoderReadsTheFourFormatsOrSaysWhyItCannot)
{
    const QImage picture = Gradient(40, 30);
    // A 1 x 1 GIF: Qt has no GIF writer to make one.
    const QByteArray gif("GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00"
                         ",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;", 35);
    const CImageDecoder decoder;
    QImage bitmap;
    for (const QByteArray &bytes : {ImageFileBytes(picture, "BMP"), ImageFileBytes(picture, "JPEG"), gif,
                                    ImageFileBytes(picture, "PNG")}) {
        const QString path = m_environment.WriteProgramFile("tempFile", bytes);
        ASSERT_TRUE(decoder.DecodeImageFile(path, bitmap)) << bytes.left(4).toHex().constData();
        EXPECT_EQ(bitmap.size(), bytes == gif ? QSize(1, 1) : picture.size());
    }
    EXPECT_EQ(bitmap, picture);
    EXPECT_TRUE(m_texts.isEmpty());

    const CImageDecoder none(QList<QByteArray>{});
    const CImageDecoder withoutSkinFormats(QList<QByteArray>{"xpm", "ppm"});
    QImage untouched;
    EXPECT_FALSE(none.DecodeImageFile(m_environment.ProgramFolder() + "/tempFile", untouched));
    EXPECT_FALSE(withoutSkinFormats.DecodeImageFile(m_environment.ProgramFolder() + "/tempFile", untouched));
    EXPECT_TRUE(untouched.isNull());
    EXPECT_EQ(m_texts, (QStringList{"Could not load image library", "Could not load image function",
                                    "Could not load image function"}));
    EXPECT_EQ(m_environment.m_prompt.m_titles, (QStringList{"Error", "Error", "Error"}));
}
