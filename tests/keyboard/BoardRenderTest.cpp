#include "keyboard/KeyboardWnd.h"
#include "keyboard/SkinFileBuilder.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QPixmap>

#include <memory>

namespace {
constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kGrey = 0xFF808080;

QRect ToQRect(const Rect &rect)
{
    return QRect(rect.left, rect.top, rect.Width(), rect.Height());
}

std::unique_ptr<CKeyboardWnd> MakeBoard(int layout, bool rightHanded, const std::u16string &skin = u"Default Skin")
{
    auto wnd = std::make_unique<CKeyboardWnd>();
    Settings &settings = wnd->GetSettings();
    settings.m_nKeyLayout = layout;
    settings.m_bRightHanded = rightHanded;
    settings.m_strSkin = skin;
    wnd->CreateKeyFonts();
    EXPECT_TRUE(wnd->CreateBoardImages());
    EXPECT_TRUE(wnd->RebuildBoard());
    return wnd;
}

// The pixels of the image that have the colour, as their bounding box.
QRect BoxOf(const QImage &image, QRgb color, const QRect &area)
{
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) == color)
                box |= QRect(x, y, 1, 1);
    return box;
}

// The pixels where two images differ, as their bounding box.
QRect DifferenceIn(const QImage &a, const QImage &b, const QRect &area)
{
    QRect box;
    const QRect inside = area & a.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
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
    // The delete key's ellipse (0, 288, 30, 320): outlined within x 0..29 and
    // y 288..319, white inside; pressed, a ring of white up to the inner
    // ellipse three pixels in.
    for (const QImage *image : {&up, &down}) {
        EXPECT_EQ(image->pixel(0, 303), kBlack);
        EXPECT_EQ(image->pixel(1, 303), kWhite);
        EXPECT_EQ(image->pixel(28, 303), kWhite);
        EXPECT_EQ(image->pixel(29, 303), kBlack);
        EXPECT_EQ(image->pixel(15, 288), kBlack);
        EXPECT_EQ(image->pixel(15, 289), kWhite);
        EXPECT_EQ(image->pixel(0, 288), kBlack);
        EXPECT_EQ(image->pixel(225, 129), kWhite); // space bar
    }
    EXPECT_EQ(up.pixel(3, 303), kWhite);
    EXPECT_EQ(down.pixel(2, 303), kWhite);
    EXPECT_EQ(down.pixel(3, 303), kBlack);
    EXPECT_EQ(down.pixel(225, 131), kBlack);
    // Labels: ink of the label colour inside each labelled ellipse.
    for (const QRect slot : {QRect(0, 288, 30, 32), QRect(0, 0, 30, 32), QRect(210, 0, 30, 32), QRect(210, 32, 30, 32),
                             QRect(210, 64, 30, 32), QRect(210, 224, 30, 32), QRect(210, 256, 30, 32)}) {
        EXPECT_TRUE(BoxOf(up, kBlack, slot.adjusted(5, 5, -5, -5)).isValid()) << slot.y();
        EXPECT_TRUE(BoxOf(down, kWhite, slot.adjusted(6, 6, -6, -6)).isValid()) << slot.y();
    }
    // Line-list box and triangle, arrows and menu icon: black on white, and
    // white on black when pressed.
    EXPECT_EQ(up.pixel(2, 34), kWhite);
    EXPECT_EQ(down.pixel(0, 32), kWhite);
    EXPECT_EQ(down.pixel(2, 34), kBlack);
    for (const QPoint point : {QPoint(10, 40), QPoint(225, 115), QPoint(225, 205), QPoint(218, 303), QPoint(225, 303)}) {
        EXPECT_EQ(up.pixel(point), kBlack) << point.x() << "," << point.y();
        EXPECT_EQ(down.pixel(point), kWhite) << point.x() << "," << point.y();
    }
    // Faces: black corners, white ellipse, a ring when pressed, the Enter
    // symbol in the outline's colour.
    const QImage &button = wnd.SkinBitmap(SI_BUTTON_UP);
    const QImage &buttonDown = wnd.SkinBitmap(SI_BUTTON_DOWN);
    EXPECT_EQ(button.size(), QSize(38, 28));
    EXPECT_EQ(button.pixel(0, 0), kBlack);
    EXPECT_EQ(button.pixel(19, 14), kWhite);
    EXPECT_EQ(buttonDown.pixel(19, 1), kWhite);
    EXPECT_EQ(buttonDown.pixel(19, 14), kBlack);
    EXPECT_EQ(wnd.SkinBitmap(SI_ENTER_UP).pixel(30, 12), kBlack);
    EXPECT_EQ(wnd.SkinBitmap(SI_ENTER_UP).pixel(30, 20), kWhite);
    EXPECT_EQ(wnd.SkinBitmap(SI_ENTER_DOWN).pixel(30, 12), kWhite);
    EXPECT_EQ(wnd.SkinBitmap(SI_ENTER_DOWN).pixel(30, 20), kBlack);
}

