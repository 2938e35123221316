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

class PointFont;

// Makes and draws the three images of one look (released: button, Enter and
// background up; pressed: the three down) in their places of the skin file
// order, with that look's label colour; false, with none of them made, when
// memory for them cannot be had. The key labels' font lends its engine to the
// side labels when it is their face.
bool PaintDefaultSkin(std::array<QImage, kSkinImageCount> &images, const SkinColors &colors,
                      const PointFont &keyFont, bool pressed);
