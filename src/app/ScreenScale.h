#pragma once

class QByteArray;

// Chooses how many desktop pixels show one pixel of the 240 x 320 screen and
// tells Qt, before the application object exists. A scale of 0 takes the
// largest whole number at which the screen and its window frame fit the
// desktop (1 on the offscreen platform and on a bare panel). The desktop's own
// fractional scaling is turned off so that every screen pixel stays a sharp square.
void ApplyScreenScale(int nScale, int argc, char *argv[]);

// The largest whole scale at which a window of 240 x 320 pixels plus its
// frame fits into a desktop area of the given size (at least 1).
int LargestFittingScale(int nDesktopWidth, int nDesktopHeight);

// A panel without a desktop: linuxfb, eglfs, or vnc (linuxfb's screen code
// served to a VNC client). No other program and no task switcher run there.
bool IsBarePanelPlatform(const QByteArray &platform);
