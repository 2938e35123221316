#include "keyboard/ImageDecoder.h"
#include "keyboard/KeyboardWnd.h"
#include "keyboard/SkinFileBuilder.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <functional>
#include <memory>

#include <sys/stat.h>

namespace {
constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;
const QString kInvalid = QStringLiteral("The selected file - '%1' is not a valid skin file.  Using the default skin.");
const QString kMissing = QStringLiteral("The skin file - '%1' could not be loaded.  Using the default skin.");

QRect KeyRect(const CKeyboardWnd &wnd, int slot)
{
    const Rect r = wnd.GetKeyRect(KeyCodeOfIndex(slot), slot);
    return QRect(r.left, r.top, r.Width(), r.Height());
}

std::unique_ptr<CKeyboardWnd> MakeBoard(int layout, bool rightHanded, const std::u16string &skin = u"Default Skin")
{
    auto wnd = std::make_unique<CKeyboardWnd>();
    std::tie(wnd->GetSettings().m_nKeyLayout, wnd->GetSettings().m_bRightHanded, wnd->GetSettings().m_strSkin) =
        std::tuple(layout, rightHanded, skin);
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
        EXPECT_EQ(std::pair(wnd.ButtonSize(), wnd.EnterSize()), std::pair(QSize(38, 28), QSize(74, 28)));
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
    EXPECT_TRUE(m_texts.isEmpty() && m_environment.m_waitCursor.Depth() == 0);
    // The seven colours in file order, and the four the pad takes.
    const SkinColors &c = wnd.GetSkinColors();
    EXPECT_EQ(std::tuple(c.m_crLabelUp, c.m_crLabelDown, c.m_crText, c.m_crSelText, c.m_crBack, c.m_crSelBack, c.m_crMark),
              std::tuple(0x0000FFu, 0x00FF00u, 0x111111u, 0x222222u, 0x333333u, 0x444444u, 0x00FFFFu));
    const CTypePadWnd &pad = wnd.Pad();
    EXPECT_EQ(std::tuple(pad.m_crText, pad.m_crSelText, pad.m_crBack, pad.m_crSelBack),
              std::tuple(0x111111u, 0x222222u, 0x333333u, 0x444444u));
    EXPECT_EQ(std::pair(wnd.ButtonSize(), wnd.EnterSize()), std::pair(QSize(30, 20), QSize(60, 20)));
    EXPECT_EQ(wnd.SkinBitmap(SI_ENTER_DOWN).pixel(30, 10), qRgb(200, 200, 10));
    EXPECT_EQ(wnd.SkinBitmap(SI_BACKGROUND_DOWN).pixel(0, 319), qRgb(90, 40, 40));
    EXPECT_FALSE(QFile::exists(m_environment.ProgramFolder() + "/Skins/tempFile"));
}

// Opening a pipe for reading or writing waits for the other end for ever.
TEST_F(Board, EveryBadMissingOrUnreachableSkinGivesTheDefaultSkinAndOneMessage)
{
    const SkinParts good = CompleteSkin();
    const QByteArray whole = good.Bytes();
    const auto bad = [this](const QByteArray &bytes) { return [this, bytes] { WriteSkin("Bad.kbskn", bytes); }; };
    const auto with = [&](int index, const QByteArray &image) {
        SkinParts parts = good;
        parts.images[index] = image;
        return bad(parts.Bytes());
    };
    const QByteArray png = ImageFileBytes(SolidImage(30, 20, 0), "PNG");
    const QString skins = m_environment.ProgramFolder() + "/Skins/";
    const auto pipe = [](const QString &path) { ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0); };
    // Name, what stands in the folder, the message (none: the skin loads).
    const std::tuple<const char16_t *, std::function<void()>, QString> cases[] = {
        {u"Bad.kbskn", bad(whole.left(27)), kInvalid}, {u"Bad.kbskn", bad(whole.left(28)), kInvalid},
        {u"Bad.kbskn", bad(whole.left(whole.size() - 1000)), kInvalid},
        {u"Bad.kbskn", bad(whole.left(whole.size() - 1)), kInvalid},
        {u"Bad.kbskn", bad(whole.left(28) + LittleEndian32(0xFFFFFFFFu) + whole.mid(32)), kInvalid},
        {u"Bad.kbskn", with(0, QByteArray()), kInvalid}, {u"Bad.kbskn", with(2, QByteArray(500, 'g')), kInvalid},
        {u"Bad.kbskn", with(0, png.left(png.size() / 2)), kInvalid},
        {u"Bad.kbskn", with(0, ImageFileBytes(SolidImage(10001, 1, 0), "PNG")), kInvalid},
        {u"Bad.kbskn", with(3, ImageFileBytes(SolidImage(1, 10001, 0), "PNG")), kInvalid},
        {u"Bad.kbskn", with(1, ForgedBmp(100000, 100000)), kInvalid}, {u"Bad.kbskn", with(0, ForgedBmp(0, 0)), kInvalid},
        {u"Bad.kbskn", with(4, ImageFileBytes(SolidImage(240, 319, 0), "PNG")), kInvalid},
        {u"Bad.kbskn", with(5, ImageFileBytes(SolidImage(320, 240, 0), "BMP")), kInvalid},
        {u"Bad.kbskn", with(0, ImageFileBytes(SolidImage(30, 20, 0), "PPM")), kInvalid},
        {u"Default Skin", [&] { WriteSkin("Default Skin", whole); }, QString()}, {u"Gone.kbskn", [] {}, kMissing},
        {u"../Outside.kbskn", [&] { m_environment.WriteProgramFile("Outside.kbskn", whole); }, kMissing},
        {u"Pipe.kbskn", [&] { pipe(skins + "Pipe.kbskn"); }, kMissing},
        {u"Folder.kbskn", [&] { QDir().mkpath(skins + "Folder.kbskn"); }, kMissing}};
    WriteSkin("Good.kbskn", whole);
    for (int row = 0; row < int(std::size(cases)); ++row) {
        const auto &[name, make, message] = cases[row];
        SCOPED_TRACE(row);
        m_texts.clear();
        make();
        CKeyboardWnd wnd;
        wnd.GetSettings().m_strSkin = name;
        // A skin in use before must not leave any of its images behind.
        ASSERT_TRUE(wnd.LoadSkin(u"Good.kbskn"));
        EXPECT_TRUE(wnd.LoadSkin(name));
        EXPECT_EQ(m_texts, message.isEmpty() ? QStringList() : QStringList{message.arg(QString::fromStdU16String(name))});
        EXPECT_EQ(wnd.GetSettings().m_strSkin, name);
        ExpectDefaultSkin(wnd);
    }
    EXPECT_EQ(m_environment.m_prompt.m_titles, QStringList(19, QString()));
    // No scratch file can be made where a folder of its name stands; a pipe
    // there is replaced.
    CKeyboardWnd wnd;
    QDir().mkpath(skins + "tempFile");
    EXPECT_TRUE(wnd.LoadSkin(u"Good.kbskn"));
    ExpectDefaultSkin(wnd);
    EXPECT_EQ(m_texts.last(), kInvalid.arg("Good.kbskn"));
    QDir(skins + "tempFile").removeRecursively();
    pipe(skins + "tempFile");
    EXPECT_TRUE(wnd.LoadSkin(u"Good.kbskn"));
    EXPECT_EQ(wnd.ButtonSize(), QSize(30, 20));
    EXPECT_FALSE(QFile::exists(skins + "tempFile"));
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
        EXPECT_EQ(std::pair(left.ButtonSize(), left.EnterSize()), std::pair(right.ButtonSize(), right.EnterSize()));
        for (int i = 0; i < kSkinImageCount; ++i)
            EXPECT_EQ(left.SkinBitmap(SkinImage(i)), right.SkinBitmap(SkinImage(i)).transformed(QTransform().rotate(180)));
    }
    EXPECT_TRUE(m_texts.isEmpty());
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
    QImage untouched;
    for (const QList<QByteArray> &formats : {QList<QByteArray>{}, QList<QByteArray>{"xpm", "ppm"}})
        EXPECT_FALSE(CImageDecoder(formats).DecodeImageFile(m_environment.ProgramFolder() + "/tempFile", untouched));
    EXPECT_TRUE(untouched.isNull());
    EXPECT_EQ(m_texts, (QStringList{"Could not load image library", "Could not load image function",
                                    "Could not load image function"}));
    EXPECT_EQ(m_environment.m_prompt.m_titles, QStringList(3, "Error"));
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
          {SI_BACKGROUND_UP, 28, 303, 'W', 'W'}, {SI_BACKGROUND_UP, 29, 303, 'B', 'B'}, {SI_BACKGROUND_UP, 15, 288, 'B', 'B'},
          {SI_BACKGROUND_UP, 15, 289, 'W', 'W'}, {SI_BACKGROUND_UP, 225, 129, 'W', 'W'}, {SI_BACKGROUND_UP, 3, 303, 'W', 'B'},
          {SI_BACKGROUND_UP, 2, 303, '-', 'W'}, {SI_BACKGROUND_UP, 225, 131, '-', 'B'}, {SI_BACKGROUND_UP, 2, 34, 'W', 'B'},
          {SI_BACKGROUND_UP, 0, 32, '-', 'W'}, {SI_BACKGROUND_UP, 10, 40, 'B', 'W'}, {SI_BACKGROUND_UP, 225, 115, 'B', 'W'},
          {SI_BACKGROUND_UP, 225, 205, 'B', 'W'}, {SI_BACKGROUND_UP, 218, 303, 'B', 'W'},
          {SI_BACKGROUND_UP, 225, 303, 'B', 'W'}, {SI_BUTTON_UP, 0, 0, 'B', '-'}, {SI_BUTTON_UP, 19, 14, 'W', 'B'},
          {SI_BUTTON_UP, 19, 1, '-', 'W'}, {SI_ENTER_UP, 30, 12, 'B', 'W'}, {SI_ENTER_UP, 30, 20, '-', 'B'}}) {
        const QRgb up = wnd.SkinBitmap(image).pixel(x, y), down = wnd.SkinBitmap(SkinImage(image + 1)).pixel(x, y);
        EXPECT_TRUE((released == '-' || up == colour(released)) && (pressed == '-' || down == colour(pressed)))
            << image << ": " << x << "," << y;
    }
    // Each label's ink in the label colour inside its ellipse.
    for (const QPoint slot : {QPoint(0, 288), QPoint(0, 0), QPoint(210, 0), QPoint(210, 32), QPoint(210, 64),
                              QPoint(210, 224), QPoint(210, 256)}) {
        EXPECT_TRUE(Ink(wnd.SkinBitmap(SI_BACKGROUND_UP), QRect(slot + QPoint(5, 5), QSize(20, 22)), kBlack).isValid());
        EXPECT_TRUE(Ink(wnd.SkinBitmap(SI_BACKGROUND_DOWN), QRect(slot + QPoint(6, 6), QSize(18, 20)), kWhite).isValid());
    }
}