TEST_F(BoardRender, FacesAreCentredAndTheirMagentaShowsTheBackground)
{
    m_environment.WriteProgramFile("Skins/Faces.kbskn", CompleteSkin().Bytes());
    auto wnd = MakeBoard(KL_FLAT, true, u"Faces.kbskn");
    const QImage &up = wnd->SkinBitmap(SI_BACKGROUND_UP);
    const QImage &down = wnd->SkinBitmap(SI_BACKGROUND_DOWN);
    // Slot 10 (30, 288, 75, 320) with a 30 x 20 face: the face at (37, 294).
    EXPECT_EQ(up.pixel(37, 294), qRgb(40, 40, 90));
    EXPECT_EQ(up.pixel(40, 294), qRgb(200, 10, 10));
    EXPECT_EQ(up.pixel(63, 313), qRgb(200, 10, 10));
    EXPECT_EQ(up.pixel(64, 313), qRgb(40, 40, 90));
    EXPECT_EQ(up.pixel(66, 310), qRgb(200, 10, 10));
    EXPECT_EQ(up.pixel(66, 311), qRgb(40, 40, 90));
    EXPECT_EQ(up.pixel(67, 300), qRgb(40, 40, 90));
    EXPECT_EQ(up.pixel(50, 314), qRgb(40, 40, 90));
    EXPECT_EQ(down.pixel(37, 294), qRgb(90, 40, 40));
    EXPECT_EQ(down.pixel(50, 300), qRgb(10, 200, 10));
    // Enter (120, 0, 210, 32) with a 60 x 20 face: at (135, 6).
    EXPECT_EQ(up.pixel(135, 6), qRgb(40, 40, 90));
    EXPECT_EQ(up.pixel(138, 6), qRgb(10, 10, 200));
    EXPECT_EQ(down.pixel(160, 16), qRgb(200, 200, 10));
    // Keys without a face keep the background: shift, space bar, delete.
    for (const QPoint point : {QPoint(225, 80), QPoint(225, 160), QPoint(15, 304)})
        EXPECT_EQ(up.pixel(point), qRgb(40, 40, 90));
}

TEST_F(BoardRender, WatermarkOnlyInTheReleasedLookAtItsPoint)
{
    for (const int layout : {KL_FLAT, KL_CREST, KL_TROUGH})
        for (const bool rightHanded : {true, false}) {
            SCOPED_TRACE(testing::Message() << "layout " << layout << (rightHanded ? " right" : " left"));
            auto wnd = MakeBoard(layout, rightHanded);
            const QRect mark = BoxOf(wnd->ComposedUp(), kGrey, wnd->ComposedUp().rect());
            ASSERT_TRUE(mark.isValid());
            const Point origin = WatermarkOrigin(layout, rightHanded);
            // Upwards from the point with the text to its right, or downwards
            // with the text to its left.
            if (rightHanded) {
                EXPECT_GE(mark.left(), origin.x);
                EXPECT_LE(mark.right(), origin.x + 12);
                EXPECT_LT(mark.bottom(), origin.y);
            } else {
                EXPECT_LE(mark.right(), origin.x);
                EXPECT_GE(mark.left(), origin.x - 12);
                EXPECT_GE(mark.top(), origin.y);
            }
            EXPECT_GT(mark.height(), 25);
            EXPECT_FALSE(BoxOf(wnd->ComposedDown(), kGrey, wnd->ComposedDown().rect()).isValid());
            EXPECT_EQ(wnd->ScreenImage(), wnd->ComposedUp());
        }
}

