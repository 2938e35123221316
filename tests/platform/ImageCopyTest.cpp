#include "platform/ImageCopy.h"

#include <gtest/gtest.h>

#include <QColor>

namespace {
constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kWhite = 0xFFFFFFFF;

QImage Filled(int width, int height, QRgb color, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(width, height, format);
    image.fill(color);
    return image;
}
}

TEST(ImageCopy, TransparentImageLeavesOutMagentaAndClipsAtEveryEdge)
{
    // Magenta in the top-left pixel, even with another alpha, is left out.
    QImage face = Filled(4, 4, kRed, QImage::Format_ARGB32);
    face.setPixel(0, 0, qRgba(255, 0, 255, 0));
    face.setPixel(3, 3, qRgba(0, 0, 255, 10));

    QImage board = Filled(10, 10, kWhite);
    TransparentImage(board, 3, 3, face, 0, 0, 4, 4);
    EXPECT_EQ(board.pixel(3, 3), kWhite);
    EXPECT_EQ(board.pixel(4, 3), kRed);
    EXPECT_EQ(board.pixel(6, 6), 0xFF0000FFu);
    EXPECT_EQ(board.pixel(7, 7), kWhite);
    EXPECT_EQ(board.pixel(2, 3), kWhite);

    // Partly off the board on the top left and the bottom right, with a block
    // larger than the face: only what lies on both is copied.
    board = Filled(10, 10, kWhite);
    TransparentImage(board, -1, -1, face, 0, 0, 100, 100);
    EXPECT_EQ(board.pixel(0, 0), kRed);
    EXPECT_EQ(board.pixel(2, 2), 0xFF0000FFu);
    EXPECT_EQ(board.pixel(3, 3), kWhite);
    board = Filled(10, 10, kWhite);
    TransparentImage(board, 8, 8, face, 0, 0, 4, 4);
    EXPECT_EQ(board.pixel(8, 8), kWhite);
    EXPECT_EQ(board.pixel(9, 9), kRed);
    TransparentImage(board, 20, -20, face, 0, 0, 4, 4);
    TransparentImage(board, 0, 0, face, 5, 5, 4, 4);
    EXPECT_EQ(board.pixel(0, 0), kWhite);
}

TEST(ImageCopy, BitBltCopiesOnlyWhatLiesOnBothImages)
{
    QImage screen = Filled(8, 8, kWhite);
    const QImage pressed = Filled(8, 8, kRed, QImage::Format_RGB888);
    BitBlt(screen, QRect(-1, -1, 4, 5), pressed);
    EXPECT_EQ(screen.pixel(0, 0), kRed);
    EXPECT_EQ(screen.pixel(2, 3), kRed);
    EXPECT_EQ(screen.pixel(3, 3), kWhite);
    EXPECT_EQ(screen.pixel(2, 4), kWhite);
    BitBlt(screen, QRect(6, 6, 10, 10), Filled(7, 7, 0xFF00FF00));
    EXPECT_EQ(screen.pixel(6, 6), 0xFF00FF00u);
    EXPECT_EQ(screen.pixel(7, 7), kWhite);
}

TEST(ImageCopy, ColourValuesKeepRedInTheLowByte)
{
    EXPECT_EQ(ColorFromRef(0x00336699), QColor(0x99, 0x66, 0x33));
    EXPECT_EQ(ColorFromRef(0x808080), QColor(128, 128, 128));
}