TEST_F(Board, FacesAreCentredTheirMagentaShowsTheBackgroundAndHugeOnesStayOnTheBoard)
{
    WriteSkin("Faces.kbskn", CompleteSkin().Bytes());
    auto wnd = MakeBoard(KL_FLAT, true, u"Faces.kbskn");
    const QImage &up = wnd->SkinBitmap(SI_BACKGROUND_UP);
    const QRgb back = qRgb(40, 40, 90), face = qRgb(200, 10, 10);
    // Slot 10 (30, 288, 75, 320) takes its 30 x 20 face at (37, 294).
    for (const auto &[x, y, color] :
         {std::tuple(37, 294, back), {40, 294, face}, {63, 313, face}, {64, 313, back}, {66, 311, back}, {67, 300, back},
          {50, 314, back}, {135, 6, back}, {138, 6, qRgb(10, 10, 200)}, {225, 80, back}, {225, 160, back}, {15, 304, back}})
        EXPECT_EQ(up.pixel(x, y), color) << x << "," << y;
    EXPECT_EQ(wnd->SkinBitmap(SI_BACKGROUND_DOWN).pixel(37, 294), qRgb(90, 40, 40));
    EXPECT_EQ(wnd->SkinBitmap(SI_BACKGROUND_DOWN).pixel(160, 16), qRgb(200, 200, 10));
    SkinParts parts = CompleteSkin();
    parts.images[0] = ImageFileBytes(SolidImage(10000, 1, qRgb(1, 2, 3)), "PNG");
    parts.images[3] = ImageFileBytes(SolidImage(500, 700, qRgb(4, 5, 6)), "BMP");
    WriteSkin("Huge.kbskn", parts.Bytes());
    wnd = MakeBoard(KL_TROUGH, false, u"Huge.kbskn");
    EXPECT_TRUE(m_texts.isEmpty());
    EXPECT_EQ(wnd->SkinBitmap(SI_BACKGROUND_UP).pixel(0, KeyRect(*wnd, 11).center().y()), qRgb(1, 2, 3));
}

