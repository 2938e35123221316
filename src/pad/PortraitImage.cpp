#include "pad/PortraitImage.h"

#include <QImage>

#include <cstdint>
#include <cstring>

namespace {
// Four bytes moved at once: the pixel and one byte beyond it, which the next
// pixel of the portrait row overwrites.
inline void CopyPixelWide(uchar *pTarget, const uchar *pSource)
{
    std::uint32_t nBytes;
    std::memcpy(&nBytes, pSource, 4);
    std::memcpy(pTarget, &nBytes, 4);
}
}

void RotateLandscapeToPortrait(const QImage &landscape, QImage &portrait, bool bRightHanded)
{
    if (landscape.format() != QImage::Format_RGB888 || portrait.format() != QImage::Format_RGB888
        || portrait.width() != landscape.height() || portrait.height() != landscape.width() || portrait.isNull())
        return;
    const int nLength = landscape.width();
    const int nThickness = landscape.height();
    const uchar *pLandscape = landscape.constBits();
    const qsizetype nSourceStride = landscape.bytesPerLine();
    uchar *pPortrait = portrait.bits();
    const qsizetype nTargetStride = portrait.bytesPerLine();
    // Portrait rows are written whole, left to right: right-handed row r
    // holds landscape column L - 1 - r read from the top row down, left-handed
    // row r holds column r read from the bottom row up. The last pixel of a
    // row may be moved wide only where the row has padding, and the landscape
    // column L - 1 not at all, as its last pixel ends the image.
    const int nWide = nThickness - (3 * nThickness + 1 <= nTargetStride ? 0 : 1);
    const qsizetype nSourceStep = bRightHanded ? nSourceStride : -nSourceStride;
    for (int r = 0; r < nLength; ++r) {
        const int x = bRightHanded ? nLength - 1 - r : r;
        const uchar *pSource = pLandscape + 3 * x + (bRightHanded ? 0 : (nThickness - 1) * nSourceStride);
        uchar *pTarget = pPortrait + r * nTargetStride;
        int nColumn = 0;
        if (x != nLength - 1)
            for (; nColumn < nWide; ++nColumn, pTarget += 3, pSource += nSourceStep)
                CopyPixelWide(pTarget, pSource);
        for (; nColumn < nThickness; ++nColumn, pTarget += 3, pSource += nSourceStep)
            std::memcpy(pTarget, pSource, 3);
    }
}
