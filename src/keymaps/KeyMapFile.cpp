#include "keymaps/KeyMapFile.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>

namespace fs = std::filesystem;

namespace {
std::u16string DoesNotExist(const std::u16string &path)
{
    return u"The key map file -'" + path + u"' does not exist.  Using default key map.";
}

std::u16string CouldNotBeOpened(const std::u16string &path)
{
    return u"The key map file -'" + path + u"' could not be opened.  Using default key map.";
}

std::u16string NotValid(const std::u16string &path)
{
    return u"The key map file -'" + path + u"' is not a valid key map file. Using default key map.";
}

std::u16string CouldNotBeCreated(const std::u16string &path)
{
    return u"The key map file -'" + path + u"' could not be created.";
}

// Text that is not valid UTF-16 has no file system path.
std::optional<fs::path> ToPath(const std::u16string &text)
{
    try {
        return fs::path(text);
    } catch (...) {
        return std::nullopt;
    }
}

KeyMapFileResult ReadFailed(KeyMap &dest, std::u16string message)
{
    std::memcpy(dest.Bytes(), DefaultKeyMap().Bytes(), kKeyMapBytes);
    return {false, std::move(message)};
}

// Reads the whole map or nothing; never more than its 400 bytes, whatever the
// file's size.
bool ReadMapBytes(const fs::path &file, KeyMap &dest, bool &opened)
{
    std::ifstream in(file, std::ios::binary);
    opened = in.is_open();
    if (!opened)
        return false;
    KeyMap read;
    in.read(reinterpret_cast<char *>(read.Bytes()), kKeyMapBytes);
    if (in.gcount() != static_cast<std::streamsize>(kKeyMapBytes))
        return false;
    std::memcpy(dest.Bytes(), read.Bytes(), kKeyMapBytes);
    return true;
}

// Sits beside the target so the rename stays on one file system.
fs::path ScratchPathFor(const fs::path &file)
{
    fs::path scratch = file;
    scratch.replace_filename(u"." + file.filename().u16string() + u".writing");
    return scratch;
}

bool WriteMapBytes(const fs::path &file, const KeyMap &src)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out.is_open())
        return false;
    out.write(reinterpret_cast<const char *>(src.Bytes()), kKeyMapBytes);
    out.close();
    return !out.fail();
}

bool HasKeyMapExtension(const std::u16string &fileName)
{
    static constexpr std::u16string_view kExtension = u".kmap";
    if (fileName.size() < kExtension.size())
        return false;
    const std::u16string_view tail = std::u16string_view(fileName).substr(fileName.size() - kExtension.size());
    for (std::size_t i = 0; i < kExtension.size(); ++i) {
        const char16_t ch = (tail[i] >= u'A' && tail[i] <= u'Z') ? tail[i] - u'A' + u'a' : tail[i];
        if (ch != kExtension[i])
            return false;
    }
    return true;
}

std::optional<std::u16string> KeyMapNameOf(const fs::directory_entry &entry)
{
    std::error_code error;
    if (!entry.is_regular_file(error))
        return std::nullopt;
    try {
        std::u16string name = entry.path().filename().u16string();
        if (HasKeyMapExtension(name))
            return name;
    } catch (...) {
        // A file name that is not valid UTF-8 cannot be named in the program.
    }
    return std::nullopt;
}
}

std::u16string KeyMapsFolder(const std::u16string &programFolder)
{
    return programFolder + u"/KeyMaps";
}

bool IsSafeKeyMapName(const std::u16string &name)
{
    if (name.empty() || name == u"." || name == u"..")
        return false;
    return name.find_first_of(std::u16string_view(u"/\\\0", 3)) == std::u16string::npos;
}

KeyMapFileResult ReadKeyMapFile(KeyMap &dest, const std::u16string &path)
{
    if (path == kDefaultKeyMapName) {
        std::memcpy(dest.Bytes(), DefaultKeyMap().Bytes(), kKeyMapBytes);
        return {true, {}};
    }
    const std::optional<fs::path> file = ToPath(path);
    std::error_code error;
    const fs::file_status status = file ? fs::status(*file, error) : fs::file_status();
    if (!fs::exists(status))
        return ReadFailed(dest, DoesNotExist(path));
    // A folder, pipe or device is no map; opening a pipe could block for ever.
    if (!fs::is_regular_file(status))
        return ReadFailed(dest, CouldNotBeOpened(path));
    bool opened = false;
    if (!ReadMapBytes(*file, dest, opened))
        return ReadFailed(dest, opened ? NotValid(path) : CouldNotBeOpened(path));
    return {true, {}};
}

KeyMapFileResult WriteKeyMapFile(const KeyMap &src, const std::u16string &path)
{
    const std::optional<fs::path> file = ToPath(path);
    if (!file || !file->has_filename())
        return {false, CouldNotBeCreated(path)};
    const fs::path scratch = ScratchPathFor(*file);
    std::error_code error;
    if (!WriteMapBytes(scratch, src)) {
        fs::remove(scratch, error);
        return {false, CouldNotBeCreated(path)};
    }
    fs::rename(scratch, *file, error);
    if (error) {
        fs::remove(scratch, error);
        return {false, CouldNotBeCreated(path)};
    }
    return {true, {}};
}

KeyMapFileResult ReadKeyMapIn(KeyMap &dest, const std::u16string &folder, const std::u16string &name)
{
    if (name == kDefaultKeyMapName)
        return ReadKeyMapFile(dest, name);
    const std::u16string path = folder + u"/" + name;
    if (!IsSafeKeyMapName(name))
        return ReadFailed(dest, DoesNotExist(path));
    return ReadKeyMapFile(dest, path);
}

KeyMapFileResult WriteKeyMapIn(const KeyMap &src, const std::u16string &folder, const std::u16string &name)
{
    const std::u16string path = folder + u"/" + name;
    if (!IsSafeKeyMapName(name))
        return {false, CouldNotBeCreated(path)};
    // A program folder from before key maps, or one whose KeyMaps folder
    // was removed, gets the folder rather than losing the new map.
    if (const std::optional<fs::path> place = ToPath(folder)) {
        std::error_code ignored;
        fs::create_directories(*place, ignored);
    }
    return WriteKeyMapFile(src, path);
}

KeyMapFileResult LoadKeyMap(KeyMap &dest, const std::u16string &programFolder, const std::u16string &name)
{
    return ReadKeyMapIn(dest, KeyMapsFolder(programFolder), name);
}

std::vector<std::u16string> ListKeyMaps(const std::u16string &programFolder)
{
    std::vector<std::u16string> names{kDefaultKeyMapName};
    const std::optional<fs::path> folder = ToPath(KeyMapsFolder(programFolder));
    if (!folder)
        return names;
    std::error_code error;
    fs::directory_iterator it(*folder, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        if (std::optional<std::u16string> name = KeyMapNameOf(*it))
            names.push_back(std::move(*name));
    }
    return names;
}
