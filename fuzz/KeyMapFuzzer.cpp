// Key map files as the program reads them: any bytes as
// <program folder>/KeyMaps/Fuzz.kmap, read with ReadKeyMapFile and then by
// the keyboard window's own reload, whose characters are drawn as labels in
// all five planes. A file of at least 400 bytes is its first 400 bytes,
// whatever they hold; a shorter one is refused with a message and leaves the
// built-in map, never a half-read one.

#include "FuzzApplication.h"
#include "FuzzCheck.h"

#include "keyboard/KeyboardWnd.h"
#include "keymaps/KeyMapFile.h"

#include <QDir>

#include <cstdint>
#include <cstring>

namespace {
const QString kMapFile = QStringLiteral("Fuzz.kmap");

CKeyboardWnd *g_pWnd = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    QDir().mkpath(StartFuzzApplication().ProgramFolder() + QStringLiteral("/KeyMaps"));
    // One window for all inputs, as the program keeps one through every
    // change of key map.
    g_pWnd = new CKeyboardWnd;
    g_pWnd->GetSettings().m_strKeyMap = kMapFile.toStdU16String();
    FuzzCheck(g_pWnd->CreateBoardImages() && g_pWnd->DrawDefaultSkin(), "board and skin");
    g_pWnd->RenderKeyFaces();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    TestEnvironment &environment = StartFuzzApplication();
    const QString path = environment.WriteProgramFile(
        QStringLiteral("KeyMaps/") + kMapFile, QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    KeyMap map;
    std::memset(map.Bytes(), 0xA5, kKeyMapBytes);
    const KeyMapFileResult result = ReadKeyMapFile(map, path.toStdU16String());
    const bool bWhole = size >= kKeyMapBytes;
    FuzzCheck(result.m_bOk == bWhole && result.m_strMessage.empty() == bWhole, "a short file alone has a message");
    FuzzCheck(bWhole ? std::memcmp(map.Bytes(), data, kKeyMapBytes) == 0 : map == DefaultKeyMap(),
              "the map is the file's first 400 bytes, or the built-in one");

    environment.m_prompt.m_texts.clear();
    CKeyboardWnd &wnd = *g_pWnd;
    wnd.ReloadKeyMap();
    FuzzCheck(environment.m_prompt.m_texts.size() == (bWhole ? 0 : 1), "one message per refusal");
    FuzzCheck(wnd.GetKeyMap() == map, "the window reads what the reader reads");
    // Every plane the modifiers can pick (none, Shift, Punct, Umlaut, Caps +
    // Umlaut), each drawn onto the board.
    for (const int latch : {0, 1, 4, 8, 10}) {
        wnd.SetModifiers(latch & 1, latch & 2, latch & 4, latch & 8);
        wnd.ComposeKeyboard();
    }
    wnd.SetModifiers(false, false, false, false);
    FuzzCheck(wnd.ScreenImage().size() == QSize(CKeyboardWnd::kScreenWidth, CKeyboardWnd::kScreenHeight),
              "screen image fills the board");
    return 0;
}
