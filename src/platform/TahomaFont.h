#pragma once

#include <QString>

// Wine's fonts-wine package ships faces with Tahoma's metrics, which the board,
// the pad, the menu and the dialog units are laid out for. Fontconfig does not
// know them, so the program registers them itself.
inline constexpr const char *kWineFontFolder = "/usr/share/wine/fonts";

// Registers tahoma.ttf and tahomabd.ttf of the folder with the application's
// font database, those that exist; returns how many were registered. Without
// them "Tahoma" falls back to whatever fontconfig offers (DejaVu Sans).
int RegisterTahoma(const QString &folder = QString::fromLatin1(kWineFontFolder));
