#pragma once

#include <QRawFont>
#include <QString>

class PointFont;
class QPainter;

// Measures and draws text in a font through the engine of another font that
// differs from it in pixel size alone. Qt loads an engine for every size of a
// face, and each load has fontconfig match the font anew (a millisecond or
// two at start); the loaded engine of the same scalable face, resized, gives
// the very metrics and pixels that the font's own engine would. When the two
// fonts differ in more than size, or the face lacks a character of the text
// (which Qt would then take from a fall-back face), the font's own engine is
// used. Both fonts must outlive the object.
class ResizedFace
{
public:
    ResizedFace(const PointFont &font, const PointFont &loaded);

    // Whether the other font's engine stands in for the font's own.
    bool IsResized() const { return m_raw.isValid(); }
    // As QFontMetrics(font).height() and horizontalAdvance(text).
    int Height() const;
    int Width(const QString &text) const;
    // As ExtTextOut with the font.
    void Draw(QPainter &painter, int x, int y, const QString &text) const;

private:
    bool Covers(const QString &text) const;

    const PointFont &m_font;
    QRawFont m_raw;
};
