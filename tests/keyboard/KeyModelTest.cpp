#include "keyboard/KeyGeometry.h"
#include "keyboard/KeyMap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>

void PrintTo(const Rect &r, std::ostream *out)
{
    *out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace {
Rect Key(int slot, int layout, bool rightHanded = true)
{
    return GetKeyRect(KeyCodeOfIndex(slot), slot, layout, rightHanded);
}
}

// Which character each cell types, and where each key sits, is proven by the
// real-window suite, which types every cell of every plane; the map's byte
// layout is fixed by static_asserts. Here: what no typing shows.
TEST(KeyMaps, PlaneSelectionFollowsTheFlagsAndOnlyCharacterKeysType)
{
    KeyMap map = DefaultKeyMap();
    // A reload writes over the bytes: plane pointers taken before show the new map.
    char16_t *shiftPlane = map.Plane(kPlaneShift);
    KeyMap other = DefaultKeyMap();
    other.m_chCells[kPlaneShift][38] = u'_';
    std::memcpy(map.Bytes(), other.Bytes(), kKeyMapBytes);
    EXPECT_EQ(KeyCharacter(shiftPlane, KC_SPACE), u'_');
    EXPECT_TRUE(map == other && !(map == DefaultKeyMap()) && map.Plane(-1) == nullptr && map.Plane(kKeyMapPlanes) == nullptr);
    // Flags shift, caps, umlaut (bits 0..2) without Punct, which wins over all.
    const int planes[] = {kPlaneNormal, kPlaneShift, kPlaneShift, kPlaneNormal,
                          kPlaneUmlaut, kPlaneUmlautShift, kPlaneUmlautShift, kPlaneUmlaut};
    for (int flags = 0; flags < 8; ++flags) {
        EXPECT_EQ(SelectPlane(flags & 1, flags & 2, false, flags & 4), planes[flags]) << flags;
        EXPECT_EQ(SelectPlane(flags & 1, flags & 2, true, flags & 4), kPlanePunct) << flags;
    }
    for (KeyCode code : {KC_NONE, KC_PAD, KC_DELETE, KC_ENTER, KC_MENU, 1000, -50})
        EXPECT_EQ(KeyCharacter(map.Plane(kPlaneNormal), code), std::nullopt) << "code " << code;
    EXPECT_EQ(KeyCharacter(nullptr, KC_CHAR_BASE), std::nullopt);
    for (int index : {-1, 60, 0x7fffffff, -0x7fffffff - 1})
        EXPECT_EQ(KeyCodeOfIndex(index), KC_NONE) << "index " << index;
}

TEST(KeyGeometry, RectanglesOfEachLayoutAndDirection)
{
    for (const auto &[slot, layout, rect] :
         {std::tuple(10, KL_FLAT, Rect{30, 288, 75, 320}), {49, KL_FLAT, Rect{120, 0, 210, 32}},
          {44, KL_CREST, Rect{150, 160, 190, 192}}, {49, KL_CREST, Rect{130, 0, 210, 32}},
          {14, KL_TROUGH, Rect{50, 160, 90, 192}}, {39, KL_TROUGH, Rect{110, 0, 190, 32}},
          {8, KL_CREST, Rect{0, 32, 30, 48}}, {55, KL_FLAT, Rect{210, 128, 240, 192}}, {12, 3, Key(12, KL_FLAT)}})
        EXPECT_EQ(Key(slot, layout), rect) << "slot " << slot << " layout " << layout;
    // Left-handed: the half turn (239 - r, not 240 - r) of every rectangle.
    EXPECT_EQ(Key(10, KL_FLAT, false), (Rect{164, -1, 209, 31}));
    for (const int layout : {KL_FLAT, KL_CREST, KL_TROUGH}) {
        for (int a = 0; a < kKeySlotCount; ++a) {
            const Rect rect = Key(a, layout);
            SCOPED_TRACE(testing::Message() << "layout " << layout << " slot " << a);
            EXPECT_EQ(MirrorRect(Key(a, layout, false)), rect);
            EXPECT_TRUE(rect.Width() > 0 && rect.Height() > 0 && rect.left >= 0 && rect.top >= 0 &&
                        rect.right <= 240 && rect.bottom <= 320);
            // No two keys overlap; Enter and the space bar fill both their slots.
            const KeyCode code = KeyCodeOfIndex(a);
            for (int b = a + 1; b < kKeySlotCount; ++b)
                EXPECT_EQ(rect.Intersects(Key(b, layout)), code == KeyCodeOfIndex(b) && (code == KC_ENTER || code == KC_SPACE))
                    << "slot " << b;
        }
    }
}

TEST(KeyGeometry, HitTestFindsASlotForEveryPixelAndNoneOutside)
{
    // x, y, layout, slot: the strips' edges, the line list's band, the rows' gaps, unknown layouts.
    for (const auto &[x, y, layout, slot] :
         {std::tuple(0, 0, KL_FLAT, 9), {29, 319, KL_FLAT, 0}, {15, 32, KL_FLAT, 7}, {15, 33, KL_FLAT, 8},
          {15, 47, KL_FLAT, 8}, {15, 48, KL_FLAT, 7}, {74, 319, KL_FLAT, 10}, {75, 319, KL_FLAT, 20},
          {210, 0, KL_FLAT, 59}, {239, 319, KL_CREST, 50}, {30, 0, KL_CREST, 19}, {210, 160, KL_CREST, 44},
          {49, 160, KL_TROUGH, 14}, {100, 100, -1, 26}, {-1, 0, KL_FLAT, -1}, {240, 0, KL_CREST, -1},
          {0, 320, KL_TROUGH, -1}, {0, -1, KL_FLAT, -1}})
        EXPECT_EQ(HitTestKey({x, y}, layout), slot) << x << "," << y << " layout " << layout;
    for (const int layout : {KL_FLAT, KL_CREST, KL_TROUGH, 7})
        for (int x = 0; x < 240; ++x)
            for (int y = 0; y < 320; ++y)
                ASSERT_LT(unsigned(HitTestKey({x, y}, layout)), unsigned(kKeySlotCount)) << x << "," << y;
}
