#include "keyboard/SkinFile.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <limits>

std::uint32_t &SkinColors::InFileOrder(int index)
{
    std::uint32_t *const order[kSkinColorCount] = {&m_crLabelUp, &m_crLabelDown, &m_crText, &m_crSelText,
                                                   &m_crBack,    &m_crSelBack,   &m_crMark};
    return *order[index];
}

namespace {
bool ReadUint32(std::istream &in, std::uint32_t &value)
{
    std::array<unsigned char, 4> bytes{};
    if (!in.read(reinterpret_cast<char *>(bytes.data()), bytes.size()))
        return false;
    value = std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 | std::uint32_t(bytes[2]) << 16 |
            std::uint32_t(bytes[3]) << 24;
    return true;
}

void AppendUint32(std::string &out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out += char(value >> shift & 0xFF);
}

// The bytes left after the read position, or -1 when the stream cannot say.
std::streamoff BytesLeft(std::istream &in)
{
    const std::streampos here = in.tellg();
    if (here == std::streampos(-1))
        return -1;
    in.seekg(0, std::ios::end);
    const std::streampos end = in.tellg();
    in.seekg(here);
    if (end == std::streampos(-1) || !in)
        return -1;
    return end - here;
}

bool CopyBytes(std::istream &skin, std::ofstream &temp, std::uint32_t length)
{
    // A length beyond the end of the file fails at once instead of after
    // copying everything that is there.
    const std::streamoff left = BytesLeft(skin);
    if (left >= 0 && std::streamoff(length) > left)
        return false;
    std::array<char, kSkinCopyChunk> chunk{};
    while (length > 0) {
        const std::size_t count = std::min<std::size_t>(length, chunk.size());
        if (!skin.read(chunk.data(), std::streamsize(count)))
            return false;
        if (!temp.write(chunk.data(), std::streamsize(count)))
            return false;
        length -= std::uint32_t(count);
    }
    return true;
}
}

bool IsSafeSkinName(const std::u16string &name)
{
    if (name.empty() || name == u"." || name == u"..")
        return false;
    return name.find_first_of(std::u16string_view(u"/\\\0", 3)) == std::u16string::npos;
}

bool ReadSkinColor(std::istream &skin, std::uint32_t &color)
{
    return ReadUint32(skin, color);
}

bool ExtractSkinImage(std::istream &skin, const std::filesystem::path &tempPath)
{
    std::ofstream temp(tempPath, std::ios::binary | std::ios::trunc);
    if (!temp)
        return false;
    std::uint32_t length = 0;
    if (!ReadUint32(skin, length))
        return false;
    if (!CopyBytes(skin, temp, length))
        return false;
    temp.close();
    return !temp.fail();
}

bool ReadSkinImage(std::istream &skin, std::string &image)
{
    std::uint32_t length = 0;
    if (!ReadUint32(skin, length))
        return false;
    const std::streamoff left = BytesLeft(skin);
    if (left < 0 || std::streamoff(length) > left)
        return false;
    std::string bytes(length, '\0');
    if (!skin.read(bytes.data(), std::streamsize(length)))
        return false;
    image = std::move(bytes);
    return true;
}

void AppendSkinColor(std::string &file, std::uint32_t color)
{
    AppendUint32(file, color);
}

bool AppendSkinImage(std::string &file, std::string_view image)
{
    if (image.size() > std::numeric_limits<std::uint32_t>::max())
        return false;
    AppendUint32(file, std::uint32_t(image.size()));
    file += image;
    return true;
}
