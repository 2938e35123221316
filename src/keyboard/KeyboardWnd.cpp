#include "keyboard/KeyboardWnd.h"

#include "keyboard/DefaultSkin.h"
#include "keyboard/ImageDecoder.h"
#include "keymaps/KeyMapFile.h"
#include "platform/ImageCopy.h"
#include "platform/IniProfile.h"
#include "platform/Platform.h"
#include "platform/ProgramFolder.h"
#include "platform/ResizedFace.h"
#include "platform/TextDraw.h"
#include "platform/WaitCursor.h"

#include <QFile>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

namespace {
constexpr char16_t kDefaultSkinName[] = u"Default Skin";

// A folder opens and reads as nothing, and a pipe or device would block the
// program for ever: only regular files (or links to one) are skins.
bool IsRegularFile(const QString &path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(std::filesystem::path(path.toStdU16String()), error);
}

// The scratch file is made anew for each image; a pipe of its name would
// block the writing and a link would lead it elsewhere, so they go first. A
// folder stays, and the writing then fails as it would on the handheld.
bool ClearScratchFile(const QString &path)
{
    namespace fs = std::filesystem;
    const fs::path scratch(path.toStdU16String());
    std::error_code error;
    const fs::file_status status = fs::symlink_status(scratch, error);
    if (!fs::exists(status) || fs::is_regular_file(status) || fs::is_directory(status))
        return true;
    return fs::remove(scratch, error);
}

bool KeyHasFace(KeyCode code)
{
    return code == KC_ENTER || KeyHasLabel(code);
}

// A bitmap that is being drawn on cannot be let go; it stays, and the caller
// says so and carries on.
bool DeleteObject(QImage &bitmap)
{
    if (bitmap.paintingActive())
        return false;
    bitmap = QImage();
    return true;
}
}

QRect CKeyboardWnd::ToQRect(const Rect &rect)
{
    return QRect(rect.left, rect.top, rect.Width(), rect.Height());
}

void CKeyboardWnd::ReleaseImages(std::initializer_list<std::pair<QImage *, const char *>> images)
{
    for (const auto &[image, name] : images)
        if (!image->isNull() && !DeleteObject(*image))
            Platform::MessageBox(QStringLiteral("DeleteObject %1 failed").arg(QLatin1String(name)));
}

CKeyboardWnd::CKeyboardWnd(QWidget *parent) : QWidget(parent)
{
    LoadSettingsFromProfile();
    CreateKeyFonts();
    ResetBoardState();
    FillSideMenu();
    SetUpKeyMap();
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(kScreenWidth, kScreenHeight);
}

void CKeyboardWnd::LoadSettingsFromProfile()
{
    const IniProfile profile(IniProfile::PreferencesPath());
    LoadSettings(m_settings, profile);
    m_settings.m_strProgramFolder = ProgramFolder().toStdU16String();
}

void CKeyboardWnd::ReloadKeyMap()
{
    const KeyMapFileResult result = LoadKeyMap(m_keyMap, m_settings.m_strProgramFolder, m_settings.m_strKeyMap);
    if (!result.m_strMessage.empty())
        Platform::MessageBox(QString::fromStdU16String(result.m_strMessage));
}

void CKeyboardWnd::SetUpKeyMap()
{
    ReloadKeyMap();
    for (int plane = 0; plane < kKeyMapPlanes; ++plane)
        m_pPlanes[plane] = m_keyMap.Plane(plane);
    m_pCurPlane = m_pPlanes[kPlaneNormal];
}

void CKeyboardWnd::ResetBoardState()
{
    m_bShift = m_bCaps = m_bPunct = m_bUmlaut = false;
    m_skinColors = SkinColors();
}

void CKeyboardWnd::SelectPlane()
{
    m_pCurPlane = m_pPlanes[::SelectPlane(m_bShift, m_bCaps, m_bPunct, m_bUmlaut)];
}

void CKeyboardWnd::SetModifiers(bool shift, bool caps, bool punct, bool umlaut)
{
    m_bShift = shift;
    m_bCaps = caps;
    m_bPunct = punct;
    m_bUmlaut = umlaut;
    SelectPlane();
}

Rect CKeyboardWnd::GetKeyRect(KeyCode code, int slot) const
{
    return ::GetKeyRect(code, slot, m_settings.m_nKeyLayout, m_settings.m_bRightHanded != 0);
}

