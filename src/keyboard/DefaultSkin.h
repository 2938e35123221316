#pragma once

#include "keyboard/SkinFile.h"

#include <QImage>

#include <array>

// The skin the program draws itself: white ellipses on black, a white ring
// inside each ellipse for the pressed look, and the texts and symbols of the
// keys that have no face of their own. Drawn in the right-handed frame.
inline constexpr int kDefaultButtonWidth = 38;
inline constexpr int kDefaultButtonHeight = 28;
inline constexpr int kDefaultEnterWidth = 74;
inline constexpr int kDefaultEnterHeight = 28;

// Makes and draws the six images (in skin file order) with the label colours
// given; false, with no image made, when memory for them cannot be had.
bool PaintDefaultSkin(std::array<QImage, kSkinImageCount> &images, const SkinColors &colors);
