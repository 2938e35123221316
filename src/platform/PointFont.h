#pragma once

#include <QFont>
#include <QString>

// What the program keeps of a font's description, in the handheld's terms:
// height in pixels (negative: character height), weight 400/600/700, style
// flags, rotation in tenths of a degree and the face name.
struct LogFont {
    int lfHeight = 0;
    int lfWidth = 0;
    int lfEscapement = 0;
    int lfOrientation = 0;
    int lfWeight = 0;
    bool lfItalic = false;
    bool lfUnderline = false;
    bool lfStrikeOut = false;
    QString lfFaceName;
};

// A font object: empty, or holding one font made from a LogFont. The
// escapement stays with the font, so text drawn with it reads upwards (900)
// or downwards (2700) on the portrait screen.
class PointFont
{
public:
    bool IsNull() const { return !m_bHasFont; }
    void Create(const LogFont &description);
    void Delete();

    const QFont &Font() const { return m_font; }
    const LogFont &Description() const { return m_description; }
    int Escapement() const { return m_description.lfEscapement; }

private:
    bool m_bHasFont = false;
    LogFont m_description;
    QFont m_font;
};

// Character height in pixels for a size in points, as the handheld computes
// it: ((dpi * trunc(points * 10)) / -72) / 10 with integer division.
int PointSizeToHeight(int dotsPerInch, double points);

// The screen's logical dots per inch (96 on the offscreen and X11 platforms).
int ScreenDotsPerInchY();

// Builds every font of the program. The font object must be empty on entry.
void MakePointFont(PointFont &font, const QString &face, double points, bool bold, bool italic, bool strike,
                   bool underline, int escapement, int orientation);
