#include "platform/PointFont.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace {
constexpr int kMaxFaceLength = 31;
}

void PointFont::Create(const LogFont &description)
{
    m_description = description;
    m_font = QFont(description.lfFaceName);
    if (description.lfHeight != 0)
        m_font.setPixelSize(std::abs(description.lfHeight));
    m_font.setWeight(static_cast<QFont::Weight>(description.lfWeight > 0 ? description.lfWeight : 400));
    m_font.setItalic(description.lfItalic);
    m_font.setUnderline(description.lfUnderline);
    m_font.setStrikeOut(description.lfStrikeOut);
    // Pixel images stay sharp when scaled, as on the handheld's screen.
    m_font.setStyleStrategy(QFont::NoAntialias);
    m_font.setHintingPreference(QFont::PreferFullHinting);
    m_bHasFont = true;
}

void PointFont::Delete()
{
    m_bHasFont = false;
    m_description = LogFont();
    m_font = QFont();
}

int PointSizeToHeight(int dotsPerInch, double points)
{
    const int tenths = static_cast<int>(points * 10);
    return ((dotsPerInch * tenths) / -72) / 10;
}

int ScreenDotsPerInchY()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? static_cast<int>(screen->logicalDotsPerInchY()) : 96;
}

void MakePointFont(PointFont &font, const QString &face, double points, bool bold, bool italic, bool strike,
                   bool underline, int escapement, int orientation)
{
    LogFont description;
    description.lfHeight = PointSizeToHeight(ScreenDotsPerInchY(), points);
    description.lfWeight = bold ? 600 : 400;
    description.lfItalic = italic;
    description.lfUnderline = underline;
    description.lfStrikeOut = strike;
    description.lfEscapement = escapement;
    description.lfOrientation = orientation;
    description.lfFaceName = face.left(kMaxFaceLength);
    font.Create(description);
}