int CKeyboardWnd::FontPoints() const
{
    return std::clamp(m_settings.m_nFontSize, 1, kLargestFontPoints);
}

void CKeyboardWnd::CreateKeyFonts()
{
    m_fontKeys.Delete();
    m_fontMark.Delete();
    const int escapement = m_settings.m_bRightHanded ? 900 : 2700;
    MakePointFont(m_fontKeys, QString::fromStdU16String(m_settings.m_strFontName), FontPoints(), true, false, false,
                  false, escapement, escapement);
    MakePointFont(m_fontMark, QStringLiteral("Tahoma"), 8.0, true, false, false, false, escapement, escapement);
    ForgetComposedPlanes();
}

bool CKeyboardWnd::CreateBoardImages()
{
    for (QImage *image : {&m_hBmpMem, &m_bmpPlaceholder}) {
        const QSize size = image == &m_bmpPlaceholder ? QSize(8, 8) : QSize(kScreenWidth, kScreenHeight);
        *image = s_bRefuseImages ? QImage() : QImage(size, QImage::Format_RGB32);
        if (image->isNull())
            return false;
    }
    // The screen image's pixels are left untouched (and so cost no memory)
    // until the board is composed, before it is first shown: composing makes
    // it the released composite itself.
    m_bmpPlaceholder.fill(Qt::black);
    return true;
}

bool CKeyboardWnd::RebuildBoard()
{
    if (!LoadSkin(m_settings.m_strSkin))
        return false;
    RenderKeyFaces();
    ComposeKeyboard();
    return true;
}

QString CKeyboardWnd::SkinsFolder() const
{
    return QString::fromStdU16String(m_settings.m_strProgramFolder) + QStringLiteral("/Skins");
}

const QImage &CKeyboardWnd::SkinBitmap(SkinImage which)
{
    if (which == SI_BUTTON_DOWN || which == SI_ENTER_DOWN || which == SI_BACKGROUND_DOWN)
        MakePressedLook();
    const QImage *const images[kSkinImageCount] = {&m_hBmpButtonUp, &m_hBmpButtonDown, &m_hBmpEnterUp,
                                                   &m_hBmpEnterDown, &m_hBmpUp,         &m_hBmpDown};
    return *images[which];
}

void CKeyboardWnd::ReleaseSkinImages()
{
    ReleaseImages({
        {&m_hBmpButtonDown, "m_hBmpButtonDown"}, {&m_hBmpButtonUp, "m_hBmpButtonUp"},
        {&m_hBmpDown, "m_hBmpDown"},             {&m_hBmpUp, "m_hBmpUp"},
        {&m_hBmpEnterDown, "m_hBmpEnterDown"},   {&m_hBmpEnterUp, "m_hBmpEnterUp"},
    });
    m_pending = PendingPressedLook();
    ForgetComposedPlanes();
}

void CKeyboardWnd::SetSkinImages(std::array<QImage, kSkinImageCount> &images)
{
    if (!m_settings.m_bRightHanded)
        for (QImage &image : images)
            RotateBitmap180(image);
    m_hBmpButtonUp = std::move(images[SI_BUTTON_UP]);
    m_hBmpButtonDown = std::move(images[SI_BUTTON_DOWN]);
    m_hBmpEnterUp = std::move(images[SI_ENTER_UP]);
    m_hBmpEnterDown = std::move(images[SI_ENTER_DOWN]);
    m_hBmpUp = std::move(images[SI_BACKGROUND_UP]);
    m_hBmpDown = std::move(images[SI_BACKGROUND_DOWN]);
    m_sizeButton = m_hBmpButtonUp.size();
    m_sizeEnter = m_hBmpEnterUp.size();
    ForgetComposedPlanes();
}

bool CKeyboardWnd::LoadSkin(const std::u16string &name)
{
    const bool loaded = LoadSkinImages(name);
    m_wndPad.SetColors(m_skinColors.m_crText, m_skinColors.m_crSelText, m_skinColors.m_crBack,
                       m_skinColors.m_crSelBack);
    return loaded;
}