TEST_F(BoardRender, LabelsAreCentredInTheirKeysInBothDirections)
{
    for (const int layout : {KL_FLAT, KL_CREST, KL_TROUGH})
        for (const bool rightHanded : {true, false}) {
            SCOPED_TRACE(testing::Message() << "layout " << layout << (rightHanded ? " right" : " left"));
            auto wnd = MakeBoard(layout, rightHanded);
            for (int slot = 10; slot < 50; ++slot) {
                const KeyCode code = KeyCodeOfIndex(slot);
                // The comma and period sit on their baseline, not in the middle.
                if (!KeyHasLabel(code) || code >= KC_CHAR_BASE + 36)
                    continue;
                const QRect cell = ToQRect(wnd->GetKeyRect(code, slot));
                const QRect ink = DifferenceIn(wnd->ComposedUp(), wnd->SkinBitmap(SI_BACKGROUND_UP), cell);
                ASSERT_TRUE(ink.isValid()) << "slot " << slot;
                EXPECT_TRUE(cell.contains(ink)) << "slot " << slot;
                EXPECT_LE(std::abs(ink.center().x() - cell.center().x()), 4) << "slot " << slot;
                EXPECT_LE(std::abs(ink.center().y() - cell.center().y()), 3) << "slot " << slot;
            }
        }
}

TEST_F(BoardRender, ShiftShowsItsKeyPressedAndTheShiftPlaneLabels)
{
    auto wnd = MakeBoard(KL_TROUGH, true);
    const QImage normal = wnd->ScreenImage();
    wnd->SetModifiers(true, false, false, false);
    wnd->ComposeKeyboard();
    const QImage &screen = wnd->ScreenImage();
    const QRect shift = ToQRect(wnd->GetKeyRect(KC_SHIFT, 52));
    EXPECT_EQ(screen.copy(shift), wnd->ComposedDown().copy(shift));
    EXPECT_NE(screen.copy(shift), wnd->ComposedUp().copy(shift));
    for (const int slot : {57, 58, 59})
        EXPECT_EQ(screen.copy(ToQRect(wnd->GetKeyRect(KeyCodeOfIndex(slot), slot))),
                  wnd->ComposedUp().copy(ToQRect(wnd->GetKeyRect(KeyCodeOfIndex(slot), slot))));
    const QRect q = ToQRect(wnd->GetKeyRect(KeyCodeOfIndex(20), 20));
    EXPECT_NE(screen.copy(q), normal.copy(q));

    // A board whose Normal plane holds the Shift plane's characters shows the
    // same labels, released and pressed.
    auto same = MakeBoard(KL_TROUGH, true);
    KeyMap &map = same->GetKeyMap();
    std::copy_n(map.Plane(kPlaneShift), kKeyMapCells, map.Plane(kPlaneNormal));
    same->ComposeKeyboard();
    EXPECT_EQ(same->ComposedUp(), wnd->ComposedUp());
    EXPECT_EQ(same->ComposedDown(), wnd->ComposedDown());

    // Every latch at once shows all four modifier keys pressed.
    wnd->SetModifiers(true, true, true, true);
    wnd->ComposeKeyboard();
    for (const int slot : {52, 57, 58, 59}) {
        const QRect key = ToQRect(wnd->GetKeyRect(KeyCodeOfIndex(slot), slot));
        EXPECT_EQ(wnd->ScreenImage().copy(key), wnd->ComposedDown().copy(key)) << slot;
    }
}

TEST_F(BoardRender, KeptPlanesEqualAFreshDrawing)
{
    auto wnd = MakeBoard(KL_CREST, true);
    const qint64 normalUp = wnd->ComposedUp().cacheKey();
    wnd->SetModifiers(true, false, false, false);
    wnd->ComposeKeyboard();
    wnd->SetModifiers(false, false, false, false);
    wnd->ComposeKeyboard();
    // Back on the Normal plane without drawing it again.
    EXPECT_EQ(wnd->ComposedUp().cacheKey(), normalUp);
    wnd->SetModifiers(false, true, false, true);
    wnd->ComposeKeyboard();
    wnd->SetModifiers(true, false, false, false);
    wnd->ComposeKeyboard();

    auto fresh = MakeBoard(KL_CREST, true);
    fresh->SetModifiers(true, false, false, false);
    fresh->ComposeKeyboard();
    EXPECT_EQ(wnd->ComposedUp(), fresh->ComposedUp());
    EXPECT_EQ(wnd->ComposedDown(), fresh->ComposedDown());
    EXPECT_EQ(wnd->ScreenImage(), fresh->ScreenImage());

    // A key map changed in place shows its new characters.
    for (CKeyboardWnd *board : {wnd.get(), fresh.get()})
        board->GetKeyMap().Plane(kPlaneShift)[26] = u'#';
    const QImage before = fresh->ScreenImage();
    wnd->ComposeKeyboard();
    auto changed = MakeBoard(KL_CREST, true);
    changed->GetKeyMap().Plane(kPlaneShift)[26] = u'#';
    changed->SetModifiers(true, false, false, false);
    changed->ComposeKeyboard();
    EXPECT_NE(wnd->ScreenImage(), before);
    EXPECT_EQ(wnd->ScreenImage(), changed->ScreenImage());

    // A new direction with its fonts and skin gives the other board.
    wnd->GetSettings().m_bRightHanded = false;
    wnd->CreateKeyFonts();
    ASSERT_TRUE(wnd->RebuildBoard());
    auto left = MakeBoard(KL_CREST, false);
    left->GetKeyMap().Plane(kPlaneShift)[26] = u'#';
    left->SetModifiers(true, false, false, false);
    left->ComposeKeyboard();
    EXPECT_EQ(wnd->ScreenImage(), left->ScreenImage());
}

