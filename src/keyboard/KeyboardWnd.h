#pragma once

#include "platform/PointFont.h"
#include "settings/Settings.h"
#include "keyboard/KeyGeometry.h"
#include "keyboard/KeyMap.h"
#include "keyboard/SkinFile.h"
#include "menu/SideMenuWnd.h"
#include "pad/TypePadWnd.h"
#include "platform/WindowMessage.h"
#include "platform/WindowTimers.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <array>
#include <initializer_list>
#include <utility>
#include <istream>
#include <string>
#include <vector>

class CImageDecoder;
class KeyboardHost;
class QPainter;

// The commands the side menu posts, in the order of its items, and the
// request to close the application.
inline constexpr int WM_KBD_EXIT = WM_USER + 101;
inline constexpr int WM_KBD_SELECTLINE = WM_USER + 102;
inline constexpr int WM_KBD_CLEARALL = WM_USER + 103;
inline constexpr int WM_KBD_COPYALL = WM_USER + 104;
inline constexpr int WM_KBD_CUT = WM_USER + 105;
inline constexpr int WM_KBD_COPY = WM_USER + 106;
inline constexpr int WM_KBD_PASTE = WM_USER + 107;
inline constexpr int WM_KBD_PREFERENCES = WM_USER + 108;
inline constexpr int WM_KBD_NOTEPAD = WM_USER + 109;
inline constexpr int WM_KBD_CLOSEAPP = WM_USER + 201;

