// Prints where to tap on the real window to type a text with the built-in key
// map, to press a key slot or to choose a side-menu item, so that scripts
// driving the program with xdotool need no geometry of their own.
//
//   tap_points type LAYOUT RIGHTHANDED TEXT   one "x y" line per tap
//   tap_points slot LAYOUT RIGHTHANDED SLOT   the centre of a key slot
//   tap_points menu RIGHTHANDED ITEM          the centre of a side-menu item
//
// TEXT uses \n for Enter; characters of the Shift, Punctuation, Umlaut and
// Umlaut + Shift planes get their modifier tap first.
#include "keyboard/KeyCode.h"
#include "keyboard/KeyGeometry.h"
#include "keyboard/KeyMap.h"
#include "menu/SideMenuLayout.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
void PrintCentre(int slot, int layout, bool rightHanded)
{
    const Rect rect = GetKeyRect(KeyCodeOfIndex(slot), slot, layout, rightHanded);
    std::printf("%d %d\n", (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

int SlotOfCode(int code)
{
    for (int slot = 0; slot < 60; ++slot)
        if (KeyCodeOfIndex(slot) == code)
            return slot;
    return -1;
}

// The modifier slot to tap before a character of a plane (-1 for none).
int ModifierSlotFor(int plane)
{
    switch (plane) {
    case kPlaneShift: return SlotOfCode(KC_SHIFT);
    case kPlanePunct: return SlotOfCode(KC_PUNCT);
    case kPlaneUmlaut: return SlotOfCode(KC_UMLAUT);
    default: return -1;
    }
}

bool TypeCharacter(char16_t ch, int layout, bool rightHanded)
{
    if (ch == u'\n') {
        PrintCentre(SlotOfCode(KC_ENTER), layout, rightHanded);
        return true;
    }
    const KeyMap &map = DefaultKeyMap();
    for (int plane = 0; plane < kKeyMapPlanes; ++plane) {
        for (int cell = 0; cell < kKeyMapCells; ++cell) {
            if (map.Plane(plane)[cell] != ch)
                continue;
            if (plane == kPlaneUmlautShift) {
                PrintCentre(SlotOfCode(KC_UMLAUT), layout, rightHanded);
                PrintCentre(SlotOfCode(KC_SHIFT), layout, rightHanded);
            } else if (ModifierSlotFor(plane) >= 0) {
                PrintCentre(ModifierSlotFor(plane), layout, rightHanded);
            }
            PrintCentre(SlotOfCode(KC_CHAR_BASE + cell), layout, rightHanded);
            return true;
        }
    }
    return false;
}

// UTF-8 to UTF-16 for the characters of the built-in map (all in the BMP).
std::u16string FromUtf8(const char *text)
{
    std::u16string out;
    for (const unsigned char *p = reinterpret_cast<const unsigned char *>(text); *p;) {
        char32_t c = *p++;
        if (c >= 0xE0 && p[0] && p[1]) {
            c = ((c & 0x0F) << 12) | ((p[0] & 0x3F) << 6) | (p[1] & 0x3F);
            p += 2;
        } else if (c >= 0xC0 && p[0]) {
            c = ((c & 0x1F) << 6) | (p[0] & 0x3F);
            p += 1;
        }
        out.push_back(static_cast<char16_t>(c));
    }
    return out;
}
}

int main(int argc, char *argv[])
{
    if (argc == 4 && std::strcmp(argv[1], "menu") == 0) {
        const bool rightHanded = std::atoi(argv[2]) != 0;
        const MenuRect rect = SideMenuOpenRect(rightHanded);
        // The band's left edge inside the one-pixel border, then its middle.
        const int clientWidth = rect.Width() - 2;
        const int x = rect.left + 1 + MenuBandLeft(std::atoi(argv[3]), clientWidth, rightHanded) + kMenuItemSize / 2;
        std::printf("%d %d\n", x, (rect.top + rect.bottom) / 2);
        return 0;
    }
    if (argc == 5 && std::strcmp(argv[1], "slot") == 0) {
        PrintCentre(std::atoi(argv[4]), std::atoi(argv[2]), std::atoi(argv[3]) != 0);
        return 0;
    }
    if (argc == 5 && std::strcmp(argv[1], "type") == 0) {
        const int layout = std::atoi(argv[2]);
        const bool rightHanded = std::atoi(argv[3]) != 0;
        for (char16_t ch : FromUtf8(argv[4])) {
            if (!TypeCharacter(ch, layout, rightHanded)) {
                std::fprintf(stderr, "tap_points: no key types U+%04X\n", static_cast<unsigned>(ch));
                return 1;
            }
        }
        return 0;
    }
    std::fprintf(stderr, "usage: tap_points type LAYOUT RH TEXT | slot LAYOUT RH SLOT | menu RH ITEM\n");
    return 2;
}
