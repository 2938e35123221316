#pragma once

#include "keyboard/KeyGeometry.h"

// The side menu's arithmetic: where it sits for a hand direction, which edge
// unrolls, one step of the unrolling and which item band lies under a point.
// It knows nothing of windows, painting or timers.

// The menu measures itself in the board's window rectangles.
using MenuRect = Rect;

// The edge that moves while the menu unrolls.
enum MenuSlide : int {
    SLIDE_RIGHT = 0,
    SLIDE_LEFT = 1,
    SLIDE_TOP = 2,
    SLIDE_BOTTOM = 3,
};

constexpr int kMenuItemSize = 20;
// The menu is always sized for its nine items, however many it holds.
constexpr int kMenuPlacedItems = 9;
constexpr int kMenuStep = 30;

// The fully open menu: along the bottom edge of the screen when right-handed,
// along the top edge when left-handed.
MenuRect SideMenuOpenRect(bool bRightHanded, int nItemSize = kMenuItemSize);
// Right-handed menus unroll leftwards from their right edge, left-handed ones
// rightwards from their left edge.
MenuSlide SideMenuSlide(bool bRightHanded);

// The open rectangle folded onto the edge that stays put.
MenuRect CollapseMenuRect(const MenuRect &rcOpen, int nSlide);

// Moves the sliding edge of rcCur one step towards open or closed. Returns
// true when this step ends the animation; the edge is then clamped to its
// final place. A step that lands exactly on the final edge does not end it.
bool StepMenuRect(MenuRect &rcCur, const MenuRect &rcOpen, int nSlide, bool bOpening, int nStep = kMenuStep);

// The item band under client x (division truncates towards zero, so points
// just outside the first band's outer edge still count as band 0); not range
// checked.
int MenuItemAt(int x, int nClientWidth, bool bRightHanded, int nItemSize = kMenuItemSize);
// Left client x of the band of item i.
int MenuBandLeft(int nItem, int nClientWidth, bool bRightHanded, int nItemSize = kMenuItemSize);
// Where an item's rotated text starts: the corner of its text cell for text
// reading upwards (right-handed) or downwards (left-handed).
int MenuTextX(int nItem, int nTextHeight, int nClientWidth, bool bRightHanded, int nItemSize = kMenuItemSize);
int MenuTextY(int nClientHeight, bool bRightHanded);
// Client x of the separator line before item s.
int MenuSeparatorX(int nItem, int nClientWidth, bool bRightHanded, int nItemSize = kMenuItemSize);
