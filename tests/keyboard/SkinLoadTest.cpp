#include "keyboard/ImageDecoder.h"
#include "keyboard/KeyboardWnd.h"
#include "support/TestEnvironment.h"
#include "keyboard/SkinFileBuilder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPainter>

#include <memory>

namespace {
const QString kInvalid = QStringLiteral("The selected file - '%1' is not a valid skin file.  Using the default skin.");
const QString kMissing = QStringLiteral("The skin file - '%1' could not be loaded.  Using the default skin.");

// A BMP file whose header claims the given size over a few bytes of data.
QByteArray ForgedBmp(std::int32_t width, std::int32_t height)
{
    QByteArray bytes = ImageFileBytes(SolidImage(2, 2, qRgb(1, 2, 3)), "BMP");
    const QByteArray w = LittleEndian32(std::uint32_t(width));
    const QByteArray h = LittleEndian32(std::uint32_t(height));
    bytes.replace(18, 4, w);
    bytes.replace(22, 4, h);
    return bytes;
}

// An image whose pixels all differ, so that any turn or shift shows.
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
    std::unique_ptr<CKeyboardWnd> NewWindow(bool rightHanded = true)
    {
        auto wnd = std::make_unique<CKeyboardWnd>();
        wnd->GetSettings().m_bRightHanded = rightHanded;
        return wnd;
    }
    void WriteSkin(const QString &name, const QByteArray &bytes)
    {
        m_environment.WriteProgramFile(QStringLiteral("Skins/") + name, bytes);
    }
    // The six images of the default skin, as a window that draws it has them.
    void ExpectDefaultSkin(const CKeyboardWnd &wnd)
    {
        auto reference = NewWindow(wnd.GetSettings().m_bRightHanded);
        ASSERT_TRUE(reference->DrawDefaultSkin());
        for (int i = 0; i < kSkinImageCount; ++i)
            EXPECT_EQ(wnd.SkinBitmap(SkinImage(i)), reference->SkinBitmap(SkinImage(i))) << "image " << i;
        EXPECT_EQ(wnd.ButtonSize(), QSize(38, 28));
        EXPECT_EQ(wnd.EnterSize(), QSize(74, 28));
        EXPECT_EQ(wnd.GetSkinColors(), SkinColors());
    }

    TestEnvironment m_environment;
};
}

TEST_F(SkinLoad, CompleteSkinGivesItsColoursImagesAndSizes)
{
    const SkinParts parts = CompleteSkin();
    WriteSkin("Good.kbskn", parts.Bytes() + "bytes after the last image");
    auto wnd = NewWindow();
    ASSERT_TRUE(wnd->LoadSkin(u"Good.kbskn"));
    EXPECT_TRUE(m_environment.m_prompt.m_texts.isEmpty());
    EXPECT_EQ(m_environment.m_waitCursor.Depth(), 0);
    const SkinColors &colors = wnd->GetSkinColors();
    EXPECT_EQ(colors.m_crLabelUp, 0x0000FFu);
    EXPECT_EQ(colors.m_crSelBack, 0x444444u);
    EXPECT_EQ(colors.m_crMark, 0x00FFFFu);
    EXPECT_EQ(wnd->ButtonSize(), QSize(30, 20));
    EXPECT_EQ(wnd->EnterSize(), QSize(60, 20));
    EXPECT_EQ(wnd->SkinBitmap(SI_BUTTON_DOWN).pixel(10, 10), qRgb(10, 200, 10));
    EXPECT_EQ(wnd->SkinBitmap(SI_ENTER_DOWN).pixel(30, 10), qRgb(200, 200, 10));
    EXPECT_EQ(wnd->SkinBitmap(SI_BACKGROUND_UP).pixel(120, 160), qRgb(40, 40, 90));
    EXPECT_EQ(wnd->SkinBitmap(SI_BACKGROUND_DOWN).pixel(0, 319), qRgb(90, 40, 40));
    EXPECT_FALSE(QFile::exists(m_environment.ProgramFolder() + "/Skins/tempFile"));
}

