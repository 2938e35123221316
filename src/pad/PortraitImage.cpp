#include "pad/PortraitImage.h"

#include <QImage>

#include <cstring>

void RotateLandscapeToPortrait(const QImage &landscape, QImage &portrait, bool bRightHanded)
{
    const QImage::Format format = landscape.format();
    if ((format != QImage::Format_RGB888 && format != QImage::Format_RGBX8888)
        || portrait.format() != QImage::Format_RGB888 || portrait.width() != landscape.height()
        || portrait.height() != landscape.width())
        return;
    const int nLength = landscape.width();
    const int nThickness = landscape.height();
    const int nPixelBytes = format == QImage::Format_RGB888 ? 3 : 4;
    uchar *pBits = portrait.bits();
    const qsizetype nStride = portrait.bytesPerLine();
    // Each landscape row becomes a portrait column: right-handed the column
    // counted from the left, filled from the bottom up; left-handed the
    // column counted from the right, filled from the top down.
    const qsizetype nStep = bRightHanded ? -nStride : nStride;
    for (int y = 0; y < nThickness; ++y) {
        const uchar *pSource = landscape.constScanLine(y);
        const int nColumn = bRightHanded ? y : nThickness - 1 - y;
        uchar *pTarget = pBits + 3 * nColumn + (bRightHanded ? (nLength - 1) * nStride : 0);
        for (int x = 0; x < nLength; ++x, pSource += nPixelBytes, pTarget += nStep)
            std::memcpy(pTarget, pSource, 3);
    }
}
