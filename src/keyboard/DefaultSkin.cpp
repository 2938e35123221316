#include "keyboard/DefaultSkin.h"

#include "platform/PointFont.h"
#include "platform/ImageCopy.h"
#include "platform/ResizedFace.h"

#include <QPainter>
#include <QPolygon>

namespace {
struct Box {
    int left, top, right, bottom;
};

// The backspace and delete keys of the top strip and the nine keys of the
// bottom strip; the one from y 128 to 192 is the space bar.
constexpr Box kSideEllipses[] = {
    {0, 0, 30, 32},      {0, 288, 30, 320},    {210, 0, 240, 32},    {210, 32, 240, 64},
    {210, 64, 240, 96},  {210, 96, 240, 128},  {210, 128, 240, 192}, {210, 192, 240, 224},
    {210, 224, 240, 256}, {210, 256, 240, 288}, {210, 288, 240, 320},
};
constexpr int kRingWidth = 3;

struct SideLabel {
    const char16_t *text;
    int x;      // 0 for the top strip, 210 for the bottom strip
    int bottom; // bottom y of the label's 32-pixel slot
};
constexpr SideLabel kSideLabels[] = {
    {u"del", 0, 320},   {u"bk", 0, 32},     {u"\u00E1\u00FC", 210, 32}, {u"pn", 210, 64},
    {u"cap", 210, 96},  {u"shf", 210, 256}, {u"tab", 210, 288},
};

// The handheld's Ellipse fills and outlines inside (l, t) .. (r - 1, b - 1);
// Qt's outline of a w x h rectangle covers w + 1 pixels.
void Ellipse(QPainter &painter, const Box &box, int inset = 0)
{
    painter.drawEllipse(QRect(box.left + inset, box.top + inset, box.right - box.left - 2 * inset - 1,
                              box.bottom - box.top - 2 * inset - 1));
}

void Polyline(QPainter &painter, std::initializer_list<QPoint> points)
{
    painter.drawPolyline(QPolygon(QList<QPoint>(points)));
}

void DrawLineListTriangle(QPainter &painter)
{
    Polyline(painter, {{10, 44}, {10, 36}, {20, 40}, {10, 44}});
}

void DrawArrows(QPainter &painter)
{
    Polyline(painter, {{225, 120}, {225, 112}, {220, 112}, {225, 104}, {230, 112}, {225, 112}});
    Polyline(painter, {{225, 200}, {225, 208}, {220, 208}, {225, 216}, {230, 208}, {225, 208}});
}

void DrawMenuIcon(QPainter &painter)
{
    Polyline(painter, {{218, 298}, {233, 298}, {233, 309}, {218, 309}, {218, 298}});
    for (const int x : {229, 225, 222})
        painter.drawLine(x, 298, x, 308);
}

void DrawEnterSymbol(QPainter &painter)
{
    Polyline(painter, {{25, 12}, {50, 12}, {50, 17}, {53, 17}, {50, 20}, {47, 17}, {50, 17}});
}

// The labels' face is the key labels' own at the board's default settings,
// so they are drawn through the key labels' engine then.
void DrawSideLabels(QPainter &painter, std::uint32_t color, const PointFont &keyFont)
{
    PointFont font;
    MakePointFont(font, QStringLiteral("Tahoma"), 8.5, true, false, false, false, 900, 900);
    const ResizedFace face(font, keyFont);
    const int cy = face.Height();
    painter.setPen(ColorFromRef(color));
    for (const SideLabel &label : kSideLabels) {
        const QString text = QString::fromUtf16(label.text);
        const int cx = face.Width(text);
        face.Draw(painter, label.x + (30 - cy) / 2, label.bottom - (32 - cx) / 2, text);
    }
}

void DrawBackground(QImage &image, bool pressed, std::uint32_t labelColor, const PointFont &keyFont)
{
    QPainter painter(&image);
    painter.fillRect(image.rect(), Qt::black);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    for (const Box &box : kSideEllipses)
        Ellipse(painter, box);
    if (pressed) {
        painter.setBrush(Qt::black);
        for (const Box &box : kSideEllipses)
            Ellipse(painter, box, kRingWidth);
    }
    DrawSideLabels(painter, labelColor, keyFont);
    painter.fillRect(0, 32, 30, 16, Qt::white);
    if (pressed)
        painter.fillRect(2, 34, 26, 12, Qt::black);
    painter.setPen(QPen(pressed ? Qt::white : Qt::black, 1));
    DrawLineListTriangle(painter);
    DrawArrows(painter);
    DrawMenuIcon(painter);
}

void DrawFace(QImage &image, bool pressed, bool enter)
{
    QPainter painter(&image);
    const Box whole{0, 0, image.width(), image.height()};
    painter.fillRect(image.rect(), Qt::black);
    // The pressed Enter face is outlined in white, the others in black.
    painter.setPen(QPen(pressed && enter ? Qt::white : Qt::black, 1));
    painter.setBrush(Qt::white);
    Ellipse(painter, whole);
    if (pressed) {
        painter.setBrush(Qt::black);
        Ellipse(painter, whole, kRingWidth);
    }
    if (enter)
        DrawEnterSymbol(painter);
}
}

bool PaintDefaultSkin(std::array<QImage, kSkinImageCount> &images, const SkinColors &colors,
                      const PointFont &keyFont, bool pressed)
{
    const int look = pressed ? 1 : 0;
    const int button = SI_BUTTON_UP + look, enter = SI_ENTER_UP + look, background = SI_BACKGROUND_UP + look;
    images[button] = QImage(kDefaultButtonWidth, kDefaultButtonHeight, QImage::Format_RGB32);
    images[enter] = QImage(kDefaultEnterWidth, kDefaultEnterHeight, QImage::Format_RGB32);
    images[background] = QImage(240, 320, QImage::Format_RGB32);
    if (images[button].isNull() || images[enter].isNull() || images[background].isNull()) {
        for (const int i : {button, enter, background})
            images[i] = QImage();
        return false;
    }
    DrawFace(images[button], pressed, false);
    DrawFace(images[enter], pressed, true);
    DrawBackground(images[background], pressed, pressed ? colors.m_crLabelDown : colors.m_crLabelUp, keyFont);
    return true;
}
