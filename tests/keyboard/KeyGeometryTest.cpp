#include "keyboard/KeyGeometry.h"

#include <gtest/gtest.h>

#include <ostream>

void PrintTo(const Rect &rect, std::ostream *out)
{
    *out << "(" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom << ")";
}

void PrintTo(const Point &point, std::ostream *out)
{
    *out << "(" << point.x << ", " << point.y << ")";
}

namespace {
constexpr int kLayouts[] = {KL_FLAT, KL_CREST, KL_TROUGH};

Rect Key(int slot, int layout, bool rightHanded = true)
{
    return GetKeyRect(KeyCodeOfIndex(slot), slot, layout, rightHanded);
}
}

TEST(KeyGeometry, RightHandedRectanglesOfEachLayout)
{
    EXPECT_EQ(Key(10, KL_FLAT), (Rect{30, 288, 75, 320}));
    EXPECT_EQ(Key(49, KL_FLAT), (Rect{120, 0, 210, 32}));
    EXPECT_EQ(Key(39, KL_FLAT), Key(49, KL_FLAT));
    EXPECT_EQ(Key(40, KL_CREST), (Rect{170, 288, 210, 320}));
    EXPECT_EQ(Key(44, KL_CREST), (Rect{150, 160, 190, 192}));
    EXPECT_EQ(Key(49, KL_CREST), (Rect{130, 0, 210, 32}));
    EXPECT_EQ(Key(10, KL_TROUGH), (Rect{30, 288, 70, 320}));
    EXPECT_EQ(Key(14, KL_TROUGH), (Rect{50, 160, 90, 192}));
    EXPECT_EQ(Key(39, KL_TROUGH), (Rect{110, 0, 190, 32}));
    for (const int layout : kLayouts) {
        EXPECT_EQ(Key(8, layout), (Rect{0, 32, 30, 48}));
        EXPECT_EQ(Key(0, layout), (Rect{0, 288, 30, 320}));
        EXPECT_EQ(Key(54, layout), (Rect{210, 128, 240, 192}));
        EXPECT_EQ(Key(55, layout), Key(54, layout));
        EXPECT_EQ(Key(59, layout), (Rect{210, 0, 240, 32}));
    }
}

TEST(KeyGeometry, LeftHandedTurnsEveryRectangleByHalfATurn)
{
    EXPECT_EQ(Key(10, KL_FLAT, false), (Rect{164, -1, 209, 31}));
    EXPECT_EQ(Key(54, KL_FLAT, false), (Rect{-1, 127, 29, 191}));
    EXPECT_EQ(Key(8, KL_TROUGH, false), (Rect{209, 271, 239, 287}));
    EXPECT_EQ(MirrorRect({2, 50, 28, 286}), (Rect{211, 33, 237, 269}));
    for (const int layout : kLayouts)
        for (int slot = 0; slot < kKeySlotCount; ++slot) {
            EXPECT_EQ(Key(slot, layout, false), MirrorRect(Key(slot, layout)));
            EXPECT_EQ(MirrorRect(Key(slot, layout, false)), Key(slot, layout));
        }
}

TEST(KeyGeometry, EveryKeyLiesOnTheScreenAndNoTwoKeysOverlap)
{
    for (const int layout : kLayouts)
        for (int a = 0; a < kKeySlotCount; ++a) {
            const Rect rect = Key(a, layout);
            SCOPED_TRACE(testing::Message() << "layout " << layout << " slot " << a);
            EXPECT_GT(rect.Width(), 0);
            EXPECT_GT(rect.Height(), 0);
            EXPECT_GE(rect.left, 0);
            EXPECT_GE(rect.top, 0);
            EXPECT_LE(rect.right, 240);
            EXPECT_LE(rect.bottom, 320);
            // The mirrored board keeps the one-pixel shift of 239 - r.
            const Rect mirrored = Key(a, layout, false);
            EXPECT_GE(mirrored.left, -1);
            EXPECT_GE(mirrored.top, -1);
            for (int b = a + 1; b < kKeySlotCount; ++b) {
                const KeyCode code = KeyCodeOfIndex(a);
                if (code == KeyCodeOfIndex(b) && (code == KC_ENTER || code == KC_SPACE))
                    EXPECT_EQ(rect, Key(b, layout)) << "slot " << b;
                else
                    EXPECT_FALSE(rect.Intersects(Key(b, layout))) << "slot " << b;
            }
        }
}

TEST(KeyGeometry, UnknownLayoutsAreFlat)
{
    for (const int layout : {-1, 3, 7, 1 << 30}) {
        EXPECT_EQ(EffectiveKeyLayout(layout), KL_FLAT);
        for (int slot = 0; slot < kKeySlotCount; ++slot)
            EXPECT_EQ(Key(slot, layout), Key(slot, KL_FLAT));
        EXPECT_EQ(WatermarkOrigin(layout, true), WatermarkOrigin(KL_FLAT, true));
    }
}

TEST(KeyGeometry, WatermarkPointsOfEachLayoutAndDirection)
{
    EXPECT_EQ(WatermarkOrigin(KL_FLAT, true), (Point{200, 35}));
    EXPECT_EQ(WatermarkOrigin(KL_FLAT, false), (Point{39, 284}));
    EXPECT_EQ(WatermarkOrigin(KL_CREST, true), (Point{195, 178}));
    EXPECT_EQ(WatermarkOrigin(KL_CREST, false), (Point{44, 141}));
    EXPECT_EQ(WatermarkOrigin(KL_TROUGH, true), (Point{32, 178}));
    EXPECT_EQ(WatermarkOrigin(KL_TROUGH, false), (Point{207, 141}));
}

TEST(KeyGeometry, FacesAndLabelsAreCentredTruncatingTowardZero)
{
    const Rect cell{30, 288, 75, 320};
    EXPECT_EQ(CentredImageOrigin(cell, 38, 28), (Point{33, 290}));
    // A face wider than its cell: (75 - 50 - 30) / 2 is -2, not -3.
    EXPECT_EQ(CentredImageOrigin(cell, 50, 35), (Point{28, 287}));
    // Text 9 wide and 16 high: reading upwards from the bottom, or downwards
    // from the top with its cell to the left of the point.
    EXPECT_EQ(LabelOrigin(cell, 9, 16, true), (Point{44, 309}));
    EXPECT_EQ(LabelOrigin(cell, 9, 16, false), (Point{61, 299}));
}
