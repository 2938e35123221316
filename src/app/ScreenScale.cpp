#include "app/ScreenScale.h"

#include "app/CommandLine.h"
#include "app/MainFrame.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {
// Room for the title bar and border the desktop puts around the window.
constexpr int kWindowFrameAllowance = 40;

// The offscreen platform has no desktop to fit; a bare panel would be opened
// twice by a probe (a flicker at best, a device or a VNC port that refuses
// the second opening at worst). All of them start at scale 1.
bool IsPlatformWithoutProbe(const QByteArray &platform)
{
    return platform.startsWith("offscreen") || IsBarePanelPlatform(platform);
}

bool IsPlatformWithoutProbe(int argc, char *argv[])
{
    if (IsPlatformWithoutProbe(qgetenv("QT_QPA_PLATFORM")))
        return true;
    for (int i = 1; i + 1 < argc; ++i) {
        const bool platform = std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0;
        if (platform && IsPlatformWithoutProbe(QByteArray(argv[i + 1])))
            return true;
    }
    return false;
}

// Asks the desktop for its size through a short-lived application object of
// its own; the program's one is made afterwards with the scale set.
int DesktopScale(int argc, char *argv[])
{
    std::vector<char *> arguments(argv, argv + argc);
    arguments.push_back(nullptr);
    int probeArgc = argc;
    const QGuiApplication probe(probeArgc, arguments.data());
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return 1;
    const QRect desktop = screen->availableGeometry();
    return LargestFittingScale(desktop.width(), desktop.height());
}
}

bool IsBarePanelPlatform(const QByteArray &platform)
{
    return platform.startsWith("linuxfb") || platform.startsWith("eglfs") || platform.startsWith("vnc");
}

int LargestFittingScale(int nDesktopWidth, int nDesktopHeight)
{
    const int byWidth = nDesktopWidth / CMainFrame::kScreenWidth;
    const int byHeight = (nDesktopHeight - kWindowFrameAllowance) / CMainFrame::kScreenHeight;
    return std::clamp(std::min(byWidth, byHeight), 1, kMaxScale);
}

void ApplyScreenScale(int nScale, int argc, char *argv[])
{
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    int scale = nScale;
    if (scale <= 0)
        scale = IsPlatformWithoutProbe(argc, argv) ? 1 : DesktopScale(argc, argv);
    qputenv("QT_SCALE_FACTOR", QByteArray::number(scale));
}
