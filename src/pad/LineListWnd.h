#pragma once

#include "pad/LineListLayout.h"

#include <QFrame>
#include <QImage>
#include <QSize>
#include <QString>

#include <QTextOption>

#include <cstdint>
#include <memory>
#include <vector>

class PadText;
class PointFont;
class QScrollBar;

// Every line of the pad at once: word-wrapped, turned like the pad, every
// second line on a grey band, with a scroll bar along one long edge. A tap on
// a line opens it in the pad. The list shows its own copy of the lines as of
// the last Rebuild. Each line is wrapped once per Rebuild from the widths of
// its characters, without laying it out, and each of its rows is then drawn
// as a text of its own at the row's place: what is drawn wraps exactly as
// what was measured. Only the rows in view are drawn, so a scroll step costs
// the same however many lines there are and however long they are. A
// one-pixel border surrounds it; everything else (the
// text, the scroll bar, the taps) lies inside the border.
class CLineListWnd : public QFrame
{
    Q_OBJECT

public:
    static constexpr int m_nBarHeight = 12;
    static constexpr int m_nScrollBarId = 100;

    // Starts hidden; the pad's model gives the lines, the direction and
    // GoToLine, the pad's font is the list's font.
    CLineListWnd(PadText *pPad, const PointFont *pFont, QWidget *pParent);
    ~CLineListWnd() override;

    // Copies and measures the pad's committed lines, sets the scroll bar so
    // that the first line shows, and renders.
    void Rebuild();
    // Takes the line unit (and with it the page) from the pad font anew.
    void RefreshFont();
    // Along the top of the list right-handed, along its bottom left-handed.
    void PlaceScrollBar();
    // Draws the lines in view into the landscape image, turns it into the
    // portrait one and repaints.
    void Render();

    int Unit() const { return m_nUnit; }
    int Page() const { return m_nPage; }
    int ScrollMax() const { return m_nScrollMax; }
    // Pixels of text scrolled out of view before the reading start.
    int64_t ScrollOffsetNow() const;
    const LineListLayout &Layout() const { return m_layout; }
    const std::vector<QString> &Lines() const { return m_lines; }
    // Where the rows of line i start; none for a line with right-to-left
    // text, which is laid out and drawn whole.
    std::vector<int> RowStarts(int i) const;
    QScrollBar *ScrollBar() const { return m_pScrollBar; }
    const QImage &LandscapeImage() const { return m_bmpLandscape; }

protected:
    void resizeEvent(QResizeEvent *pEvent) override;
    void paintEvent(QPaintEvent *pEvent) override;
    void mousePressEvent(QMouseEvent *pEvent) override;
    void wheelEvent(QWheelEvent *pEvent) override;

private:
    void CreateScrollBar();
    void EnsureSized();
    void OnSize(int cx, int cy);
    void CopyLines();
    void MeasureLines();
    void SetScrollRange();
    void OnScrollAction(int nAction);
    void DrawLines(QPainter &painter, int64_t nOffset);
    void DrawRowsInView(QPainter &painter, int i, int nTop);
    void DrawRow(QPainter &painter, const QString &line, int nStart, int nNextStart, int nTop) const;
    void OnTap(QPoint point);
    bool RightHanded() const;
    QFont Font() const;

    PadText *m_pPad;
    const PointFont *m_pFont;
    QScrollBar *m_pScrollBar = nullptr;

    std::vector<QString> m_lines;
    LineListLayout m_layout;
    class FontAdvances;
    std::unique_ptr<FontAdvances> m_pAdvances;
    // The rows of line i start at m_rowStarts[m_firstRow[i]] up to
    // m_rowStarts[m_firstRow[i + 1]]: one list for every line, kept small.
    std::vector<int> m_rowStarts;
    std::vector<std::size_t> m_firstRow;
    QTextOption m_rowOption;
    int m_nTextHeight = 0;
    int m_nUnit = 15;
    int m_nPage = 0;
    int m_nScrollMax = 0;

    QSize m_sizeHandled;
    int m_nLength = 0;    // W: along the text
    int m_nThickness = 0; // H: across the lines
    QImage m_bmpPortrait;
    QImage m_bmpLandscape;
};
