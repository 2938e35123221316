#pragma once

#include <QImage>
#include <QRect>

#include <cstdint>

class QPainter;
class QRegion;

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

// Paints an image with its top-left corner at origin, as a plain copy, within
// the region being painted. Qt copies a 32-bit image that lands inside one
// rectangle straight into the window; anything else (24-bit pixels, an area
// with holes where child windows lie) it blends span by span, handing the
// spans to worker threads whose start costs more than the copy. So the image
// goes over as 32-bit pixels, one rectangle of the region at a time.
void PaintImage(QPainter &painter, const QRegion &region, QPoint origin, const QImage &image);
