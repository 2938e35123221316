// make-skins FOLDER: draws the shipped skins, each into FOLDER/<name>/ as the
// six images and colors.txt that quorlex-skin pack takes.
//
// Everything is drawn on the landscape board the user sees (320 x 240, row 0
// at the top, column 0 at the left) and turned into the right-handed portrait
// frame of the skin files. The backgrounds carry only the two strips, whose
// keys lie in the same place in every key layout: the keys that have no face
// (del, bk, the line-list key, menu, tab, the modifiers, the arrows and the
// space bar), drawn released on one background and pressed on the other, and
// the frame around the pad. Between the strips lies one flat colour, the same
// on both backgrounds, so the character keys' faces and the Enter face sit on
// it wherever Flat, Crest or Trough puts them, and pressing a key changes
// nothing around its face.

#include "SkinArchive.h"
#include "SkinColorText.h"
#include "ToolFiles.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace {
constexpr int kLandscapeWidth = 320;
constexpr int kLandscapeHeight = 240;
constexpr int kColumn = 32;
constexpr int kStrip = 30;
constexpr int kBottomStrip = 210;
const QSize kFace(36, 28);
const QSize kEnter(74, 28);

struct SkinLook {
    const char *m_name;
    QColor m_board, m_strip, m_edge;
    QColor m_key, m_keyPressed, m_symbol, m_symbolPressed;
    // Key label, pressed label, pad text, selected text, pad, selection, watermark.
    const char *m_colors[kSkinColorCount];
};

const SkinLook kLooks[] = {
    {"Light", QColor(0xD9DDE2), QColor(0xBEC5CD), QColor(0x7D8894), QColor(0xFFFFFF), QColor(0x3B73B9),
     QColor(0x27313B), QColor(0xFFFFFF),
     {"#1E252C", "#FFFFFF", "#000000", "#FFFFFF", "#FFFFFF", "#3B73B9", "#A9B2BC"}},
    {"Dark", QColor(0x22262C), QColor(0x16181C), QColor(0x0B0C0E), QColor(0x3C434D), QColor(0xE09A2B),
     QColor(0xC9CED6), QColor(0x16181C),
     {"#ECEFF3", "#16181C", "#E6E9ED", "#16181C", "#2C3139", "#E09A2B", "#3A414B"}},
};

// The turn from the landscape board to the right-handed portrait frame of an
// image that is width x height in portrait: landscape (x, y) lands on
// portrait (y, height - x).
QTransform ToPortrait(int portraitHeight)
{
    return QTransform(0, -1, 1, 0, 0, portraitHeight);
}

QPainterPath KeyShape(const QRectF &rect)
{
    QPainterPath path;
    path.addRoundedRect(rect, 5, 5);
    return path;
}

// A key: a rounded body with a darker lower edge, sunk by a pixel when pressed.
void DrawKey(QPainter &painter, const QRectF &slot, const SkinLook &look, bool pressed)
{
    const QRectF body = slot.adjusted(1.5, 1.5 + (pressed ? 1 : 0), -1.5, -1.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(look.m_edge);
    painter.drawPath(KeyShape(body.translated(0, pressed ? 0 : 1.5)));
    painter.setBrush(pressed ? look.m_keyPressed : look.m_key);
    painter.drawPath(KeyShape(body));
}

void DrawText(QPainter &painter, const QRectF &slot, const QString &text)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(slot, Qt::AlignCenter, text);
}

QPolygonF Polygon(std::initializer_list<QPointF> points)
{
    return QPolygonF(QList<QPointF>(points));
}

// An arrow pointing left (direction -1) or right (+1) in the middle of the slot.
void DrawArrow(QPainter &painter, const QRectF &slot, int direction)
{
    const QPointF c = slot.center();
    painter.drawPolygon(Polygon({c + QPointF(8 * direction, 0), c + QPointF(0, -6), c + QPointF(0, 6)}));
    painter.drawRect(QRectF(c.x() - (direction > 0 ? 7 : 0), c.y() - 2, 7, 4));
}

void DrawMenuSymbol(QPainter &painter, const QRectF &slot)
{
    const QPointF c = slot.center();
    for (const int dy : {-5, 0, 5})
        painter.drawRect(QRectF(c.x() - 7, c.y() + dy - 1, 14, 2));
}

void DrawLineListSymbol(QPainter &painter, const QRectF &slot)
{
    const QPointF c = slot.center();
    painter.drawPolygon(Polygon({c + QPointF(-5, -3), c + QPointF(5, -3), c + QPointF(0, 4)}));
}

QRectF Slot(int column, int row, int columns = 1)
{
    return QRectF(column * kColumn, row == 0 ? 0 : kBottomStrip, columns * kColumn, kStrip);
}

