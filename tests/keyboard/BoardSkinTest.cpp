#include "keyboard/ImageDecoder.h"
#include "keyboard/KeyboardWnd.h"
#include "keyboard/SkinFileBuilder.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPixmap>

#include <memory>

#include <sys/stat.h>

namespace {
constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;

QRect KeyRect(const CKeyboardWnd &wnd, int slot)
{
    const Rect r = wnd.GetKeyRect(KeyCodeOfIndex(slot), slot);
    return QRect(r.left, r.top, r.Width(), r.Height());
}

std::unique_ptr<CKeyboardWnd> MakeBoard(int layout, bool rightHanded, const std::u16string &skin = u"Default Skin")
{
    auto wnd = std::make_unique<CKeyboardWnd>();
    wnd->GetSettings().m_nKeyLayout = layout;
    wnd->GetSettings().m_bRightHanded = rightHanded;
    wnd->GetSettings().m_strSkin = skin;
    wnd->CreateKeyFonts();
    EXPECT_TRUE(wnd->CreateBoardImages() && wnd->RebuildBoard());
    return wnd;
}

// The bounding box of the pixels in the area where a has the colour, or
// (with no colour) where a and b differ.
QRect Ink(const QImage &a, const QRect &area, std::optional<QRgb> color, const QImage &b = QImage())
{
    QRect box;
    for (int y = std::max(area.top(), 0); y <= std::min(area.bottom(), a.height() - 1); ++y)
        for (int x = std::max(area.left(), 0); x <= std::min(area.right(), a.width() - 1); ++x)
            if (color ? a.pixel(x, y) == *color : a.pixel(x, y) != b.pixel(x, y))
                box |= QRect(x, y, 1, 1);
    return box;
}

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

class Board : public testing::Test
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

TEST_F(Board, CompleteSkinGivesItsColoursImagesAndSizes)
{
    WriteSkin("Good.kbskn", CompleteSkin().Bytes() + "bytes after the last image");
    CKeyboardWnd wnd;
    ASSERT_TRUE(wnd.LoadSkin(u"Good.kbskn"));
    EXPECT_TRUE(m_texts.isEmpty());
    EXPECT_EQ(m_environment.m_waitCursor.Depth(), 0);
    // The seven colours in file order, and the four the pad takes.
    const SkinColors &c = wnd.GetSkinColors();
    EXPECT_EQ(std::tuple(c.m_crLabelUp, c.m_crLabelDown, c.m_crText, c.m_crSelText, c.m_crBack, c.m_crSelBack, c.m_crMark),
              std::tuple(0x0000FFu, 0x00FF00u, 0x111111u, 0x222222u, 0x333333u, 0x444444u, 0x00FFFFu));
    const CTypePadWnd &pad = wnd.Pad();
    EXPECT_EQ(std::tuple(pad.m_crText, pad.m_crSelText, pad.m_crBack, pad.m_crSelBack),
              std::tuple(0x111111u, 0x222222u, 0x333333u, 0x444444u));
    EXPECT_EQ(wnd.ButtonSize(), QSize(30, 20));
    EXPECT_EQ(wnd.EnterSize(), QSize(60, 20));
    EXPECT_EQ(wnd.SkinBitmap(SI_ENTER_DOWN).pixel(30, 10), qRgb(200, 200, 10));
    EXPECT_EQ(wnd.SkinBitmap(SI_BACKGROUND_DOWN).pixel(0, 319), qRgb(90, 40, 40));
    EXPECT_FALSE(QFile::exists(m_environment.ProgramFolder() + "/Skins/tempFile"));
}

TEST_F(Board, EveryKindOfBadFileGivesTheDefaultSkinAndOneMessage)
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

TEST_F(Board, MissingOutsideAndUnwritableCasesHaveTheirMessages)
{
    CKeyboardWnd wnd;
    // The default skin is drawn: a file of its name is never opened.
    WriteSkin("Default Skin", CompleteSkin().Bytes());
    EXPECT_TRUE(wnd.LoadSkin(u"Default Skin"));
    ExpectDefaultSkin(wnd);
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
TEST_F(Board, PipesAndFoldersAreNoSkinsAndAPipedScratchFileIsReplaced)
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

TEST_F(Board, LeftHandedImagesAreTurnedHalfWayWithTheSameSizes)
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

TEST_F(Board, ABitmapInUseIsReportedAndTheOthersAreReleased)
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

TEST_F(Board, DecoderReadsTheFourFormatsOrSaysWhyItCannot)
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

TEST_F(Board, DefaultSkinEllipsesRingsAndSymbols)
{
    CKeyboardWnd wnd;
    ASSERT_TRUE(wnd.DrawDefaultSkin());
    const auto colour = [](char c) { return c == 'B' ? kBlack : kWhite; };
    // Image, point, colour released and pressed ('-': either): Delete's ellipse
    // within x 0..29, y 288..319 (pressed, the inner one three pixels in), the
    // line-list box, both arrows, the menu icon; faces' corners and rings, Enter's symbol.
    for (const auto &[image, x, y, released, pressed] :
         {std::tuple(SI_BACKGROUND_UP, 0, 303, 'B', 'B'), {SI_BACKGROUND_UP, 1, 303, 'W', 'W'},
          {SI_BACKGROUND_UP, 28, 303, 'W', 'W'}, {SI_BACKGROUND_UP, 29, 303, 'B', 'B'},
          {SI_BACKGROUND_UP, 15, 288, 'B', 'B'}, {SI_BACKGROUND_UP, 15, 289, 'W', 'W'},
          {SI_BACKGROUND_UP, 225, 129, 'W', 'W'}, {SI_BACKGROUND_UP, 3, 303, 'W', 'B'},
          {SI_BACKGROUND_UP, 2, 303, '-', 'W'}, {SI_BACKGROUND_UP, 225, 131, '-', 'B'},
          {SI_BACKGROUND_UP, 2, 34, 'W', 'B'}, {SI_BACKGROUND_UP, 0, 32, '-', 'W'},
          {SI_BACKGROUND_UP, 10, 40, 'B', 'W'}, {SI_BACKGROUND_UP, 225, 115, 'B', 'W'},
          {SI_BACKGROUND_UP, 225, 205, 'B', 'W'}, {SI_BACKGROUND_UP, 218, 303, 'B', 'W'},
          {SI_BACKGROUND_UP, 225, 303, 'B', 'W'}, {SI_BUTTON_UP, 0, 0, 'B', '-'}, {SI_BUTTON_UP, 19, 14, 'W', 'B'},
          {SI_BUTTON_UP, 19, 1, '-', 'W'}, {SI_ENTER_UP, 30, 12, 'B', 'W'}, {SI_ENTER_UP, 30, 20, '-', 'B'}}) {
        const QRgb up = wnd.SkinBitmap(image).pixel(x, y), down = wnd.SkinBitmap(SkinImage(image + 1)).pixel(x, y);
        EXPECT_TRUE(released == '-' || up == colour(released)) << image << ": " << x << "," << y;
        EXPECT_TRUE(pressed == '-' || down == colour(pressed)) << image << ": " << x << "," << y;
    }
    // Each label's ink in the label colour inside its ellipse.
    for (const QPoint slot : {QPoint(0, 288), QPoint(0, 0), QPoint(210, 0), QPoint(210, 32), QPoint(210, 64),
                              QPoint(210, 224), QPoint(210, 256)}) {
        EXPECT_TRUE(Ink(wnd.SkinBitmap(SI_BACKGROUND_UP), QRect(slot + QPoint(5, 5), QSize(20, 22)), kBlack).isValid());
        EXPECT_TRUE(Ink(wnd.SkinBitmap(SI_BACKGROUND_DOWN), QRect(slot + QPoint(6, 6), QSize(18, 20)), kWhite).isValid());
    }
}

TEST_F(Board, FacesAreCentredAndTheirMagentaShowsTheBackground)
{
    m_environment.WriteProgramFile("Skins/Faces.kbskn", CompleteSkin().Bytes());
    auto wnd = MakeBoard(KL_FLAT, true, u"Faces.kbskn");
    const QImage &up = wnd->SkinBitmap(SI_BACKGROUND_UP);
    const QRgb back = qRgb(40, 40, 90);
    // Slot 10 (30, 288, 75, 320) takes its 30 x 20 face at (37, 294).
    for (const auto &[x, y, color] : {std::tuple(37, 294, back), std::tuple(40, 294, qRgb(200, 10, 10)),
                                      std::tuple(63, 313, qRgb(200, 10, 10)), std::tuple(64, 313, back),
                                      std::tuple(66, 311, back), std::tuple(67, 300, back), std::tuple(50, 314, back),
                                      std::tuple(135, 6, back), std::tuple(138, 6, qRgb(10, 10, 200)),
                                      std::tuple(225, 80, back), std::tuple(225, 160, back), std::tuple(15, 304, back)})
        EXPECT_EQ(up.pixel(x, y), color) << x << "," << y;
    EXPECT_EQ(wnd->SkinBitmap(SI_BACKGROUND_DOWN).pixel(37, 294), qRgb(90, 40, 40));
    EXPECT_EQ(wnd->SkinBitmap(SI_BACKGROUND_DOWN).pixel(160, 16), qRgb(200, 200, 10));
}

TEST_F(Board, WatermarkAndLabelsInEveryLayoutAndDirection)
{
    for (const int layout : {KL_FLAT, KL_CREST, KL_TROUGH})
        for (const bool right : {true, false}) {
            SCOPED_TRACE(testing::Message() << "layout " << layout << (right ? " right" : " left"));
            auto wnd = MakeBoard(layout, right);
            const QImage &up = wnd->ComposedUp();
            // The mark reads up from its point (text to the right of it) or
            // down (text to the left), in the released look only.
            const QRect mark = Ink(up, up.rect(), 0xFF808080);
            const Point at = WatermarkOrigin(layout, right);
            ASSERT_TRUE(mark.isValid());
            // (The Flat point moves in by the few pixels the word lacks.)
            EXPECT_TRUE(right ? mark.left() >= at.x && mark.right() <= at.x + 12
                                    && mark.bottom() < std::max(at.y, mark.height() + 4)
                              : mark.right() <= at.x && mark.left() >= at.x - 12
                                    && mark.top() >= std::min(at.y, 319 - mark.height() - 4));
            EXPECT_GT(mark.height(), 25);
            // The whole word is on the screen: its ink stops short of every edge.
            EXPECT_TRUE(up.rect().adjusted(1, 1, -1, -1).contains(mark)) << mark.top() << ".." << mark.bottom();
            EXPECT_FALSE(Ink(wnd->ComposedDown(), up.rect(), 0xFF808080).isValid());
            EXPECT_EQ(wnd->ScreenImage(), up);
            // Every label lies in the middle of its key (comma and period sit
            // on their baseline and are left out).
            for (int slot = 10; slot < 50; ++slot) {
                if (!KeyHasLabel(KeyCodeOfIndex(slot)) || KeyCodeOfIndex(slot) >= KC_CHAR_BASE + 36)
                    continue;
                const QRect cell = KeyRect(*wnd, slot);
                const QRect ink = Ink(up, cell, std::nullopt, wnd->SkinBitmap(SI_BACKGROUND_UP));
                ASSERT_TRUE(ink.isValid()) << "slot " << slot;
                EXPECT_LE(std::abs(ink.center().x() - cell.center().x()), 4) << "slot " << slot;
                EXPECT_LE(std::abs(ink.center().y() - cell.center().y()), 3) << "slot " << slot;
            }
        }
}

TEST_F(Board, ShiftShowsItsKeyPressedAndItsLabelsFromKeptPlanes)
{
    auto wnd = MakeBoard(KL_CREST, true);
    const QImage normal = wnd->ScreenImage();
    const qint64 normalUp = wnd->ComposedUp().cacheKey();
    for (const bool shift : {true, false, false, true}) {
        wnd->SetModifiers(shift, !shift, false, !shift);
        wnd->ComposeKeyboard();
    }
    const QImage &screen = wnd->ScreenImage();
    EXPECT_EQ(screen.copy(KeyRect(*wnd, 52)), wnd->ComposedDown().copy(KeyRect(*wnd, 52)));
    EXPECT_NE(screen.copy(KeyRect(*wnd, 52)), wnd->ComposedUp().copy(KeyRect(*wnd, 52)));
    EXPECT_EQ(screen.copy(KeyRect(*wnd, 57)), wnd->ComposedUp().copy(KeyRect(*wnd, 57)));
    EXPECT_NE(screen.copy(KeyRect(*wnd, 20)), normal.copy(KeyRect(*wnd, 20)));
    // Drawn from scratch, a Normal plane holding the Shift characters gives
    // the same composites as the kept Shift plane.
    auto same = MakeBoard(KL_CREST, true);
    std::copy_n(same->GetKeyMap().Plane(kPlaneShift), kKeyMapCells, same->GetKeyMap().Plane(kPlaneNormal));
    same->SetModifiers(true, false, false, false);
    same->ComposeKeyboard();
    EXPECT_EQ(same->ScreenImage(), wnd->ScreenImage());
    EXPECT_EQ(same->ComposedDown(), wnd->ComposedDown());
    wnd->SetModifiers(true, true, true, true);
    wnd->ComposeKeyboard();
    for (const int slot : {52, 57, 58, 59})
        EXPECT_EQ(wnd->ScreenImage().copy(KeyRect(*wnd, slot)), wnd->ComposedDown().copy(KeyRect(*wnd, slot)));
    wnd->SetModifiers(false, false, false, false);
    wnd->ComposeKeyboard();
    EXPECT_EQ(wnd->ComposedUp().cacheKey(), normalUp); // kept, not drawn again

    // A key map changed in place, then a new direction, match a fresh board.
    auto changed = MakeBoard(KL_CREST, false);
    for (CKeyboardWnd *board : {wnd.get(), changed.get()}) {
        board->GetKeyMap().Plane(kPlaneShift)[26] = u'#';
        board->SetModifiers(true, false, false, false);
        board->ComposeKeyboard();
    }
    EXPECT_NE(wnd->ScreenImage(), same->ScreenImage());
    wnd->GetSettings().m_bRightHanded = false;
    wnd->CreateKeyFonts();
    ASSERT_TRUE(wnd->RebuildBoard());
    EXPECT_EQ(wnd->ScreenImage(), changed->ScreenImage());
}

TEST_F(Board, OddLayoutsHugeFacesAndHugeFontsStayOnTheBoard)
{
    SkinParts parts = CompleteSkin();
    parts.images[0] = ImageFileBytes(SolidImage(10000, 1, qRgb(1, 2, 3)), "PNG");
    parts.images[3] = ImageFileBytes(SolidImage(500, 700, qRgb(4, 5, 6)), "BMP");
    m_environment.WriteProgramFile("Skins/Huge.kbskn", parts.Bytes());
    auto wnd = MakeBoard(KL_TROUGH, false, u"Huge.kbskn");
    EXPECT_TRUE(m_environment.m_prompt.m_texts.isEmpty());
    EXPECT_EQ(wnd->SkinBitmap(SI_BACKGROUND_UP).pixel(0, KeyRect(*wnd, 11).center().y()), qRgb(1, 2, 3));
    // Font sizes are passed on as stored, up to one that still fits memory.
    wnd->GetSettings().m_nFontSize = 2000000000;
    wnd->CreateKeyFonts();
    EXPECT_EQ(wnd->KeyFont().Description().lfHeight, PointSizeToHeight(ScreenDotsPerInchY(), 500));
    EXPECT_EQ(wnd->KeyFont().Description().lfWeight, 600);
    EXPECT_EQ(wnd->KeyFont().Escapement(), 2700);
    wnd->ComposeKeyboard();
}

TEST_F(Board, PaintShowsTheScreenImage)
{
    auto wnd = MakeBoard(KL_FLAT, true);
    wnd->SetModifiers(false, true, false, false);
    wnd->ComposeKeyboard();
    wnd->CopyFromComposite(wnd->GetKeyRect(KeyCodeOfIndex(33), 33), true);
    EXPECT_EQ(wnd->grab().toImage().convertToFormat(QImage::Format_RGB32), wnd->ScreenImage());
}