bool CKeyboardWnd::LoadSkinImages(const std::u16string &name)
{
    if (name == kDefaultSkinName)
        return DrawDefaultSkin();
    WaitCursor &cursor = Platform::GetWaitCursor();
    cursor.Begin();
    ReleaseSkinImages();
    const QString skinName = QString::fromStdU16String(name);
    const QString skinPath = SkinsFolder() + QLatin1Char('/') + skinName;
    const QString tempPath = SkinsFolder() + QStringLiteral("/tempFile");
    const CImageDecoder decoder;
    std::ifstream skin;
    if (IsSafeSkinName(name) && IsRegularFile(skinPath) && ClearScratchFile(tempPath))
        skin.open(std::filesystem::path(skinPath.toStdU16String()), std::ios::binary);
    if (!skin.is_open()) {
        cursor.End();
        Platform::MessageBox(QStringLiteral("The skin file - '") + skinName +
                             QStringLiteral("' could not be loaded.  Using the default skin."));
        return DrawDefaultSkin();
    }
    SkinColors colors;
    std::array<QImage, kSkinImageCount> images;
    if (!ReadSkinFile(skin, decoder, tempPath, colors, images)) {
        cursor.End();
        Platform::MessageBox(QStringLiteral("The selected file - '") + skinName +
                             QStringLiteral("' is not a valid skin file.  Using the default skin."));
        return DrawDefaultSkin();
    }
    QFile::remove(tempPath);
    m_skinColors = colors;
    SetSkinImages(images);
    cursor.End();
    return true;
}

bool CKeyboardWnd::ReadSkinFile(std::istream &skin, const CImageDecoder &decoder, const QString &tempPath,
                                SkinColors &colors, std::array<QImage, kSkinImageCount> &images)
{
    for (int i = 0; i < kSkinColorCount; ++i)
        if (!ReadSkinColor(skin, colors.InFileOrder(i)))
            return false;
    const std::filesystem::path temp(tempPath.toStdU16String());
    const QSize board(kScreenWidth, kScreenHeight);
    for (int i = 0; i < kSkinImageCount; ++i) {
        if (!ExtractSkinImage(skin, temp) || !decoder.DecodeImageFile(tempPath, images[i]))
            return false;
        // Backgrounds are copied whole onto the board, so nothing else fits.
        const bool background = i == SI_BACKGROUND_UP || i == SI_BACKGROUND_DOWN;
        if (background && images[i].size() != board)
            return false;
    }
    return true;
}

bool CKeyboardWnd::DrawDefaultSkin()
{
    WaitCursor &cursor = Platform::GetWaitCursor();
    cursor.Begin();
    ReleaseSkinImages();
    m_skinColors = SkinColors();
    std::array<QImage, kSkinImageCount> images;
    if (!PaintDefaultSkin(images, m_skinColors, m_fontKeys, false)) {
        cursor.End();
        return false;
    }
    SetSkinImages(images);
    // The start shows only the released look; the pressed one is drawn when
    // a key is first shown pressed.
    m_pending.m_bSkin = true;
    m_pending.m_bSkinTurned = !m_settings.m_bRightHanded;
    cursor.End();
    return true;
}

void CKeyboardWnd::MakePressedLook()
{
    if (std::exchange(m_pending.m_bSkin, false)) {
        std::array<QImage, kSkinImageCount> images;
        // Without memory for them the pressed key shows its labels on black.
        if (PaintDefaultSkin(images, m_skinColors, m_fontKeys, true)) {
            for (QImage &image : images)
                if (m_pending.m_bSkinTurned)
                    RotateBitmap180(image);
            m_hBmpButtonDown = std::move(images[SI_BUTTON_DOWN]);
            m_hBmpEnterDown = std::move(images[SI_ENTER_DOWN]);
            m_hBmpDown = std::move(images[SI_BACKGROUND_DOWN]);
        }
    }
    if (std::exchange(m_pending.m_bFaces, false) && !m_hBmpDown.isNull())
        PutKeyFaces(m_hBmpDown, true, m_pending.m_nFacesLayout, m_pending.m_bFacesRightHanded);
}

