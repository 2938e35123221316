// Prints where to tap on the real window, one "x y" line a tap, so that the
// driver of the real-window tests needs no geometry of its own.
//
//   tap_points type LAYOUT RIGHTHANDED TEXT         the taps that type TEXT
//   tap_points cells LAYOUT RIGHTHANDED            every cell of every plane
//   tap_points slot LAYOUT RIGHTHANDED SLOT         the centre of a key slot
//   tap_points menu RIGHTHANDED ITEM                the centre of a side-menu item
//   tap_points soak SEED COUNT RIGHTHANDED          random taps (see PrintRandomTaps)
//
// TEXT uses \n for Enter; characters of the Shift, Punctuation, Umlaut and
// Umlaut + Shift planes get their modifier taps first; the built-in map says
// where each character is.
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

bool TypeCharacter(char16_t ch, const KeyMap &map)
{
    if (ch == u'\n') {
        PrintKey(KC_ENTER);
        return true;
    }
    for (int plane = 0; plane < kKeyMapPlanes; ++plane) {
        for (int cell = 0; cell < kKeyMapCells; ++cell) {
            if (map.Plane(plane)[cell] == ch) {
                PrintPlaneTaps(plane);
                PrintKey(KC_CHAR_BASE + cell);
                return true;
            }
        }
    }
    return false;
}

int TypeText(const char *text)
{
    for (char16_t ch : QString::fromUtf8(text).toStdU16String()) {
        if (!TypeCharacter(ch, DefaultKeyMap())) {
            std::fprintf(stderr, "tap_points: no key types U+%04X\n", static_cast<unsigned>(ch));
            return 1;
        }
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
            if (plane != kPlaneShift)
                PrintPlaneTaps(plane);
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

int Usage()
{
    std::fprintf(stderr, "usage: tap_points type LAYOUT RH TEXT | cells LAYOUT RH | slot LAYOUT RH SLOT"
                         " | menu RH ITEM | soak SEED COUNT RH\n");
    return 2;
}

int main(int argc, char *argv[])
{
    const std::string mode = argc > 1 ? argv[1] : "";
    // The hand follows the mode for a menu item, ends the soak's words and follows the layout otherwise.
    const int handArgument = mode == "menu" ? 2 : mode == "soak" ? 4 : 3;
    if (argc < 4 || argc <= handArgument)
        return Usage();
    g_bRightHanded = std::atoi(argv[handArgument]) != 0;
    g_layout = std::atoi(argv[2]);
    if (mode == "type" && argc == 5)
        return TypeText(argv[4]);
    if (mode == "cells" && argc == 4)
        PrintEveryCell();
    else if (mode == "slot" && argc == 5)
        PrintSlot(std::atoi(argv[4]));
    else if (mode == "menu" && argc == 4)
        PrintMenuItem(std::atoi(argv[3]));
    else if (mode == "soak" && argc == 5)
        PrintRandomTaps(static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 10)), std::atol(argv[3]));
    else
        return Usage();
    return 0;
}
