#include "platform/TextDraw.h"

#include "platform/PointFont.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace {
// Text of several lines is laid out here rather than by QPainter::drawText,
// as the handheld does it: every line is exactly one font height high with no
// leading, paragraphs end at CR LF, a lone CR or a lone LF, and tab stops lie
// every eight average character widths. Laying out a text paragraph by
// paragraph therefore gives the same lines, at the same places, as laying out
// each paragraph alone and stacking the results.
class TextBlock
{
public:
    TextBlock(const QFont &font, int nWidth, unsigned flags)
        : m_font(font), m_nWidth(std::max(nWidth, 1)), m_flags(flags)
    {
        const QFontMetrics metrics(font);
        m_nLineHeight = metrics.height();
        m_option.setWrapMode((flags & DT_WORDBREAK) ? QTextOption::WordWrap : QTextOption::NoWrap);
        m_option.setTabStopDistance(8.0 * metrics.averageCharWidth());
    }

    int LineHeight() const { return m_nLineHeight; }

    // Calls fn(line, nRow) for every line of the text, nRow counting lines
    // from the top of the text; returns the number of lines.
    template <typename Fn>
    int ForEachLine(const QString &text, Fn fn)
    {
        int nRow = 0;
        qsizetype nStart = 0;
        for (;;) {
            qsizetype nEnd = nStart;
            while (nEnd < text.size() && text[nEnd] != u'\r' && text[nEnd] != u'\n')
                ++nEnd;
            nRow += LayOutParagraph(text.mid(nStart, nEnd - nStart), nRow, fn);
            if (nEnd >= text.size())
                return nRow;
            nStart = nEnd + ((text[nEnd] == u'\r' && nEnd + 1 < text.size() && text[nEnd + 1] == u'\n') ? 2 : 1);
        }
    }

private:
    template <typename Fn>
    int LayOutParagraph(QString paragraph, int nFirstRow, Fn &fn)
    {
        if (!(m_flags & DT_EXPANDTABS))
            paragraph.replace(u'\t', u' ');
        QTextLayout layout(paragraph, m_font);
        layout.setTextOption(m_option);
        layout.beginLayout();
        int nLines = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(m_nWidth);
            line.setPosition(QPointF(0, 0));
            ++nLines;
        }
        layout.endLayout();
        for (int i = 0; i < layout.lineCount(); ++i)
            fn(layout.lineAt(i), nFirstRow + i);
        // An empty paragraph still takes one line.
        return std::max(nLines, 1);
    }

    QFont m_font;
    int m_nWidth;
    unsigned m_flags;
    int m_nLineHeight = 0;
    QTextOption m_option;
};

int HorizontalPlace(const QRect &rect, qreal lineWidth, unsigned flags)
{
    if (flags & DT_CENTER)
        return rect.left() + static_cast<int>((rect.width() - lineWidth) / 2);
    if (flags & DT_RIGHT)
        return rect.right() + 1 - static_cast<int>(lineWidth);
    return rect.left();
}

int MeasureBlock(QPainter &painter, QRect &rect, const QString &text, unsigned flags)
{
    TextBlock block(painter.font(), rect.width(), flags);
    qreal widest = 0;
    const int nRows = block.ForEachLine(text, [&](const QTextLine &line, int) {
        widest = std::max(widest, line.naturalTextWidth());
    });
    const int nHeight = nRows * block.LineHeight();
    const int nWidest = static_cast<int>(std::ceil(widest));
    // A wrapped text keeps the rectangle's width unless a word is wider.
    rect.setWidth((flags & DT_WORDBREAK) ? std::max(rect.width(), nWidest) : nWidest);
    rect.setHeight(nHeight);
    return nHeight;
}

int DrawBlock(QPainter &painter, const QRect &rect, const QString &text, unsigned flags)
{
    TextBlock block(painter.font(), rect.width(), flags);
    painter.save();
    if (!(flags & DT_NOCLIP))
        painter.setClipRect(rect, Qt::IntersectClip);
    const int nRows = block.ForEachLine(text, [&](const QTextLine &line, int nRow) {
        const QPointF place(HorizontalPlace(rect, line.naturalTextWidth(), flags),
                            rect.top() + nRow * block.LineHeight());
        line.draw(&painter, place);
    });
    painter.restore();
    return nRows * block.LineHeight();
}

int SingleLineFlags(unsigned flags)
{
    int qtFlags = Qt::TextSingleLine;
    if (flags & DT_CENTER)
        qtFlags |= Qt::AlignHCenter;
    else if (flags & DT_RIGHT)
        qtFlags |= Qt::AlignRight;
    else
        qtFlags |= Qt::AlignLeft;
    if (flags & DT_VCENTER)
        qtFlags |= Qt::AlignVCenter;
    else if (flags & DT_BOTTOM)
        qtFlags |= Qt::AlignBottom;
    else
        qtFlags |= Qt::AlignTop;
    if (flags & DT_WORDBREAK)
        qtFlags |= Qt::TextWordWrap;
    if (flags & DT_EXPANDTABS)
        qtFlags |= Qt::TextExpandTabs;
    if (flags & DT_NOCLIP)
        qtFlags |= Qt::TextDontClip;
    return qtFlags;
}

int SingleLine(QPainter &painter, QRect &rect, const QString &text, unsigned flags)
{
    const int qtFlags = SingleLineFlags(flags);
    const QFontMetrics metrics(painter.font());
    if (flags & DT_CALCRECT) {
        const QRect bounds = metrics.boundingRect(QRect(rect.left(), rect.top(), rect.width(), 1 << 20),
                                                  qtFlags & ~Qt::AlignVCenter, text);
        const int height = text.isEmpty() ? metrics.height() : bounds.height();
        rect.setWidth((flags & DT_WORDBREAK) ? rect.width() : bounds.width());
        rect.setHeight(height);
        return height;
    }
    QRect drawn;
    painter.drawText(rect, qtFlags, text, &drawn);
    return drawn.height();
}
} // namespace

void ExtTextOut(QPainter &painter, int x, int y, const PointFont &font, const QString &text)
{
    painter.save();
    painter.setFont(font.Font());
    painter.translate(x, y);
    // Escapement counts counter-clockwise in tenths of a degree; Qt's angle
    // runs clockwise on a screen whose y axis points down.
    painter.rotate(-font.Escapement() / 10.0);
    painter.drawText(0, QFontMetrics(font.Font()).ascent(), text);
    painter.restore();
}

int DrawTextFlags(QPainter &painter, QRect &rect, const QString &text, unsigned flags)
{
    if (flags & DT_SINGLELINE)
        return SingleLine(painter, rect, text, flags);
    if (flags & DT_CALCRECT)
        return MeasureBlock(painter, rect, text, flags);
    return DrawBlock(painter, rect, text, flags);
}

int TextWidth(const PointFont &font, const QString &text)
{
    return QFontMetrics(font.Font()).horizontalAdvance(text);
}