void CKeyboardWnd::RotateBitmap180(QImage &bitmap)
{
    if (bitmap.isNull())
        return;
    const int width = bitmap.width();
    const int height = bitmap.height();
    // Turned through 24-bit images, as the handheld turns device-independent
    // bitmaps; the result goes back to 32 bits so that copies stay plain.
    const QImage source = bitmap.convertToFormat(QImage::Format_RGB888);
    QImage result(width, height, QImage::Format_RGB888);
    if (source.isNull() || result.isNull())
        return;
    for (int y = 0; y < height; ++y) {
        const uchar *from = source.constScanLine(y);
        uchar *to = result.scanLine(height - 1 - y);
        for (int x = 0; x < width; ++x)
            std::copy_n(from + 3 * x, 3, to + 3 * (width - 1 - x));
    }
    bitmap = result.convertToFormat(QImage::Format_RGB32);
}

void CKeyboardWnd::PutKeyFaces(QImage &target, bool pressed, int layout, bool rightHanded)
{
    for (int slot = 0; slot < kKeySlotCount; ++slot) {
        const KeyCode code = KeyCodeOfIndex(slot);
        if (!KeyHasFace(code))
            continue;
        const bool enter = code == KC_ENTER;
        const QImage &face = enter ? (pressed ? m_hBmpEnterDown : m_hBmpEnterUp)
                                   : (pressed ? m_hBmpButtonDown : m_hBmpButtonUp);
        const QSize size = enter ? m_sizeEnter : m_sizeButton;
        const Rect cell = ::GetKeyRect(code, slot, layout, rightHanded);
        const Point origin = CentredImageOrigin(cell, size.width(), size.height());
        TransparentImage(target, origin.x, origin.y, face, 0, 0, size.width(), size.height());
    }
}

void CKeyboardWnd::DrawWatermark(QImage &target)
{
    QPainter painter(&target);
    painter.setPen(ColorFromRef(m_skinColors.m_crMark));
    const bool rightHanded = m_settings.m_bRightHanded != 0;
    Point origin = WatermarkOrigin(m_settings.m_nKeyLayout, rightHanded);
    // The mark's face is the labels' own at the default settings, so it is
    // drawn through the labels' engine then.
    const ResizedFace face(m_fontMark, m_fontKeys);
    // The Flat point leaves the word a hair too little room before the
    // screen's edge; it is moved in just enough for the word to stay whole.
    const QString mark = QStringLiteral("vorlane");
    const int length = face.Width(mark) + 1;
    origin.y = rightHanded ? std::max(origin.y, length) : std::min(origin.y, kScreenHeight - length);
    face.Draw(painter, origin.x, origin.y, mark);
}

void CKeyboardWnd::RenderKeyFaces()
{
    if (m_hBmpUp.isNull() || (m_hBmpDown.isNull() && !m_pending.m_bSkin))
        return;
    const int layout = m_settings.m_nKeyLayout;
    const bool rightHanded = m_settings.m_bRightHanded != 0;
    PutKeyFaces(m_hBmpUp, false, layout, rightHanded);
    // Only the released background: a pressed key never shows the mark.
    DrawWatermark(m_hBmpUp);
    // The pressed faces go onto the pressed background, in this layout and
    // direction, when a key is first shown pressed.
    m_pending.m_bFaces = true;
    m_pending.m_nFacesLayout = layout;
    m_pending.m_bFacesRightHanded = rightHanded;
    ForgetComposedPlanes();
}

void CKeyboardWnd::PutKeyLabel(QPainter &painter, const char16_t *plane, KeyCode code, int slot, bool pressed)
{
    const std::optional<char16_t> character = KeyCharacter(plane, code);
    if (!character || !KeyHasLabel(code))
        return;
    const QString text{QChar(*character)};
    const int cx = TextWidth(m_fontKeys, text);
    const int cy = QFontMetrics(m_fontKeys.Font()).height();
    const Point origin = LabelOrigin(GetKeyRect(code, slot), cx, cy, m_settings.m_bRightHanded != 0);
    painter.setPen(ColorFromRef(pressed ? m_skinColors.m_crLabelDown : m_skinColors.m_crLabelUp));
    ExtTextOut(painter, origin.x, origin.y, m_fontKeys, text);
}

QImage CKeyboardWnd::DrawComposite(const QImage &background, const char16_t *plane, bool pressed)
{
    QImage composite(kScreenWidth, kScreenHeight, QImage::Format_RGB32);
    composite.fill(Qt::black);
    BitBlt(composite, composite.rect(), background);
    QPainter painter(&composite);
    for (int slot = 0; slot < kKeySlotCount; ++slot)
        PutKeyLabel(painter, plane, KeyCodeOfIndex(slot), slot, pressed);
    return composite;
}

