// Skin files as the keyboard window reads them: any bytes as
// <program folder>/Skins/Fuzz.kbskn, loaded and the key faces baked into the
// backgrounds, as a change of skin does it. (Labels are drawn the same on any
// skin; the key map target draws them.) A file the window takes must give it
// a whole board; a file it refuses must leave the default skin after exactly
// the one message.

#include "FuzzApplication.h"
#include "FuzzCheck.h"

#include "keyboard/KeyboardWnd.h"

#include <QDir>

#include <cstdint>

namespace {
const QString kSkinFile = QStringLiteral("Fuzz.kbskn");
const QString kInvalid =
    QStringLiteral("The selected file - 'Fuzz.kbskn' is not a valid skin file.  Using the default skin.");

CKeyboardWnd *g_pWnd = nullptr;

void CheckSkin(CKeyboardWnd &wnd, const QStringList &texts)
{
    const QSize board(CKeyboardWnd::kScreenWidth, CKeyboardWnd::kScreenHeight);
    FuzzCheck(wnd.SkinBitmap(SI_BACKGROUND_UP).size() == board && wnd.SkinBitmap(SI_BACKGROUND_DOWN).size() == board,
              "both backgrounds fill the board");
    if (!texts.isEmpty()) {
        FuzzCheck(texts.size() == 1 && texts.front() == kInvalid, "a refused skin says so once");
        FuzzCheck(wnd.ButtonSize() == QSize(38, 28) && wnd.EnterSize() == QSize(74, 28), "default skin's faces");
        FuzzCheck(wnd.GetSkinColors() == SkinColors(), "default skin's colours");
        return;
    }
    for (int i = 0; i < kSkinImageCount; ++i)
        FuzzCheck(!wnd.SkinBitmap(SkinImage(i)).isNull(), "every image of a taken skin is there");
    FuzzCheck(wnd.ButtonSize() == wnd.SkinBitmap(SI_BUTTON_UP).size(), "key size is the key face's");
    FuzzCheck(wnd.EnterSize() == wnd.SkinBitmap(SI_ENTER_UP).size(), "Enter size is the Enter face's");
}
}

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    QDir().mkpath(StartFuzzApplication().ProgramFolder() + QStringLiteral("/Skins"));
    // Lives as long as the process: one window for all inputs, as the program
    // keeps one window through every change of skin.
    g_pWnd = new CKeyboardWnd;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    TestEnvironment &environment = StartFuzzApplication();
    environment.WriteProgramFile(QStringLiteral("Skins/") + kSkinFile,
                                 QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    environment.m_prompt.m_texts.clear();
    CKeyboardWnd &wnd = *g_pWnd;
    // Both hands: a left-handed board turns every image, so the length's
    // parity picks the direction.
    const unsigned char bRightHanded = size % 2 == 0 ? 1 : 0;
    if (wnd.GetSettings().m_bRightHanded != bRightHanded) {
        wnd.GetSettings().m_bRightHanded = bRightHanded;
        wnd.CreateKeyFonts();
    }
    FuzzCheck(wnd.LoadSkin(kSkinFile.toStdU16String()), "some skin is always had");
    FuzzCheck(environment.m_waitCursor.Depth() == 0, "wait cursor ended");
    CheckSkin(wnd, environment.m_prompt.m_texts);
    wnd.RenderKeyFaces();
    return 0;
}
