#include "keyboard/KeyMap.h"

#include <bit>
#include <cstring>
#include <string_view>

static_assert(sizeof(KeyMap) == kKeyMapBytes, "a key map is exactly the bytes of its file");
static_assert(std::endian::native == std::endian::little,
              "key map files hold little-endian code units and are read in place");

namespace {
// Cells 0..9 the digit keys, 10..35 "a".."z", 36 comma, 37 period, 38 space,
// 39 tab.
constexpr std::u16string_view kDefaultPlanes[kKeyMapPlanes] = {
    u"1234567890abcdefghijklmnopqrstuvwxyz,. \t",
    u"!@#$%^&*()ABCDEFGHIJKLMNOPQRSTUVWXYZ,. \t",
    u"!@#$%^&*()|±™;-\"'\\}/<>?÷[]~_:+{°`®=©,. \t",
    u"àáâãäåæçðèò¢ýôëõößñþùú¥£øœéìóíïµêüîû¿§ \t",
    // Cell 25 holds Æ, as cell 6 does, not Œ.
    u"ÀÁÂÃÄÅÆÇÐÈÒ¢ÝÔËÕÖßÑÞÙÚ¥£ØÆÉÌÓÍÏµÊÜÎÛ¿§ \t",
};

constexpr bool EveryPlaneFull()
{
    for (const std::u16string_view cells : kDefaultPlanes) {
        if (cells.size() != kKeyMapCells)
            return false;
    }
    return true;
}
static_assert(EveryPlaneFull(), "each default plane fills all 40 cells");

KeyMap BuildDefaultKeyMap()
{
    KeyMap map;
    for (int plane = 0; plane < kKeyMapPlanes; ++plane)
        kDefaultPlanes[plane].copy(map.m_chCells[plane], kKeyMapCells);
    return map;
}
}

char16_t *KeyMap::Plane(int plane)
{
    if (plane < 0 || plane >= kKeyMapPlanes)
        return nullptr;
    return m_chCells[plane];
}

const char16_t *KeyMap::Plane(int plane) const
{
    if (plane < 0 || plane >= kKeyMapPlanes)
        return nullptr;
    return m_chCells[plane];
}

unsigned char *KeyMap::Bytes()
{
    return reinterpret_cast<unsigned char *>(m_chCells);
}

const unsigned char *KeyMap::Bytes() const
{
    return reinterpret_cast<const unsigned char *>(m_chCells);
}

bool KeyMap::operator==(const KeyMap &other) const
{
    return std::memcmp(m_chCells, other.m_chCells, kKeyMapBytes) == 0;
}

const KeyMap &DefaultKeyMap()
{
    static const KeyMap map = BuildDefaultKeyMap();
    return map;
}

int SelectPlane(bool shift, bool caps, bool punct, bool umlaut)
{
    if (punct)
        return kPlanePunct;
    const bool upper = shift != caps;
    if (upper)
        return umlaut ? kPlaneUmlautShift : kPlaneShift;
    return umlaut ? kPlaneUmlaut : kPlaneNormal;
}

std::optional<char16_t> KeyCharacter(const char16_t *plane, KeyCode code)
{
    if (plane == nullptr || !IsCharacterKey(code))
        return std::nullopt;
    return plane[code - KC_CHAR_BASE];
}