TEST_F(SkinLoad, EveryKindOfBadFileGivesTheDefaultSkinAndOneMessage)
{
    const SkinParts good = CompleteSkin();
    const QByteArray whole = good.Bytes();
    const auto withImage = [&good](int index, const QByteArray &image) {
        SkinParts parts = good;
        parts.images[index] = image;
        return parts.Bytes();
    };
    const QByteArray png = ImageFileBytes(SolidImage(30, 20, qRgb(5, 5, 5)), "PNG");
    const std::pair<const char *, QByteArray> cases[] = {
        {"27 bytes", whole.left(27)},
        {"colours only", whole.left(28)},
        {"cut inside an image", whole.left(whole.size() - 1000)},
        {"length past the end", whole.left(whole.size() - 1)},
        {"length 0xFFFFFFFF", whole.left(28) + LittleEndian32(0xFFFFFFFFu) + whole.mid(32)},
        {"empty first image", withImage(0, QByteArray())},
        {"garbage image", withImage(2, QByteArray(500, 'g'))},
        {"half a PNG", withImage(0, png.left(png.size() / 2))},
        {"face 10001 wide", withImage(0, ImageFileBytes(SolidImage(10001, 1, qRgb(1, 1, 1)), "PNG"))},
        {"face 10001 high", withImage(3, ImageFileBytes(SolidImage(1, 10001, qRgb(1, 1, 1)), "PNG"))},
        {"header claiming 100000 square", withImage(1, ForgedBmp(100000, 100000))},
        {"face of 0 x 0", withImage(0, ForgedBmp(0, 0))},
        {"background 240 x 319", withImage(4, ImageFileBytes(SolidImage(240, 319, 0), "PNG"))},
        {"background lying on its side", withImage(5, ImageFileBytes(SolidImage(320, 240, 0), "BMP"))},
        {"face in another format", withImage(0, ImageFileBytes(SolidImage(30, 20, 0), "PPM"))},
    };
    WriteSkin("Good.kbskn", whole);
    for (const auto &[what, bytes] : cases) {
        SCOPED_TRACE(what);
        m_environment.m_prompt.m_texts.clear();
        WriteSkin("Bad.kbskn", bytes);
        auto wnd = NewWindow();
        wnd->GetSettings().m_strSkin = u"Bad.kbskn";
        // A skin in use before must not leave any of its images behind.
        ASSERT_TRUE(wnd->LoadSkin(u"Good.kbskn"));
        EXPECT_TRUE(wnd->LoadSkin(u"Bad.kbskn"));
        EXPECT_EQ(m_environment.m_prompt.m_texts, QStringList{kInvalid.arg("Bad.kbskn")});
        EXPECT_EQ(m_environment.m_waitCursor.Depth(), 0);
        EXPECT_EQ(wnd->GetSettings().m_strSkin, u"Bad.kbskn");
        ExpectDefaultSkin(*wnd);
    }
}

TEST_F(SkinLoad, MissingUnsafeAndUnwritableCasesHaveTheirMessages)
{
    QStringList &texts = m_environment.m_prompt.m_texts;
    auto wnd = NewWindow();
    EXPECT_TRUE(wnd->LoadSkin(u"Gone.kbskn"));
    EXPECT_EQ(texts, QStringList{kMissing.arg("Gone.kbskn")});
    ExpectDefaultSkin(*wnd);

    // A name that leads out of the Skins folder is never opened.
    texts.clear();
    m_environment.WriteProgramFile("Outside.kbskn", CompleteSkin().Bytes());
    EXPECT_TRUE(wnd->LoadSkin(u"../Outside.kbskn"));
    EXPECT_EQ(texts, QStringList{kMissing.arg("../Outside.kbskn")});

    // The scratch file cannot be made where a folder of its name stands.
    texts.clear();
    WriteSkin("Good.kbskn", CompleteSkin().Bytes());
    QDir().mkpath(m_environment.ProgramFolder() + "/Skins/tempFile");
    EXPECT_TRUE(wnd->LoadSkin(u"Good.kbskn"));
    EXPECT_EQ(texts, QStringList{kInvalid.arg("Good.kbskn")});
    ExpectDefaultSkin(*wnd);
    EXPECT_EQ(m_environment.m_waitCursor.Depth(), 0);
    EXPECT_EQ(m_environment.m_prompt.m_titles, (QStringList{QString(), QString(), QString()}));
}

