#include "keymaps/KeyMapName.h"

#include "keymaps/KeyMapFile.h"

#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>

namespace {
constexpr std::u16string_view kExtension = u".kmap";

char16_t LowerAscii(char16_t ch)
{
    return (ch >= u'A' && ch <= u'Z') ? static_cast<char16_t>(ch - u'A' + u'a') : ch;
}

bool EndsWithExtension(std::u16string_view name)
{
    if (name.size() < kExtension.size())
        return false;
    const std::u16string_view tail = name.substr(name.size() - kExtension.size());
    for (std::size_t i = 0; i < kExtension.size(); ++i) {
        if (LowerAscii(tail[i]) != kExtension[i])
            return false;
    }
    return true;
}
}

std::u16string CompleteKeyMapName(const std::u16string &typed)
{
    if (!IsSafeKeyMapName(typed))
        return {};
    return EndsWithExtension(typed) ? typed : typed + std::u16string(kExtension);
}

bool PrepareKeyMapFile(const std::u16string &folder, const std::u16string &name)
{
    if (!IsSafeKeyMapName(name))
        return false;
    try {
        const std::filesystem::path path(folder + u"/" + name);
        // A program folder may have no KeyMaps folder yet (one the user made
        // or emptied): the first new map makes it, rather than turn the
        // name down and lose the map being made. Only that one folder is made.
        std::error_code error;
        std::filesystem::create_directory(std::filesystem::path(folder), error);
        // A folder, pipe or device of that name is no place for a map; opening
        // a pipe for writing could block for ever.
        const std::filesystem::file_status status = std::filesystem::status(path, error);
        if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
            return false;
        // Appending creates a missing file and leaves an existing one whole,
        // so a failed write later never costs the user the old map.
        std::ofstream file(path, std::ios::binary | std::ios::app);
        return file.is_open();
    } catch (...) {
        // Text that is not valid UTF-16 has no path.
        return false;
    }
}
