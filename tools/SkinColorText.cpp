#include "SkinColorText.h"

#include <QRegularExpression>
#include <QStringList>

#include <array>

namespace {
const std::array<const char *, kSkinColorCount> kColorNames = {
    "key-label", "key-label-pressed", "pad-text", "pad-selected-text", "pad-background", "pad-selection",
    "watermark"};

int ColorIndexOf(const QString &name)
{
    for (int i = 0; i < kSkinColorCount; ++i)
        if (name == QLatin1String(kColorNames[i]))
            return i;
    return -1;
}
}

std::optional<std::uint32_t> ParseSkinColor(const QString &text)
{
    const QString digits = text.startsWith(QLatin1Char('#')) ? text.mid(1) : text;
    static const QRegularExpression sixHexDigits(QStringLiteral("^[0-9A-Fa-f]{6}$"));
    if (!sixHexDigits.match(digits).hasMatch())
        return std::nullopt;
    const std::uint32_t rgb = digits.toUInt(nullptr, 16);
    return (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16;
}

QString SkinColorText(std::uint32_t color)
{
    const std::uint32_t rgb = (color & 0xFF) << 16 | (color & 0xFF00) | (color >> 16 & 0xFF);
    return QStringLiteral("#%1").arg(rgb, 6, 16, QLatin1Char('0')).toUpper();
}

QString SkinColorName(int index)
{
    return QLatin1String(kColorNames[index]);
}

QByteArray SkinColorsToText(const SkinColors &colors)
{
    SkinColors copy = colors;
    QString text = QStringLiteral("# Skin colours, #RRGGBB: key labels released and pressed, the pad's text,\n"
                                  "# selected text, background and selection background, the watermark\n");
    for (int i = 0; i < kSkinColorCount; ++i)
        text += SkinColorName(i).leftJustified(19) + SkinColorText(copy.InFileOrder(i)) + QLatin1Char('\n');
    return text.toUtf8();
}

bool SkinColorsFromText(const QByteArray &text, SkinColors &colors, QString &error)
{
    SkinColors read;
    std::array<int, kSkinColorCount> lineOf{};
    const QStringList lines = QString::fromUtf8(text).split(QLatin1Char('\n'));
    for (int number = 1; number <= lines.size(); ++number) {
        const QStringList fields = lines[number - 1].split(QRegularExpression(QStringLiteral("\\s+")),
                                                           Qt::SkipEmptyParts);
        if (fields.isEmpty() || fields[0].startsWith(QLatin1Char('#')))
            continue;
        const QString where = QStringLiteral("line %1: ").arg(number);
        const int index = fields.size() == 2 ? ColorIndexOf(fields[0]) : -1;
        const std::optional<std::uint32_t> color = fields.size() == 2 ? ParseSkinColor(fields[1]) : std::nullopt;
        if (index < 0)
            error = where + QStringLiteral("expected one of the colour names and a colour #RRGGBB");
        else if (!color)
            error = where + QStringLiteral("'%1' is not a colour #RRGGBB").arg(fields[1]);
        else if (lineOf[index] != 0)
            error = where + QStringLiteral("%1 was already given on line %2").arg(fields[0]).arg(lineOf[index]);
        if (!error.isEmpty())
            return false;
        lineOf[index] = number;
        read.InFileOrder(index) = *color;
    }
    for (int i = 0; i < kSkinColorCount; ++i)
        if (lineOf[i] == 0) {
            error = QStringLiteral("the colour %1 is missing").arg(SkinColorName(i));
            return false;
        }
    colors = read;
    return true;
}
