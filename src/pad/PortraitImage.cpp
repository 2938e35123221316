#include "pad/PortraitImage.h"

#include <QImage>

#include <cstring>

void RotateLandscapeToPortrait(const QImage &landscape, QImage &portrait, bool bRightHanded)
{
    const int nLength = landscape.width();
    const int nThickness = landscape.height();
    if (landscape.format() != QImage::Format_RGB888 || portrait.format() != QImage::Format_RGB888
        || portrait.width() != nThickness || portrait.height() != nLength)
        return;
    uchar *pBits = portrait.bits();
    const qsizetype nStride = portrait.bytesPerLine();
    for (int y = 0; y < nThickness; ++y) {
        const uchar *pSource = landscape.constScanLine(y);
        // Right-handed, a landscape row becomes a portrait column counted
        // from the left, read from the bottom; left-handed, a column counted
        // from the right, read from the top.
        const int nColumn = bRightHanded ? y : nThickness - 1 - y;
        for (int x = 0; x < nLength; ++x) {
            const int nRow = bRightHanded ? nLength - 1 - x : x;
            std::memcpy(pBits + nRow * nStride + 3 * nColumn, pSource + 3 * x, 3);
        }
    }
}