TEST_F(Board, WatermarkAndLabelsInEveryLayoutAndDirection)
{
    for (const int layout : {KL_FLAT, KL_CREST, KL_TROUGH})
        for (const bool right : {true, false}) {
            SCOPED_TRACE(testing::Message() << "layout " << layout << (right ? " right" : " left"));
            auto wnd = MakeBoard(layout, right);
            const QImage &up = wnd->ComposedUp();
            // The mark reads up from its point (text to the right of it) or
            // down (text to the left), in the released look only; the whole
            // word is on the screen, its ink short of every edge.
            const QRect mark = Ink(up, up.rect(), 0xFF808080);
            const Point at = WatermarkOrigin(layout, right);
            // (The Flat point moves in by the few pixels the word lacks.)
            EXPECT_TRUE(right ? mark.left() >= at.x && mark.right() <= at.x + 12
                                    && mark.bottom() < std::max(at.y, mark.height() + 4)
                              : mark.right() <= at.x && mark.left() >= at.x - 12
                                    && mark.top() >= std::min(at.y, 319 - mark.height() - 4));
            EXPECT_TRUE(mark.height() > 25 && up.rect().adjusted(1, 1, -1, -1).contains(mark))
                << mark.top() << ".." << mark.bottom();
            EXPECT_FALSE(Ink(wnd->ComposedDown(), up.rect(), 0xFF808080).isValid());
            EXPECT_EQ(wnd->ScreenImage(), up);
            // Every label lies in the middle of its key (comma and period sit
            // on their baseline and are left out).
            for (int slot = 10; slot < 50; ++slot) {
                if (!KeyHasLabel(KeyCodeOfIndex(slot)) || KeyCodeOfIndex(slot) >= KC_CHAR_BASE + 36)
                    continue;
                const QRect cell = KeyRect(*wnd, slot);
                const QRect ink = Ink(up, cell, std::nullopt, wnd->SkinBitmap(SI_BACKGROUND_UP));
                EXPECT_TRUE(ink.isValid() && std::abs(ink.center().x() - cell.center().x()) <= 4 &&
                            std::abs(ink.center().y() - cell.center().y()) <= 3)
                    << "slot " << slot;
            }
        }
}