// The full-screen keyboard window: a landscape board of 60 key slots drawn
// rotated on the 240 x 320 portrait screen. The board is painted only from
// ready-made images: the skin's backgrounds with the key faces baked in, two
// composites (all keys released, all keys pressed) with the current plane's
// labels, and the screen image, which is the released composite plus the
// latched modifiers shown pressed and any key being pressed. A tap finds its
// key, shows it pressed and types into the pad or runs a pad command; the
// side menu's commands come back as posted messages.
class CKeyboardWnd : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kScreenWidth = 240;
    static constexpr int kScreenHeight = 320;
    // Font sizes beyond this only make the font engine allocate huge glyphs,
    // and the point-to-pixel formula would overflow long before int does.
    static constexpr int kLargestFontPoints = 500;
    static constexpr int kRepeatTimer = 100;
    static constexpr int kSideMenuId = 110;
    static constexpr int kPadId = 111;
    // Side menu items whose state follows the pad and the clipboard.
    static constexpr int kItemCut = 4;
    static constexpr int kItemCopy = 5;
    static constexpr int kItemPaste = 6;

    explicit CKeyboardWnd(QWidget *parent = nullptr);

    // Creates the window hidden over the whole screen with its children, its
    // images and the skin, as the view does at its initial update. When the
    // images cannot be made it says so and asks the application to close.
    bool Create(QWidget *parent);

    // Set by the view before Create: the view, and the main frame's rectangle
    // that the notepad gets back.
    KeyboardHost *m_pView = nullptr;
    QRect m_rcFrameSaved;

    // Places the pad and the line list for the direction in the settings.
    void LayoutChildren();
    // Hides the board and gives the pad's whole text to the view.
    void ShowNotepad();
    // Gives the text to the view, saves it, releases the images and asks the
    // application to close.
    void ExitFromKeyboard();
    // Lets go of every image, with a box for each one that cannot go.
    void ReleaseGdiResources();
    // Runs the preference sheet on the settings; after OK, changed or not,
    // stores all of them and brings fonts, pad, line list, key map, board and
    // side menu up to date. Cancel changes nothing.
    void ApplyPreferences();
    // Tests stand in for a device out of memory for bitmaps with this: every
    // board made while it is set fails to make its images.
    static void RefuseImagesForTest(bool refuse) { s_bRefuseImages = refuse; }

    // The pad (which holds the line list) and the side menu.
    CTypePadWnd &Pad() { return m_wndPad; }
    const CTypePadWnd &Pad() const { return m_wndPad; }
    CSideMenuWnd &SideMenu() { return m_wndSideMenu; }

    // The stylus: a point of the window, turned for left-handed use, pressed
    // and carried out; the release shows the key up again unless it is a
    // latched modifier.
    void OnStylusDown(QPoint point);
    void OnStylusUp();
    int HitTestKey(QPoint point) const;
    void DoKeyAction();
    void DrawPressedKey();
    void ReleasePressedKey();
    void OnTimer(int nId);
    KeyCode PressedCode() const { return m_nPressedCode; }
    int PressedIndex() const { return m_nPressedIndex; }
    KeyCode RepeatCode() const { return m_nRepeatCode; }
    bool IsTimerRunning(int nId) const { return m_timers.IsActive(nId); }
    int TimerInterval(int nId) const { return m_timers.Interval(nId); }

    // The preferences the window runs with. Changing layout, direction or the
    // font is followed by CreateKeyFonts and RebuildBoard.
    Settings &GetSettings() { return m_settings; }
    const Settings &GetSettings() const { return m_settings; }

    // The key map, its plane pointers and the modifier latches.
    KeyMap &GetKeyMap() { return m_keyMap; }
    // Reads the map the settings name into the same place, so the plane
    // pointers, the latches and the current plane stay as they are.
    void ReloadKeyMap();
    const char16_t *CurrentPlane() const { return m_pCurPlane; }
    void SelectPlane();
    void SetModifiers(bool shift, bool caps, bool punct, bool umlaut);
    bool IsShift() const { return m_bShift; }
    bool IsCaps() const { return m_bCaps; }
    bool IsPunct() const { return m_bPunct; }
    bool IsUmlaut() const { return m_bUmlaut; }

    // Geometry in the current layout and direction.
    Rect GetKeyRect(KeyCode code, int slot) const;

    // Creates the screen image and the 8 x 8 placeholder (the composites are
    // made as the board is composed); false when memory for them cannot be had.
    bool CreateBoardImages();
    // Loads the skin named in the settings, then renders and composes the
    // board; false when not even the default skin could be made.
    bool RebuildBoard();

    // The label and watermark fonts, from the settings and the direction.
    void CreateKeyFonts();
    // Replaces all six skin images and the colours with the named skin's, or
    // with the default skin (after its message) when the file cannot be used.
    // False only when no skin images could be made at all. The setting
    // "Skin" is left as it is. The pad takes its four colours either way.
    bool LoadSkin(const std::u16string &name);
    bool DrawDefaultSkin();
    // Bakes the key faces and the watermark into the freshly loaded released
    // background, and the pressed faces into the pressed one when a key is
    // first shown pressed; run once after each LoadSkin.
    void RenderKeyFaces();
    // Puts the current plane's labels on the released composite and rebuilds
    // the screen image with the latched modifiers pressed. It does not repaint.
    void ComposeKeyboard();
    // Deletes the six skin images, with a box for each one that cannot go.
    void ReleaseSkinImages();

    // Copies a rectangle of the pressed or released composite into the screen
    // image (press feedback); the caller repaints it.
    void CopyFromComposite(const Rect &rect, bool pressed);

    const QImage &ScreenImage() const { return m_hBmpMem; }
    const QImage &ComposedUp() const { return m_hBmpMemUp; }
    // The pressed composite of the plane on screen, drawn when a key is first
    // shown pressed on it: the first paint shows only the released one.
    const QImage &ComposedDown();
    // A side menu command (WM_KBD_EXIT ...), run at once.
    void OnCommand(int message);
    // A pressed image of the default skin is drawn when first asked for.
    const QImage &SkinBitmap(SkinImage which);
    QSize ButtonSize() const { return m_sizeButton; }
    QSize EnterSize() const { return m_sizeEnter; }
    const SkinColors &GetSkinColors() const { return m_skinColors; }
    const PointFont &KeyFont() const { return m_fontKeys; }
    const PointFont &MarkFont() const { return m_fontMark; }

    // Turns a bitmap by 180 degrees in place.
    static void RotateBitmap180(QImage &bitmap);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    void customEvent(QEvent *event) override;