TEST_F(BoardRender, UnknownLayoutDrawsTheFlatBoard)
{
    EXPECT_EQ(MakeBoard(7, true)->ScreenImage(), MakeBoard(KL_FLAT, true)->ScreenImage());
    EXPECT_EQ(MakeBoard(-3, false)->ScreenImage(), MakeBoard(KL_FLAT, false)->ScreenImage());
}

TEST_F(BoardRender, HugeFacesAreClippedToTheBoard)
{
    SkinParts parts = CompleteSkin();
    parts.images[0] = ImageFileBytes(SolidImage(10000, 1, qRgb(1, 2, 3)), "PNG");
    parts.images[3] = ImageFileBytes(SolidImage(500, 700, qRgb(4, 5, 6)), "BMP");
    m_environment.WriteProgramFile("Skins/Huge.kbskn", parts.Bytes());
    auto wnd = MakeBoard(KL_TROUGH, false, u"Huge.kbskn");
    EXPECT_TRUE(m_environment.m_prompt.m_texts.isEmpty());
    EXPECT_EQ(wnd->ButtonSize(), QSize(10000, 1));
    // A one-pixel line across the whole board through each key's middle.
    const Rect key = wnd->GetKeyRect(KeyCodeOfIndex(11), 11);
    EXPECT_EQ(wnd->SkinBitmap(SI_BACKGROUND_UP).pixel(0, (key.top + key.bottom - 1) / 2), qRgb(1, 2, 3));
}

TEST_F(BoardRender, PaintShowsTheScreenImage)
{
    auto wnd = MakeBoard(KL_FLAT, true);
    wnd->SetModifiers(false, true, false, false);
    wnd->ComposeKeyboard();
    wnd->CopyFromComposite(wnd->GetKeyRect(KeyCodeOfIndex(33), 33), true);
    const QImage shown = wnd->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown, wnd->ScreenImage());
}

TEST_F(BoardRender, KeyFontsFollowTheSettingsAndDirection)
{
    CKeyboardWnd wnd;
    Settings &settings = wnd.GetSettings();
    settings.m_strFontName = u"Courier";
    settings.m_nFontSize = 20;
    settings.m_bFontItalic = 1;
    settings.m_bRightHanded = 0;
    wnd.CreateKeyFonts();
    const LogFont &keys = wnd.KeyFont().Description();
    EXPECT_EQ(keys.lfFaceName, "Courier");
    EXPECT_EQ(keys.lfHeight, PointSizeToHeight(ScreenDotsPerInchY(), 20));
    EXPECT_EQ(keys.lfWeight, 600);
    EXPECT_FALSE(keys.lfItalic);
    EXPECT_EQ(keys.lfEscapement, 2700);
    const LogFont &mark = wnd.MarkFont().Description();
    EXPECT_EQ(mark.lfFaceName, "Tahoma");
    EXPECT_EQ(mark.lfHeight, PointSizeToHeight(ScreenDotsPerInchY(), 8));
    EXPECT_EQ(mark.lfWeight, 600);
    EXPECT_EQ(mark.lfEscapement, 2700);

    settings.m_bRightHanded = 1;
    settings.m_nFontSize = 2000000000;
    wnd.CreateKeyFonts();
    EXPECT_EQ(wnd.KeyFont().Escapement(), 900);
    EXPECT_EQ(wnd.MarkFont().Escapement(), 900);
    EXPECT_EQ(wnd.KeyFont().Description().lfHeight, PointSizeToHeight(ScreenDotsPerInchY(), 500));
}