TEST_F(Board, ModifierLabelsComeFromKeptPlanesAndMatchAFreshBoardAfterChanges)
{
    auto wnd = MakeBoard(KL_CREST, true);
    const qint64 normalUp = wnd->ComposedUp().cacheKey();
    for (const bool shift : {true, false, false, true}) {
        wnd->SetModifiers(shift, !shift, false, !shift);
        wnd->ComposeKeyboard();
    }
    // Drawn from scratch, a Normal plane holding the Shift characters gives
    // the same composites as the kept Shift plane.
    auto same = MakeBoard(KL_CREST, true);
    std::copy_n(same->GetKeyMap().Plane(kPlaneShift), kKeyMapCells, same->GetKeyMap().Plane(kPlaneNormal));
    same->SetModifiers(true, false, false, false);
    same->ComposeKeyboard();
    EXPECT_EQ(same->ScreenImage(), wnd->ScreenImage());
    EXPECT_EQ(same->ComposedDown(), wnd->ComposedDown());
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
    // What the window paints is the screen image, a pressed key copied in.
    wnd->CopyFromComposite(wnd->GetKeyRect(KeyCodeOfIndex(33), 33), true);
    EXPECT_EQ(wnd->grab().toImage().convertToFormat(QImage::Format_RGB32), wnd->ScreenImage());
}
