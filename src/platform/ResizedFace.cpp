#include "platform/ResizedFace.h"

#include "platform/PointFont.h"
#include "platform/TextDraw.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>
#include <QTextLayout>

namespace {
// The text shaped in the raw font as one line, as QPainter shapes it for
// drawText: the same glyphs, advances and kerning.
class RawLine
{
public:
    RawLine(const QRawFont &raw, const QString &text) : m_layout(text)
    {
        m_layout.setRawFont(raw);
        m_layout.beginLayout();
        m_line = m_layout.createLine();
        m_layout.endLayout();
    }
    qreal Width() const { return m_line.naturalTextWidth(); }
    qreal Ascent() const { return m_line.ascent(); }
    QList<QGlyphRun> Runs() const { return m_layout.glyphRuns(); }

private:
    QTextLayout m_layout;
    QTextLine m_line;
};
}

ResizedFace::ResizedFace(const PointFont &font, const PointFont &loaded) : m_font(font)
{
    const int size = font.Font().pixelSize();
    QFont sameSize = font.Font();
    sameSize.setPixelSize(loaded.Font().pixelSize());
    if (size <= 0 || font.IsNull() || loaded.IsNull() || sameSize != loaded.Font())
        return;
    m_raw = QRawFont::fromFont(loaded.Font());
    if (m_raw.isValid())
        m_raw.setPixelSize(size);
}

bool ResizedFace::Covers(const QString &text) const
{
    if (!m_raw.isValid())
        return false;
    for (const QChar c : text)
        if (!m_raw.supportsCharacter(c))
            return false;
    return true;
}

int ResizedFace::Height() const
{
    if (!m_raw.isValid())
        return QFontMetrics(m_font.Font()).height();
    return qRound(m_raw.ascent() + m_raw.descent());
}

int ResizedFace::Width(const QString &text) const
{
    if (!Covers(text))
        return TextWidth(m_font, text);
    return qRound(RawLine(m_raw, text).Width());
}

void ResizedFace::Draw(QPainter &painter, int x, int y, const QString &text) const
{
    if (!Covers(text)) {
        ExtTextOut(painter, x, y, m_font, text);
        return;
    }
    const RawLine line(m_raw, text);
    painter.save();
    painter.translate(x, y);
    painter.rotate(-m_font.Escapement() / 10.0);
    // ExtTextOut puts the baseline one whole-pixel ascent below the cell's top.
    const QPointF baseline(0, qRound(m_raw.ascent()) - line.Ascent());
    for (const QGlyphRun &run : line.Runs())
        painter.drawGlyphRun(baseline, run);
    painter.restore();
}