TEST_F(SkinLoad, LeftHandedImagesAreTurnedHalfWayWithTheSameSizes)
{
    SkinParts parts;
    parts.images = {ImageFileBytes(Gradient(30, 20), "PNG"),   ImageFileBytes(Gradient(31, 21), "BMP"),
                    ImageFileBytes(Gradient(61, 19), "PNG"),   ImageFileBytes(Gradient(60, 20), "BMP"),
                    ImageFileBytes(Gradient(240, 320), "PNG"), ImageFileBytes(Gradient(240, 320), "BMP")};
    WriteSkin("Turn.kbskn", parts.Bytes());
    for (const std::u16string name : {u"Turn.kbskn", u"Default Skin"}) {
        auto right = NewWindow(true);
        auto left = NewWindow(false);
        ASSERT_TRUE(right->LoadSkin(name));
        ASSERT_TRUE(left->LoadSkin(name));
        EXPECT_EQ(left->ButtonSize(), right->ButtonSize());
        EXPECT_EQ(left->EnterSize(), right->EnterSize());
        for (int i = 0; i < kSkinImageCount; ++i) {
            const QImage &r = right->SkinBitmap(SkinImage(i));
            const QImage &l = left->SkinBitmap(SkinImage(i));
            ASSERT_EQ(l.size(), r.size());
            EXPECT_EQ(l, r.transformed(QTransform().rotate(180))) << "image " << i;
        }
    }
    EXPECT_TRUE(m_environment.m_prompt.m_texts.isEmpty());
}

TEST_F(SkinLoad, ABitmapInUseIsReportedAndTheOthersAreReleased)
{
    auto wnd = NewWindow();
    ASSERT_TRUE(wnd->DrawDefaultSkin());
    // Only a fault of the program's own could leave a painter open on a skin
    // image; the release says so and goes on.
    QPainter painter(&const_cast<QImage &>(wnd->SkinBitmap(SI_BACKGROUND_UP)));
    wnd->ReleaseSkinImages();
    painter.end();
    EXPECT_EQ(m_environment.m_prompt.m_texts, QStringList{"DeleteObject m_hBmpUp failed"});
    EXPECT_FALSE(wnd->SkinBitmap(SI_BACKGROUND_UP).isNull());
    for (const SkinImage image : {SI_BUTTON_UP, SI_BUTTON_DOWN, SI_ENTER_UP, SI_ENTER_DOWN, SI_BACKGROUND_DOWN})
        EXPECT_TRUE(wnd->SkinBitmap(image).isNull()) << image;
}

TEST(ImageDecoder, MissingReadersShowTheLibraryErrors)
{
    TestEnvironment environment;
    const QString path = environment.WriteProgramFile("face.png", ImageFileBytes(SolidImage(4, 3, 0), "PNG"));
    QImage bitmap;
    const CImageDecoder none(QList<QByteArray>{});
    EXPECT_FALSE(none.DecodeImageFile(path, bitmap));
    EXPECT_EQ(environment.m_prompt.m_texts,
              (QStringList{"Could not load image library", "Could not load image function"}));
    EXPECT_EQ(environment.m_prompt.m_titles, (QStringList{"Error", "Error"}));

    environment.m_prompt.m_texts.clear();
    const CImageDecoder withoutSkinFormats(QList<QByteArray>{"xpm", "ppm"});
    EXPECT_FALSE(withoutSkinFormats.DecodeImageFile(path, bitmap));
    EXPECT_EQ(environment.m_prompt.m_texts, QStringList{"Could not load image function"});
    EXPECT_TRUE(bitmap.isNull());
}

TEST(ImageDecoder, ReadsTheFourSkinFormatsByContent)
{
    TestEnvironment environment;
    const QImage picture = Gradient(40, 30);
    // A 1 x 1 GIF (no GIF writer exists to make one).
    const QByteArray gif("GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00"
                         ",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;", 35);
    const std::pair<QByteArray, QSize> files[] = {
        {ImageFileBytes(picture, "PNG"), picture.size()},
        {ImageFileBytes(picture, "BMP"), picture.size()},
        {ImageFileBytes(picture, "JPEG"), picture.size()},
        {gif, QSize(1, 1)},
    };
    const CImageDecoder decoder;
    for (const auto &[bytes, size] : files) {
        const QString path = environment.WriteProgramFile("tempFile", bytes);
        QImage bitmap;
        ASSERT_TRUE(decoder.DecodeImageFile(path, bitmap)) << bytes.left(4).toHex().constData();
        EXPECT_EQ(bitmap.size(), size);
        EXPECT_EQ(bitmap.format(), QImage::Format_RGB32);
    }
    QImage bitmap;
    EXPECT_FALSE(decoder.DecodeImageFile(environment.ProgramFolder() + "/nothing", bitmap));
    const QString png = environment.WriteProgramFile("tempFile", ImageFileBytes(picture, "PNG"));
    ASSERT_TRUE(decoder.DecodeImageFile(png, bitmap));
    EXPECT_EQ(bitmap, picture);
}
