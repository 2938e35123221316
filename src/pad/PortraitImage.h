#pragma once

class QImage;

// Copies a landscape image of L x T pixels, pixel by pixel, into a 24-bit
// portrait image of T x L pixels: the landscape point (X, Y) lands on
// (Y, L - 1 - X) right-handed, so text reads upwards, and on (T - 1 - Y, X)
// left-handed, so it reads downwards. The landscape is 24-bit, or 32-bit with
// the same byte order (RGBX8888), into which Qt draws text several times
// faster; the colours are the same. Images of other sizes or formats are left
// alone.
void RotateLandscapeToPortrait(const QImage &landscape, QImage &portrait, bool bRightHanded);