// The faceless keys of both strips and the frame of the pad.
void DrawStrips(QPainter &painter, const SkinLook &look, bool pressed)
{
    painter.fillRect(QRectF(0, 0, kLandscapeWidth, kStrip), look.m_strip);
    painter.fillRect(QRectF(0, kBottomStrip, kLandscapeWidth, kStrip), look.m_strip);
    // The pad covers (34, 2) to (270, 28); its frame shows around it.
    painter.setPen(Qt::NoPen);
    painter.setBrush(look.m_edge);
    painter.drawRoundedRect(QRectF(kColumn, 0, 240, kStrip), 3, 3);
    const QRectF lineList(272, 0, 16, kStrip);
    const std::pair<QRectF, const char *> keys[] = {
        {Slot(0, 0), "del"}, {Slot(9, 0), "bk"},  {lineList, ""},      {Slot(0, 5), ""},    {Slot(1, 5), "tab"},
        {Slot(2, 5), "shf"}, {Slot(3, 5), ""},    {Slot(4, 5, 2), ""}, {Slot(6, 5), ""},    {Slot(7, 5), "cap"},
        {Slot(8, 5), "pn"},  {Slot(9, 5), "\u00E1\u00FC"}};
    for (const auto &[slot, text] : keys) {
        DrawKey(painter, slot, look, pressed);
        painter.setPen(pressed ? look.m_symbolPressed : look.m_symbol);
        DrawText(painter, slot.translated(0, pressed ? 1 : 0), QString::fromUtf8(text));
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(pressed ? look.m_symbolPressed : look.m_symbol);
    const QPointF sunk(0, pressed ? 1 : 0);
    DrawLineListSymbol(painter, lineList.translated(sunk));
    DrawMenuSymbol(painter, Slot(0, 5).translated(sunk));
    DrawArrow(painter, Slot(3, 5).translated(sunk), -1);
    DrawArrow(painter, Slot(6, 5).translated(sunk), +1);
}

QImage Background(const SkinLook &look, bool pressed)
{
    QImage image(kLandscapeHeight, kLandscapeWidth, QImage::Format_RGB32);
    image.fill(look.m_board);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setTransform(ToPortrait(kLandscapeWidth));
    DrawStrips(painter, look, pressed);
    return image;
}

// A face drawn over the board's colour, so that its smoothed edge blends
// into the board; what stays board-coloured becomes the transparent colour.
QImage Face(const SkinLook &look, QSize portrait, bool pressed, bool enter)
{
    QImage image(portrait, QImage::Format_RGB32);
    image.fill(look.m_board);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setTransform(ToPortrait(portrait.height()));
    const QRectF whole(0, 0, portrait.height(), portrait.width());
    DrawKey(painter, whole.adjusted(-0.5, -0.5, 0.5, 0.5), look, pressed);
    if (enter) {
        // The return sign: down the key's middle, then left to an arrowhead.
        const QPointF c = whole.center() + QPointF(0, pressed ? 1 : 0);
        painter.setPen(QPen(pressed ? look.m_symbolPressed : look.m_symbol, 2));
        painter.drawPolyline(Polygon({c + QPointF(6, -12), c + QPointF(6, 8), c + QPointF(-4, 8)}));
        painter.setPen(Qt::NoPen);
        painter.setBrush(pressed ? look.m_symbolPressed : look.m_symbol);
        painter.drawPolygon(Polygon({c + QPointF(-8, 8), c + QPointF(-3, 3), c + QPointF(-3, 13)}));
    }
    painter.end();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == look.m_board.rgb())
                image.setPixel(x, y, qRgb(255, 0, 255));
    return image;
}

bool WriteSkin(const QDir &folder, const SkinLook &look)
{
    const QImage images[kSkinImageCount] = {Face(look, kFace, false, false),  Face(look, kFace, true, false),
                                            Face(look, kEnter, false, true),  Face(look, kEnter, true, true),
                                            Background(look, false),          Background(look, true)};
    SkinColors colors;
    for (int i = 0; i < kSkinColorCount; ++i)
        colors.InFileOrder(i) = *ParseSkinColor(QLatin1String(look.m_colors[i]));
    QString error;
    if (!WriteWholeFile(folder.filePath(QStringLiteral("colors.txt")), SkinColorsToText(colors), error)) {
        PrintError(error);
        return false;
    }
    for (int i = 0; i < kSkinImageCount; ++i) {
        const QString path = folder.filePath(SkinImageFileName(i) + QStringLiteral(".png"));
        if (!images[i].save(path, "PNG")) {
            PrintError(path + QStringLiteral(": cannot be written"));
            return false;
        }
    }
    return true;
}
}

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        PrintError(QStringLiteral("usage: make-skins FOLDER"));
        return 2;
    }
    for (const SkinLook &look : kLooks) {
        const QString path = QDir(QString::fromLocal8Bit(argv[1])).filePath(QLatin1String(look.m_name));
        if (!QDir().mkpath(path) || !WriteSkin(QDir(path), look))
            return 1;
    }
    return 0;
}
