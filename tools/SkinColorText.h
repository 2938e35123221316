#pragma once

#include "keyboard/SkinFile.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

// Skin colours as people write them: "#RRGGBB" (the '#' may be left out,
// since shells take an unquoted '#' for a comment), stored as the skin file's
// 0x00BBGGRR values.
std::optional<std::uint32_t> ParseSkinColor(const QString &text);
QString SkinColorText(std::uint32_t color);

// The colour names of the colours file, in skin file order.
QString SkinColorName(int index);

// The colours file: "<name> #RRGGBB" lines for all seven colours, in any
// order; '#' lines at the start and blank lines are comments.
QByteArray SkinColorsToText(const SkinColors &colors);
bool SkinColorsFromText(const QByteArray &text, SkinColors &colors, QString &error);
