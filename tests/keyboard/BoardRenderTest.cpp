#include "keyboard/KeyboardWnd.h"
#include "keyboard/SkinFileBuilder.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QPixmap>

#include <memory>

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

class BoardRender : public testing::Test
{
protected:
    TestEnvironment m_environment;
};
}

TEST_F(BoardRender, DefaultSkinEllipsesRingsAndSymbols)
{
    CKeyboardWnd wnd;
    ASSERT_TRUE(wnd.DrawDefaultSkin());
    const QImage &up = wnd.SkinBitmap(SI_BACKGROUND_UP);
    const QImage &down = wnd.SkinBitmap(SI_BACKGROUND_DOWN);
    // Delete's ellipse (0, 288, 30, 320) lies within x 0..29, y 288..319;
    // pressed, the inner ellipse starts three pixels in.
    for (const QImage *image : {&up, &down})
        for (const auto &[x, y, color] : {std::tuple(0, 303, kBlack), std::tuple(1, 303, kWhite), std::tuple(28, 303, kWhite),
                                          std::tuple(29, 303, kBlack), std::tuple(15, 288, kBlack),
                                          std::tuple(15, 289, kWhite), std::tuple(225, 129, kWhite)})
            EXPECT_EQ(image->pixel(x, y), color) << x << "," << y;
    EXPECT_EQ(up.pixel(3, 303), kWhite);
    EXPECT_EQ(down.pixel(2, 303), kWhite);
    EXPECT_EQ(down.pixel(3, 303), kBlack);
    EXPECT_EQ(down.pixel(225, 131), kBlack);
    // Each label's ink in the label colour inside its ellipse.
    for (const QPoint slot : {QPoint(0, 288), QPoint(0, 0), QPoint(210, 0), QPoint(210, 32), QPoint(210, 64),
                              QPoint(210, 224), QPoint(210, 256)}) {
        EXPECT_TRUE(Ink(up, QRect(slot + QPoint(5, 5), QSize(20, 22)), kBlack).isValid()) << slot.y();
        EXPECT_TRUE(Ink(down, QRect(slot + QPoint(6, 6), QSize(18, 20)), kWhite).isValid()) << slot.y();
    }
    // Line-list box and triangle, both arrows, menu icon.
    EXPECT_EQ(up.pixel(2, 34), kWhite);
    EXPECT_EQ(down.pixel(0, 32), kWhite);
    EXPECT_EQ(down.pixel(2, 34), kBlack);
    for (const QPoint point : {QPoint(10, 40), QPoint(225, 115), QPoint(225, 205), QPoint(218, 303), QPoint(225, 303)}) {
        EXPECT_EQ(up.pixel(point), kBlack) << point.x() << "," << point.y();
        EXPECT_EQ(down.pixel(point), kWhite) << point.x() << "," << point.y();
    }
    // Faces: black corners, a ring when pressed, Enter's symbol.
    EXPECT_EQ(wnd.SkinBitmap(SI_BUTTON_UP).pixel(0, 0), kBlack);
    EXPECT_EQ(wnd.SkinBitmap(SI_BUTTON_UP).pixel(19, 14), kWhite);
    EXPECT_EQ(wnd.SkinBitmap(SI_BUTTON_DOWN).pixel(19, 1), kWhite);
    EXPECT_EQ(wnd.SkinBitmap(SI_BUTTON_DOWN).pixel(19, 14), kBlack);
    EXPECT_EQ(wnd.SkinBitmap(SI_ENTER_UP).pixel(30, 12), kBlack);
    EXPECT_EQ(wnd.SkinBitmap(SI_ENTER_DOWN).pixel(30, 12), kWhite);
    EXPECT_EQ(wnd.SkinBitmap(SI_ENTER_DOWN).pixel(30, 20), kBlack);
}

TEST_F(BoardRender, FacesAreCentredAndTheirMagentaShowsTheBackground)
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

TEST_F(BoardRender, WatermarkAndLabelsInEveryLayoutAndDirection)
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

TEST_F(BoardRender, ShiftShowsItsKeyPressedAndItsLabelsFromKeptPlanes)
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

TEST_F(BoardRender, OddLayoutsHugeFacesAndHugeFontsStayOnTheBoard)
{
    EXPECT_EQ(MakeBoard(7, false)->ScreenImage(), MakeBoard(KL_FLAT, false)->ScreenImage());
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

TEST_F(BoardRender, PaintShowsTheScreenImage)
{
    auto wnd = MakeBoard(KL_FLAT, true);
    wnd->SetModifiers(false, true, false, false);
    wnd->ComposeKeyboard();
    wnd->CopyFromComposite(wnd->GetKeyRect(KeyCodeOfIndex(33), 33), true);
    EXPECT_EQ(wnd->grab().toImage().convertToFormat(QImage::Format_RGB32), wnd->ScreenImage());
}
