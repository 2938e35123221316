#include "pad/LineListLayout.h"

#include <gtest/gtest.h>

namespace {
LineListLayout Stack(std::initializer_list<int> heights)
{
    LineListLayout layout;
    for (int nHeight : heights)
        layout.Append(nHeight);
    return layout;
}

std::pair<int, int> Visible(const LineListLayout &layout, int64_t nFrom, int nSpan)
{
    std::pair<int, int> range(-1, -1);
    layout.VisibleLines(nFrom, nSpan, range.first, range.second);
    return range;
}
} // namespace

TEST(LineListLayout, LineAtFindsTheLineCoveringEachPixelUpToItsLastOne)
{
    const LineListLayout layout = Stack({19, 38, 19});
    const std::pair<int64_t, int> cases[] = {{-1, -1}, {0, 0},  {18, 0}, {19, 1},
                                             {56, 1},  {57, 2}, {75, 2}, {76, -1}};
    for (const auto &[t, nLine] : cases)
        EXPECT_EQ(layout.LineAt(t), nLine) << "at " << t;
    EXPECT_EQ(LineListLayout().LineAt(0), -1);
}

TEST(LineListLayout, VisibleLinesAreThoseWithPixelsInTheWindow)
{
    const LineListLayout layout = Stack({19, 38, 19, 19});
    EXPECT_EQ(Visible(layout, 0, 19), std::make_pair(0, 1));
    EXPECT_EQ(Visible(layout, 18, 2), std::make_pair(0, 2));
    // A line that starts where the window ends is not in it.
    EXPECT_EQ(Visible(layout, 19, 38), std::make_pair(1, 2));
    EXPECT_EQ(Visible(layout, 56, 1000), std::make_pair(1, 4));
    EXPECT_EQ(Visible(layout, 95, 10), std::make_pair(4, 4));
    EXPECT_EQ(Visible(LineListLayout(), 0, 100), std::make_pair(0, 0));
}