void CKeyboardWnd::ForgetComposedPlanes()
{
    m_composedPlanes.clear();
}

const CKeyboardWnd::ComposedPlane &CKeyboardWnd::ComposedPlaneFor(const char16_t *plane)
{
    const int layout = EffectiveKeyLayout(m_settings.m_nKeyLayout);
    const bool rightHanded = m_settings.m_bRightHanded != 0;
    if (layout != m_nComposedLayout || rightHanded != m_bComposedRightHanded) {
        ForgetComposedPlanes();
        m_nComposedLayout = layout;
        m_bComposedRightHanded = rightHanded;
    }
    if (const ComposedPlane *composed = FindComposedPlane(plane))
        return *composed;
    // Each plane is drawn when it is first shown and kept from then on: the
    // start draws one plane, not five, and only the first change to a plane
    // draws its labels. Planes of a key map read again since are let go.
    std::erase_if(m_composedPlanes, [this](const ComposedPlane &composed) {
        return std::none_of(std::begin(m_pPlanes), std::end(m_pPlanes), [&composed](const char16_t *current) {
            return std::equal(composed.m_chCells.begin(), composed.m_chCells.end(), current);
        });
    });
    m_composedPlanes.push_back(DrawComposedPlane(plane));
    return m_composedPlanes.back();
}

const CKeyboardWnd::ComposedPlane *CKeyboardWnd::FindComposedPlane(const char16_t *plane) const
{
    // Planes are told apart by what they show, so a key map read again in
    // place never brings back the labels of the old one.
    for (const ComposedPlane &composed : m_composedPlanes)
        if (std::equal(composed.m_chCells.begin(), composed.m_chCells.end(), plane))
            return &composed;
    return nullptr;
}

CKeyboardWnd::ComposedPlane CKeyboardWnd::DrawComposedPlane(const char16_t *plane)
{
    ComposedPlane composed;
    std::copy_n(plane, kKeyMapCells, composed.m_chCells.begin());
    composed.m_up = DrawComposite(m_hBmpUp, plane, false);
    return composed;
}

void CKeyboardWnd::ComposeKeyboard()
{
    const ComposedPlane &composed = ComposedPlaneFor(m_pCurPlane);
    // The composites are only ever read (press feedback copies from them), so
    // they share the kept images instead of copying them.
    m_hBmpMemUp = composed.m_up;
    m_hBmpMemDown = composed.m_down;
    // The screen image shares the released composite's pixels until a key is
    // shown pressed: the first copy into it gives it pixels of its own.
    m_hBmpMem = m_hBmpMemUp;
    if (m_bUmlaut)
        CopyFromComposite(GetKeyRect(KC_UMLAUT, 59), true);
    if (m_bPunct)
        CopyFromComposite(GetKeyRect(KC_PUNCT, 58), true);
    if (m_bCaps)
        CopyFromComposite(GetKeyRect(KC_CAPS, 57), true);
    if (m_bShift)
        CopyFromComposite(GetKeyRect(KC_SHIFT, 52), true);
}

void CKeyboardWnd::CopyFromComposite(const Rect &rect, bool pressed)
{
    BitBlt(m_hBmpMem, ToQRect(rect), pressed ? ComposedDown() : m_hBmpMemUp);
}

const QImage &CKeyboardWnd::ComposedDown()
{
    if (m_hBmpMemDown.isNull()) {
        if (ComposedPlane *shown = ShownComposedPlane()) {
            if (shown->m_down.isNull()) {
                MakePressedLook();
                shown->m_down = DrawComposite(m_hBmpDown, shown->m_chCells.data(), true);
            }
            m_hBmpMemDown = shown->m_down;
        }
    }
    return m_hBmpMemDown;
}

CKeyboardWnd::ComposedPlane *CKeyboardWnd::ShownComposedPlane()
{
    if (m_hBmpMemUp.isNull())
        return nullptr;
    for (ComposedPlane &composed : m_composedPlanes)
        if (composed.m_up.cacheKey() == m_hBmpMemUp.cacheKey())
            return &composed;
    return nullptr;
}

void CKeyboardWnd::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    if (m_hBmpMem.isNull()) {
        painter.fillRect(event->rect(), Qt::black);
        return;
    }
    PaintImage(painter, event->region(), QPoint(0, 0), m_hBmpMem);
}
