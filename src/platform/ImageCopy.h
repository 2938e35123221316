#pragma once

#include <QImage>
#include <QRect>

#include <cstdint>

// The handheld's colour value 0x00BBGGRR (red in the low byte) as a QColor.
QColor ColorFromRef(std::uint32_t colorRef);

// The colour that key and Enter faces use for "no pixel here".
inline constexpr QRgb kTransparentKeyColor = 0xFF00FF;

// A plain copy (the handheld's BitBlt with SRCCOPY) of a rectangle from one
// image to the same place in another, both 32-bit RGB. The parts of the
// rectangle outside either image are left out.
void BitBlt(QImage &destination, const QRect &rect, const QImage &source);

// Copies the w x h block at (sx, sy) of the source to (dx, dy) of the
// destination, leaving out source pixels of the transparent colour (alpha is
// ignored). The destination is 32-bit RGB; pixels outside either image are
// skipped, so any face size is safe.
void TransparentImage(QImage &destination, int dx, int dy, const QImage &source, int sx, int sy, int width,
                      int height, QRgb transparent = kTransparentKeyColor);
