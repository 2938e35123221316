#include "menu/SideMenuLayout.h"

namespace {
constexpr int kMenuFixedEdge = 210;
constexpr int kMenuScreenBottom = 320;
constexpr int kMenuLeftHandedLeft = 30;
constexpr int kMenuDepth = 110;
constexpr int kTextInset = 10;

// Moves one edge by delta and reports whether it went strictly past the limit
// (beyond when growing, below when shrinking), clamping it there if so.
bool MoveEdge(int &edge, int delta, int limit)
{
    edge += delta;
    const bool bPast = delta > 0 ? edge > limit : edge < limit;
    if (bPast)
        edge = limit;
    return bPast;
}
}

MenuRect SideMenuOpenRect(bool bRightHanded, int nItemSize)
{
    const int length = kMenuPlacedItems * nItemSize;
    if (bRightHanded)
        return {kMenuFixedEdge - length, kMenuFixedEdge, kMenuFixedEdge, kMenuScreenBottom};
    return {kMenuLeftHandedLeft, 0, kMenuLeftHandedLeft + length, kMenuDepth};
}

MenuSlide SideMenuSlide(bool bRightHanded)
{
    return bRightHanded ? SLIDE_LEFT : SLIDE_RIGHT;
}

MenuRect CollapseMenuRect(const MenuRect &rcOpen, int nSlide)
{
    MenuRect rc = rcOpen;
    switch (nSlide) {
    case SLIDE_RIGHT: rc.right = rc.left; break;
    case SLIDE_LEFT: rc.left = rc.right; break;
    case SLIDE_TOP: rc.top = rc.bottom; break;
    case SLIDE_BOTTOM: rc.bottom = rc.top; break;
    default: break;
    }
    return rc;
}

bool StepMenuRect(MenuRect &rcCur, const MenuRect &rcOpen, int nSlide, bool bOpening, int nStep)
{
    const int grow = bOpening ? nStep : -nStep;
    switch (nSlide) {
    case SLIDE_RIGHT: return MoveEdge(rcCur.right, grow, bOpening ? rcOpen.right : rcOpen.left);
    case SLIDE_LEFT: return MoveEdge(rcCur.left, -grow, bOpening ? rcOpen.left : rcOpen.right);
    case SLIDE_TOP: return MoveEdge(rcCur.top, -grow, bOpening ? rcOpen.top : rcOpen.bottom);
    case SLIDE_BOTTOM: return MoveEdge(rcCur.bottom, grow, bOpening ? rcOpen.bottom : rcOpen.top);
    default: return true;
    }
}

int MenuItemAt(int x, int nClientWidth, bool bRightHanded, int nItemSize)
{
    // Left-handed bands count from the last column, so that each column
    // answers with the band painted on it, as right-handed ones do.
    return (bRightHanded ? x : nClientWidth - 1 - x) / nItemSize;
}

int MenuBandLeft(int nItem, int nClientWidth, bool bRightHanded, int nItemSize)
{
    return bRightHanded ? nItemSize * nItem : nClientWidth - nItemSize * (nItem + 1);
}

int MenuTextX(int nItem, int nTextHeight, int nClientWidth, bool bRightHanded, int nItemSize)
{
    const int margin = (nItemSize - nTextHeight) / 2;
    if (bRightHanded)
        return nItemSize * nItem + margin;
    return nClientWidth - margin - nItemSize * nItem;
}

int MenuTextY(int nClientHeight, bool bRightHanded)
{
    return bRightHanded ? nClientHeight - kTextInset : kTextInset;
}

int MenuSeparatorX(int nItem, int nClientWidth, bool bRightHanded, int nItemSize)
{
    return bRightHanded ? nItemSize * nItem : nClientWidth - nItemSize * nItem;
}
