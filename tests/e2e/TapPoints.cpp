// Prints where to tap on the real window, one "x y" line a tap, so that the
// driver of the real-window tests needs no geometry of its own.
//
//   tap_points type LAYOUT RIGHTHANDED TEXT         the taps that type TEXT
//   tap_points cells LAYOUT RIGHTHANDED             every cell of every plane
//   tap_points slot LAYOUT RIGHTHANDED SLOT         the centre of a key slot
//   tap_points menu LAYOUT RIGHTHANDED ITEM         the centre of a side-menu item
//   tap_points soak LAYOUT RIGHTHANDED SEED COUNT   random taps (see PrintRandomTaps)
//
// TEXT uses \n for Enter; characters of the Shift, Punctuation, Umlaut and
// Umlaut + Shift planes get their modifier taps first; the built-in map says
// where each character is. The side menu and the soak do not depend on the layout.
#include "keyboard/KeyCode.h"
#include "keyboard/KeyGeometry.h"
#include "keyboard/KeyMap.h"
#include "menu/SideMenuLayout.h"

#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <random>
#include <string>

namespace {
int g_layout = KL_TROUGH;
bool g_bRightHanded = true;

void PrintSlot(int slot)
{
    const Rect rect = GetKeyRect(KeyCodeOfIndex(slot), slot, g_layout, g_bRightHanded);
    std::printf("%d %d\n", (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

// A key that has more than one slot is tapped at its first.
void PrintKey(int code)
{
    int slot = 0;
    while (KeyCodeOfIndex(slot) != code)
        ++slot;
    PrintSlot(slot);
}

// The one-shot modifier taps that put the next character in a plane.
void PrintPlaneTaps(int plane)
{
    if (plane == kPlaneUmlaut || plane == kPlaneUmlautShift)
        PrintKey(KC_UMLAUT);
    if (plane == kPlaneShift || plane == kPlaneUmlautShift)
        PrintKey(KC_SHIFT);
    if (plane == kPlanePunct)
        PrintKey(KC_PUNCT);
}

int TypeText(const char *text)
{
    constexpr int kEveryCell = kKeyMapPlanes * kKeyMapCells;
    for (char16_t ch : QString::fromUtf8(text).toStdU16String()) {
        if (ch == u'\n') {
            PrintKey(KC_ENTER);
            continue;
        }
        int found = 0;
        while (found < kEveryCell && DefaultKeyMap().Plane(found / kKeyMapCells)[found % kKeyMapCells] != ch)
            ++found;
        if (found == kEveryCell) {
            std::fprintf(stderr, "tap_points: no key types U+%04X\n", static_cast<unsigned>(ch));
            return 1;
        }
        PrintPlaneTaps(found / kKeyMapCells);
        PrintKey(KC_CHAR_BASE + found % kKeyMapCells);
    }
    return 0;
}

// Every cell of every plane in order, one plane a line. The Shift plane is
// typed under Caps, so the lock is driven too; the others one-shot.
void PrintEveryCell()
{
    for (int plane = 0; plane < kKeyMapPlanes; ++plane) {
        if (plane > 0)
            PrintKey(KC_ENTER);
        if (plane == kPlaneShift)
            PrintKey(KC_CAPS);
        for (int cell = 0; cell < kKeyMapCells; ++cell) {
            PrintPlaneTaps(plane == kPlaneShift ? kPlaneNormal : plane);
            PrintKey(KC_CHAR_BASE + cell);
        }
        if (plane == kPlaneShift)
            PrintKey(KC_CAPS);
    }
}

// The menu window has a one-pixel border round its client area.
void PrintMenuItem(int item)
{
    const MenuRect frame = SideMenuOpenRect(g_bRightHanded);
    const int band = MenuBandLeft(item, frame.Width() - 2, g_bRightHanded);
    std::printf("%d %d\n", frame.left + 1 + band + kMenuItemSize / 2, (frame.top + frame.bottom) / 2);
}

// Exit and Preferences... would end the run or open a modal sheet, and
// Notepad hands the screen to the notepad, whose menus reach Exit, the file
// dialogs and the help viewer: random taps never land on those bands, open or
// not, one pixel of margin included.
bool OnBarredMenuBand(int x, int y)
{
    const MenuRect frame = SideMenuOpenRect(g_bRightHanded);
    if (x < frame.left || x >= frame.right || y < frame.top || y >= frame.bottom)
        return false;
    for (int dx = -1; dx <= 1; ++dx) {
        const int item = MenuItemAt(x + dx - frame.left - 1, frame.Width() - 2, g_bRightHanded);
        if (item == 0 || item == 7 || item == 8)
            return true;
    }
    return false;
}

// Uniform taps over the 240 x 320 window from a seeded Mersenne Twister (its
// sequence is fixed by the standard, so a seed replays the same taps). About
// one tap in 600 is followed by a "menu ITEM" line: a side-menu command for
// the driver to choose at a moment when the menu can be opened, since random
// taps alone seldom catch the menu fully unrolled. Exit and Preferences...
// are never asked for.
void PrintRandomTaps(std::uint32_t seed, long count)
{
    constexpr int kCommands[] = {1, 2, 3, 4, 5, 6, 8};
    std::mt19937 engine(seed);
    for (long printed = 0; printed < count;) {
        const std::uint32_t draw = engine();
        const int x = static_cast<int>(draw % 240);
        const int y = static_cast<int>((draw / 240) % 320);
        if (OnBarredMenuBand(x, y))
            continue;
        std::printf("%d %d\n", x, y);
        ++printed;
        if (engine() % 600 == 0)
            std::printf("menu %d\n", kCommands[engine() % std::size(kCommands)]);
    }
}
}

int main(int argc, char *argv[])
{
    const std::string mode = argc > 1 ? argv[1] : "";
    const int words = mode == "cells" ? 4 : mode == "soak" ? 6 : 5;
    if (argc != words || (mode != "type" && mode != "cells" && mode != "slot" && mode != "menu" && mode != "soak")) {
        std::fprintf(stderr, "usage: tap_points type|cells|slot|menu|soak LAYOUT RH [TEXT|SLOT|ITEM|SEED COUNT]\n");
        return 2;
    }
    g_layout = std::atoi(argv[2]);
    g_bRightHanded = std::atoi(argv[3]) != 0;
    if (mode == "type")
        return TypeText(argv[4]);
    if (mode == "cells")
        PrintEveryCell();
    else if (mode == "slot")
        PrintSlot(std::atoi(argv[4]));
    else if (mode == "menu")
        PrintMenuItem(std::atoi(argv[4]));
    else
        PrintRandomTaps(static_cast<std::uint32_t>(std::strtoul(argv[4], nullptr, 10)), std::atol(argv[5]));
    return 0;
}
