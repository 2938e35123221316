#include "keyboard/KeyGeometry.h"

#include <gtest/gtest.h>

#include <ostream>

void PrintTo(const Rect &r, std::ostream *out)
{
    *out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace {
constexpr int kLayouts[] = {KL_FLAT, KL_CREST, KL_TROUGH};

Rect Key(int slot, int layout, bool rightHanded = true)
{
    return GetKeyRect(KeyCodeOfIndex(slot), slot, layout, rightHanded);
}
}

TEST(KeyGeometry, RectanglesOfEachLayoutAndDirection)
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
        EXPECT_EQ(Key(55, layout), (Rect{210, 128, 240, 192}));
        EXPECT_EQ(Key(59, layout), (Rect{210, 0, 240, 32}));
    }
    // Left-handed: the half turn (239 - r, not 240 - r) of every rectangle.
    EXPECT_EQ(Key(10, KL_FLAT, false), (Rect{164, -1, 209, 31}));
    EXPECT_EQ(Key(54, KL_FLAT, false), (Rect{-1, 127, 29, 191}));
    EXPECT_EQ(Key(8, KL_TROUGH, false), (Rect{209, 271, 239, 287}));
    for (const int layout : kLayouts)
        for (int slot = 0; slot < kKeySlotCount; ++slot)
            EXPECT_EQ(MirrorRect(Key(slot, layout, false)), Key(slot, layout));
}

TEST(KeyGeometry, EveryKeyLiesOnTheScreenAndNoTwoKeysOverlap)
{
    for (const int layout : kLayouts)
        for (int a = 0; a < kKeySlotCount; ++a) {
            const Rect rect = Key(a, layout);
            SCOPED_TRACE(testing::Message() << "layout " << layout << " slot " << a);
            EXPECT_GT(rect.Width(), 0);
            EXPECT_GT(rect.Height(), 0);
            EXPECT_TRUE(rect.left >= 0 && rect.top >= 0 && rect.right <= 240 && rect.bottom <= 320);
            for (int b = a + 1; b < kKeySlotCount; ++b) {
                const KeyCode code = KeyCodeOfIndex(a);
                if (code == KeyCodeOfIndex(b) && (code == KC_ENTER || code == KC_SPACE))
                    EXPECT_EQ(rect, Key(b, layout)) << "slot " << b;
                else
                    EXPECT_FALSE(rect.Intersects(Key(b, layout))) << "slot " << b;
            }
        }
}

TEST(KeyGeometry, WatermarkPointsAndUnknownLayoutsDrawnFlat)
{
    const std::pair<Point, Point> points[] = {{{200, 35}, {39, 284}}, {{195, 178}, {44, 141}}, {{32, 178}, {207, 141}}};
    for (const int layout : kLayouts) {
        EXPECT_EQ(WatermarkOrigin(layout, true), points[layout].first);
        EXPECT_EQ(WatermarkOrigin(layout, false), points[layout].second);
    }
    for (const int layout : {-1, 3, 1 << 30}) {
        for (int slot = 0; slot < kKeySlotCount; ++slot)
            EXPECT_EQ(Key(slot, layout, false), Key(slot, KL_FLAT, false));
        EXPECT_EQ(WatermarkOrigin(layout, true), WatermarkOrigin(KL_FLAT, true));
    }
}

TEST(KeyGeometry, HitTestFindsASlotForEveryPixelAndNoneOutside)
{
    // x, y, layout, slot: the strips' edges, the rows' gaps, unknown layouts.
    for (const auto &[x, y, layout, slot] :
         {std::tuple(0, 0, KL_FLAT, 9), {29, 319, KL_FLAT, 0}, {15, 48, KL_FLAT, 7}, {30, 319, KL_FLAT, 10},
          {210, 0, KL_FLAT, 59}, {239, 319, KL_CREST, 50}, {30, 0, KL_CREST, 19}, {210, 160, KL_CREST, 44},
          {49, 160, KL_TROUGH, 14}, {100, 100, 3, 26}, {100, 100, -1, 26}, {-1, 0, KL_FLAT, -1},
          {240, 0, KL_CREST, -1}, {0, 320, KL_TROUGH, -1}, {0, -1, KL_FLAT, -1}})
        EXPECT_EQ(HitTestKey({x, y}, layout), slot) << x << "," << y << " layout " << layout;
    for (const int layout : {KL_FLAT, KL_CREST, KL_TROUGH, 7})
        for (int x = 0; x < 240; ++x)
            for (int y = 0; y < 320; ++y)
                ASSERT_LT(unsigned(HitTestKey({x, y}, layout)), unsigned(kKeySlotCount)) << x << "," << y;
}
