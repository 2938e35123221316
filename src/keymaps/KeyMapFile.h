#pragma once

#include "keyboard/KeyMap.h"

#include <string>
#include <vector>

// Key map files: the 400 bytes of a KeyMap with nothing around them, stored as
// <name>.kmap in the KeyMaps folder of the program folder. The built-in map is
// not a file; it goes by the reserved name below.
//
// The model shows no message boxes: each operation hands back the text to
// show, and the caller shows it. Nothing here throws.

inline constexpr char16_t kDefaultKeyMapName[] = u"Default Key Map";

struct KeyMapFileResult {
    bool m_bOk = false;
    // The message box text; empty when there is nothing to show.
    std::u16string m_strMessage;
};

// program folder + "/KeyMaps"; the program folder has no trailing separator.
std::u16string KeyMapsFolder(const std::u16string &programFolder);

// A name that stays one file inside its folder: not empty, not "." or "..",
// and free of '/', '\\' and NUL. Any other name is never turned into a path.
bool IsSafeKeyMapName(const std::u16string &name);

// Reads the first 400 bytes of the file at path into dest. The reserved name
// copies the built-in map instead. On any failure dest holds the built-in map,
// so a half-read map is never left in use.
KeyMapFileResult ReadKeyMapFile(KeyMap &dest, const std::u16string &path);

// Writes the 400 bytes of src to path, replacing the file as a whole: the bytes
// go to a scratch file beside it first, so a failed write leaves any earlier
// map as it was.
KeyMapFileResult WriteKeyMapFile(const KeyMap &src, const std::u16string &path);

// The same two operations for the map called name in folder. A name that is
// not safe fails as a file that does not exist or cannot be created.
KeyMapFileResult ReadKeyMapIn(KeyMap &dest, const std::u16string &folder, const std::u16string &name);
KeyMapFileResult WriteKeyMapIn(const KeyMap &src, const std::u16string &folder, const std::u16string &name);

// Loads the map the setting "Key Map" names: the built-in one for the
// reserved name (exact, case-sensitive; no file is looked at), otherwise the
// file of that name in the KeyMaps folder.
KeyMapFileResult LoadKeyMap(KeyMap &dest, const std::u16string &programFolder, const std::u16string &name);

// "Default Key Map", then the name of every .kmap file (extension in any
// letter case) in the KeyMaps folder, in the order the file system gives
// them. A missing folder just leaves the first entry.
std::vector<std::u16string> ListKeyMaps(const std::u16string &programFolder);
