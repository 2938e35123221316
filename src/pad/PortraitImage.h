#pragma once

class QImage;

// Copies a landscape image of L x T pixels, pixel by pixel, into a portrait
// image of T x L pixels of the same 24-bit format: the landscape point (X, Y)
// lands on (Y, L - 1 - X) right-handed, so text reads upwards, and on
// (T - 1 - Y, X) left-handed, so it reads downwards. Images of other sizes or
// formats are left alone.
void RotateLandscapeToPortrait(const QImage &landscape, QImage &portrait, bool bRightHanded);
