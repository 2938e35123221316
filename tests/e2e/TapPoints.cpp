// Prints where to tap on the real window to type a text, to press a key slot
// or to choose a side-menu item, so that scripts driving the program with
// xdotool need no geometry of their own.
//
//   tap_points type LAYOUT RIGHTHANDED TEXT [KMAP]  one "x y" line per tap
//   tap_points cells LAYOUT RIGHTHANDED            every cell of every plane
//   tap_points slot LAYOUT RIGHTHANDED SLOT         the centre of a key slot
//   tap_points menu RIGHTHANDED ITEM                the centre of a side-menu item
//   tap_points soak SEED COUNT RIGHTHANDED          random taps (see PrintRandomTaps)
//
// TEXT uses \n for Enter; characters of the Shift, Punctuation, Umlaut and
// Umlaut + Shift planes get their modifier tap first. KMAP is a .kmap file to
// type with instead of the built-in map.
#include "keyboard/KeyCode.h"
#include "keyboard/KeyGeometry.h"
#include "keyboard/KeyMap.h"
#include "keymaps/KeyMapFile.h"
#include "menu/SideMenuLayout.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <random>
#include <string>

namespace {
struct Board {
    int layout = KL_TROUGH;
    bool rightHanded = true;
};

void PrintCentre(int slot, const Board &board)
{
    const Rect rect = GetKeyRect(KeyCodeOfIndex(slot), slot, board.layout, board.rightHanded);
    std::printf("%d %d\n", (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

int SlotOfCode(int code)
{
    for (int slot = 0; slot < kKeySlotCount; ++slot)
        if (KeyCodeOfIndex(slot) == code)
            return slot;
    return -1;
}

void PrintKey(int code, const Board &board)
{
    PrintCentre(SlotOfCode(code), board);
}

// The one-shot modifier taps that put the next character in a plane.
void PrintPlaneTaps(int plane, const Board &board)
{
    switch (plane) {
    case kPlaneShift: PrintKey(KC_SHIFT, board); break;
    case kPlanePunct: PrintKey(KC_PUNCT, board); break;
    case kPlaneUmlaut: PrintKey(KC_UMLAUT, board); break;
    case kPlaneUmlautShift:
        PrintKey(KC_UMLAUT, board);
        PrintKey(KC_SHIFT, board);
        break;
    default: break;
    }
}

bool TypeCharacter(char16_t ch, const KeyMap &map, const Board &board)
{
    if (ch == u'\n') {
        PrintKey(KC_ENTER, board);
        return true;
    }
    for (int plane = 0; plane < kKeyMapPlanes; ++plane) {
        for (int cell = 0; cell < kKeyMapCells; ++cell) {
            if (map.Plane(plane)[cell] != ch)
                continue;
            PrintPlaneTaps(plane, board);
            PrintKey(KC_CHAR_BASE + cell, board);
            return true;
        }
    }
    return false;
}

// Every cell of every plane in order, one plane a line. The Shift plane is
// typed under Caps, so the lock is driven too; the others one-shot.
void PrintEveryCell(const Board &board)
{
    for (int plane = 0; plane < kKeyMapPlanes; ++plane) {
        if (plane > 0)
            PrintKey(KC_ENTER, board);
        if (plane == kPlaneShift)
            PrintKey(KC_CAPS, board);
        for (int cell = 0; cell < kKeyMapCells; ++cell) {
            if (plane != kPlaneShift)
                PrintPlaneTaps(plane, board);
            PrintKey(KC_CHAR_BASE + cell, board);
        }
        if (plane == kPlaneShift)
            PrintKey(KC_CAPS, board);
    }
}

// UTF-8 to UTF-16 for the characters of the key maps (all in the BMP).
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

std::u16string Widen(const char *text)
{
    return std::u16string(text, text + std::strlen(text));
}

int TypeText(const char *text, const char *keyMapPath, const Board &board)
{
    KeyMap map = DefaultKeyMap();
    if (keyMapPath != nullptr && !ReadKeyMapFile(map, Widen(keyMapPath)).m_bOk) {
        std::fprintf(stderr, "tap_points: cannot read the key map %s\n", keyMapPath);
        return 1;
    }
    for (char16_t ch : FromUtf8(text)) {
        if (!TypeCharacter(ch, map, board)) {
            std::fprintf(stderr, "tap_points: no key types U+%04X\n", static_cast<unsigned>(ch));
            return 1;
        }
    }
    return 0;
}

MenuRect MenuFrame(bool rightHanded)
{
    return SideMenuOpenRect(rightHanded);
}

// The menu window has a one-pixel border round its client area.
int MenuClientWidth(bool rightHanded)
{
    return MenuFrame(rightHanded).Width() - 2;
}

void PrintMenuItem(int item, bool rightHanded)
{
    const MenuRect rect = MenuFrame(rightHanded);
    const int x = rect.left + 1 + MenuBandLeft(item, MenuClientWidth(rightHanded), rightHanded) + kMenuItemSize / 2;
    std::printf("%d %d\n", x, (rect.top + rect.bottom) / 2);
}

// Exit and Preferences... would end the run or open a modal sheet, and
// Notepad hands the screen to the notepad, whose menus reach Exit, the file
// dialogs and the help viewer: random taps never land on those bands, open or
// not, one pixel of margin included.
bool OnBarredMenuBand(int x, int y, bool rightHanded)
{
    const MenuRect rect = MenuFrame(rightHanded);
    if (x < rect.left || x >= rect.right || y < rect.top || y >= rect.bottom)
        return false;
    for (int dx = -1; dx <= 1; ++dx) {
        const int item = MenuItemAt(x + dx - rect.left - 1, MenuClientWidth(rightHanded), rightHanded);
        if (item == 0 || item == 7 || item == 8)
            return true;
    }
    return false;
}

// Uniform taps over the 240 x 320 window from a seeded Mersenne Twister (its
// sequence is fixed by the standard, so a seed replays the same taps). About
// one tap in 600 is followed by a "menu ITEM" line: a side-menu command for
// the script to choose at a moment when the menu can be opened, since random
// taps alone seldom catch the menu fully unrolled. Exit and Preferences...
// are never asked for.
void PrintRandomTaps(std::uint32_t seed, long count, bool rightHanded)
{
    constexpr int kCommands[] = {1, 2, 3, 4, 5, 6, 8};
    std::mt19937 engine(seed);
    for (long printed = 0; printed < count;) {
        const std::uint32_t draw = engine();
        const int x = static_cast<int>(draw % 240);
        const int y = static_cast<int>((draw / 240) % 320);
        if (OnBarredMenuBand(x, y, rightHanded))
            continue;
        std::printf("%d %d\n", x, y);
        ++printed;
        if (engine() % 600 == 0)
            std::printf("menu %d\n", kCommands[engine() % std::size(kCommands)]);
    }
}

Board BoardOf(const char *layout, const char *rightHanded)
{
    return Board{std::atoi(layout), std::atoi(rightHanded) != 0};
}

int Usage()
{
    std::fprintf(stderr, "usage: tap_points type LAYOUT RH TEXT [KMAP] | cells LAYOUT RH | slot LAYOUT RH SLOT"
                         " | menu RH ITEM | soak SEED COUNT RH\n");
    return 2;
}
}

int main(int argc, char *argv[])
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "menu" && argc == 4) {
        PrintMenuItem(std::atoi(argv[3]), std::atoi(argv[2]) != 0);
        return 0;
    }
    if (mode == "slot" && argc == 5) {
        PrintCentre(std::atoi(argv[4]), BoardOf(argv[2], argv[3]));
        return 0;
    }
    if (mode == "cells" && argc == 4) {
        PrintEveryCell(BoardOf(argv[2], argv[3]));
        return 0;
    }
    if (mode == "type" && (argc == 5 || argc == 6))
        return TypeText(argv[4], argc == 6 ? argv[5] : nullptr, BoardOf(argv[2], argv[3]));
    if (mode == "soak" && argc == 5) {
        PrintRandomTaps(static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 10)), std::atol(argv[3]),
                        std::atoi(argv[4]) != 0);
        return 0;
    }
    return Usage();
}