private:
    // A plane's two composites, kept so that switching planes back and forth
    // copies images instead of drawing every label again; the pressed one is
    // null until it is first needed.
    struct ComposedPlane {
        std::array<char16_t, kKeyMapCells> m_chCells{};
        QImage m_up;
        QImage m_down;
    };

    void LoadSettingsFromProfile();
    void SetUpKeyMap();
    void ResetBoardState();
    void FillSideMenu();

    int OnCreate();
    void CreateSideMenu();
    void CreatePad();
    Rect PadRect() const;
    Rect LineListRect() const;
    void SetPadFontFromSettings();
    // "Font Size" held to what both the labels and the pad can draw.
    int FontPoints() const;
    void TakeResourceFailurePath();
    // Stores the settings and rebuilds fonts, children, key map and board
    // from them.
    void ApplySettingsToBoard();
    QWidget *MainFrame() const;
    void RegisterBoardHotKey();
    void UnregisterBoardHotKey();
    void HandTextToView();
    void CloseApplication();
    static QRect ToQRect(const Rect &rect);
    void ReleaseImages(std::initializer_list<std::pair<QImage *, const char *>> images);

    void RePlane();
    void StartKeyRepeat(KeyCode code);
    void RepeatKey(KeyCode code);
    void ToggleSideMenu();
    void EnableClipboardItems();
    void RunWithWaitCursor(void (CTypePadWnd::*operation)());
    void ClearAllAfterAsking();

    bool LoadSkinImages(const std::u16string &name);
    static bool ReadSkinFile(std::istream &skin, const CImageDecoder &decoder, const QString &tempPath,
                             SkinColors &colors, std::array<QImage, kSkinImageCount> &images);
    void SetSkinImages(std::array<QImage, kSkinImageCount> &images);

    void PutKeyFaces(QImage &target, bool pressed, int layout, bool rightHanded);
    // Draws the default skin's pressed images and bakes the pressed faces
    // into the pressed background, each if it still waits.
    void MakePressedLook();
    void PutKeyLabel(QPainter &painter, const char16_t *plane, KeyCode code, int slot, bool pressed);
    void DrawWatermark(QImage &target);
    const ComposedPlane &ComposedPlaneFor(const char16_t *plane);
    ComposedPlane *ShownComposedPlane();
    const ComposedPlane *FindComposedPlane(const char16_t *plane) const;
    ComposedPlane DrawComposedPlane(const char16_t *plane);
    QImage DrawComposite(const QImage &background, const char16_t *plane, bool pressed);
    void ForgetComposedPlanes();

    QString SkinsFolder() const;

    Settings m_settings;
    KeyMap m_keyMap;
    char16_t *m_pPlanes[kKeyMapPlanes] = {};
    char16_t *m_pCurPlane = nullptr;
    bool m_bShift = false;
    bool m_bCaps = false;
    bool m_bPunct = false;
    bool m_bUmlaut = false;

    PointFont m_fontKeys;
    PointFont m_fontMark;

    // Screen image and the two composites (the handheld's memory bitmaps).
    QImage m_hBmpMem;
    QImage m_hBmpMemUp;
    QImage m_hBmpMemDown;
    QImage m_bmpPlaceholder;
    static inline bool s_bRefuseImages = false;
    // The skin: backgrounds (with the faces baked in once rendered) and faces.
    QImage m_hBmpUp;
    QImage m_hBmpDown;
    QImage m_hBmpButtonUp;
    QImage m_hBmpButtonDown;
    QImage m_hBmpEnterUp;
    QImage m_hBmpEnterDown;
    QSize m_sizeButton;
    QSize m_sizeEnter;
    SkinColors m_skinColors;
    // What of the pressed look waits for the first key shown pressed: the
    // default skin's pressed images (turned for the direction they were drawn
    // in) and the pressed faces (in the layout and direction they belong to).
    struct PendingPressedLook {
        bool m_bSkin = false;
        bool m_bSkinTurned = false;
        bool m_bFaces = false;
        int m_nFacesLayout = 0;
        bool m_bFacesRightHanded = true;
    };
    PendingPressedLook m_pending;

    std::vector<ComposedPlane> m_composedPlanes;
    int m_nComposedLayout = -1;
    bool m_bComposedRightHanded = true;

    KeyCode m_nPressedCode = -1;
    int m_nPressedIndex = 0;
    Rect m_rcPressed;
    KeyCode m_nRepeatCode = -1;
    // The stylus is down on the board: Qt follows the press of a quick second
    // tap with a double click, which must not press the key once more.
    bool m_bStylusDown = false;
    WindowTimers m_timers{this};

    CTypePadWnd m_wndPad;
    CSideMenuWnd m_wndSideMenu;
};
