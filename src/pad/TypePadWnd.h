#pragma once

#include "platform/PointFont.h"
#include "pad/LineListWnd.h"
#include "pad/PadHost.h"
#include "pad/PadText.h"
#include "platform/WindowTimers.h"

#include <QFrame>
#include <QImage>

#include <cstdint>
#include <string>

// The typing pad: a narrow bordered strip that shows the current line of its
// text turned by 90 degrees, so that it reads along the strip. Each change
// draws the visible part of the line flat into a landscape image, turns that
// image pixel by pixel into the portrait one, and paint only copies the
// portrait image. The stylus places the caret, drags a selection and scrolls
// it from either end of the strip; the clipboard commands live here too.
class CTypePadWnd : public QFrame, private PadHost
{
    Q_OBJECT

public:
    // Auto-scroll timers: towards the line start and towards its end.
    static constexpr int kTimerScrollBack = 100;
    static constexpr int kTimerScrollForward = 200;

    static constexpr int kLineListId = 2001;

    explicit CTypePadWnd(QWidget *parent = nullptr);

    // Makes the pad a visible child of the keyboard window at rc and its line
    // list a hidden one, from the pad's right edge to the screen's; the
    // keyboard window then moves both to their places for the direction.
    void Create(QWidget *pParent, const QRect &rc);
    CLineListWnd &LineList() { return m_wndLineList; }
    const CLineListWnd &LineList() const { return m_wndLineList; }

    // The text operations; see PadText.
    void InsertChar(char16_t ch) { m_text.InsertChar(ch); }
    void Backspace() { m_text.Backspace(); }
    void DeleteChar() { m_text.DeleteChar(); }
    void CaretLeft() { m_text.CaretLeft(); }
    void CaretRight() { m_text.CaretRight(); }
    void CaretHome() { m_text.CaretHome(); }
    void CaretEnd() { m_text.CaretEnd(); }
    void PrevLine() { m_text.PrevLine(); }
    void NextLine() { m_text.NextLine(); }
    void NewLine() { m_text.NewLine(); }
    void GoToLine(int nLine) { m_text.GoToLine(nLine); }
    void ShowLineList() { m_text.ShowLineList(); }
    void HideLineList() { m_text.HideLineList(); }
    void SelectLine() { m_text.SelectLine(); }
    void ClearAll() { m_text.ClearAll(); }
    void CommitLine() { m_text.CommitLine(); }
    void LoadLine() { m_text.LoadLine(); }
    void ScrollToShow(int c) { m_text.ScrollToShow(c); }

    // The clipboard and the whole text.
    std::u16string GetAllText() const { return m_text.GetAllText(); }
    bool CopyText(std::u16string text);
    void CopySelection();
    void CutSelection();
    void Paste();
    void InsertText(std::u16string_view text);
    // The X habit: the middle button pastes the primary selection where it
    // is pressed, and a selection made here is offered as it.
    void PasteSelectionAt(int nAlong);
    void OfferSelection();

    void SetPadFont(const QString &face, int nSize, bool bBold, bool bItalic, bool bStrike, bool bUnderline);
    // Colours as 0x00BBGGRR values, in the order a skin gives them.
    void SetColors(std::uint32_t crText, std::uint32_t crSelText, std::uint32_t crBack, std::uint32_t crSelBack);
    void Redraw() override;
    void StopAutoScroll() override;
    int HitTest(int d) const { return m_text.HitTest(d, m_nAvgCharWidth); }
    int MeasureText(std::u16string_view text) const override;
    void OnTimer(int nId);
    bool IsTimerRunning(int nId) const { return m_timers.IsActive(nId); }

    // Copies a landscape image into a portrait one turned a quarter turn:
    // landscape (X, Y) lands on portrait (Y, L - 1 - X) when right-handed and
    // on (T - 1 - Y, X) when left-handed. Both images are 24-bit; the line
    // list turns its own images the same way.
    static void RotateToScreen(const QImage &landscape, QImage &portrait, bool bRightHanded);

    const QImage &PortraitImage() const { return m_imgPortrait; }
    const PointFont &Font() const { return m_font; }
    int Length() const { return m_nLength; }
    int Thickness() const { return m_nThickness; }

    PadText m_text;
    std::uint32_t m_crBack = 0x000000;
    std::uint32_t m_crText = 0xFFFFFF;
    std::uint32_t m_crSelBack = 0xFFFFFF;
    std::uint32_t m_crSelText = 0x000000;
    int m_nAvgCharWidth = 0;
    bool m_bPenDown = false;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void timerEvent(QTimerEvent *event) override;

private:
    void SetUpFrame();
    void CreateImages(int cx, int cy);
    // The first characters of text that fill nRoom pixels and then some, cut
    // where the characters beyond cannot change how those are drawn.
    int MeasureAnew(std::u16string_view text) const;
    std::u16string_view DrawnPart(std::u16string_view text, int nRoom) const;
    void DrawCaret(QPainter &painter);
    void DrawSelection(QPainter &painter);
    void RotateToScreen();
    // Distance along the text of a point in widget coordinates.
    int AlongStrip(QPoint point) const;
    void StartAutoScroll(int nId, int nOtherId);

    int PadLength() const override { return m_nLength; }
    void MessageBeep() override;
    void ShowLineListWindow() override;
    void HideLineListWindow() override;

    PointFont m_font;
    QImage m_imgLandscape;
    QImage m_imgPortrait;
    // Holds the font for measuring only, as a device without a picture would.
    mutable QImage m_imgMeasure;
    // The last text measured and its width, for the font in use.
    mutable std::u16string m_strMeasured;
    mutable int m_nMeasuredWidth = 0;
    mutable bool m_bMeasured = false;
    WindowTimers m_timers{this};
    int m_nLength = 0;
    int m_nThickness = 0;
    // A child of the pad's parent, not of the pad: it covers the keyboard.
    CLineListWnd m_wndLineList;
};
