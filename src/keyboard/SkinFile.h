#pragma once

#include <cstdint>
#include <filesystem>
#include <istream>
#include <string>
#include <string_view>

// The skin file (".kbskn"): seven colours, then six images, little-endian,
// with no magic number, version or checksum. Each colour is 4 bytes, a
// 0x00BBGGRR value. Each image is a 32-bit byte count N and N bytes of a
// complete image file; bytes after the sixth image are ignored. This file
// reads the pieces; decoding the images is the window's business.

inline constexpr int kSkinColorCount = 7;
inline constexpr int kSkinImageCount = 6;
// Images are copied in pieces of this size, so a huge length field never
// makes the program take memory for it.
inline constexpr std::size_t kSkinCopyChunk = 1024;

// The images in file order.
enum SkinImage {
    SI_BUTTON_UP = 0,
    SI_BUTTON_DOWN = 1,
    SI_ENTER_UP = 2,
    SI_ENTER_DOWN = 3,
    SI_BACKGROUND_UP = 4,
    SI_BACKGROUND_DOWN = 5,
};

// The skin's colours, 0x00BBGGRR, in file order: key labels released and
// pressed, the pad's text, selected text, background and selection
// background, and the watermark. The initial values are the default skin's.
struct SkinColors {
    std::uint32_t m_crLabelUp = 0x000000;
    std::uint32_t m_crLabelDown = 0xFFFFFF;
    std::uint32_t m_crText = 0x000000;
    std::uint32_t m_crSelText = 0xFFFFFF;
    std::uint32_t m_crBack = 0xFFFFFF;
    std::uint32_t m_crSelBack = 0x000000;
    std::uint32_t m_crMark = 0x808080;

    // The colour at a file position 0..6.
    std::uint32_t &InFileOrder(int index);

    bool operator==(const SkinColors &other) const = default;
};

// A skin name that stays one file inside the Skins folder: not empty, not
// "." or "..", free of '/', '\\' and NUL. Other names are never opened.
bool IsSafeSkinName(const std::u16string &name);

// Reads one 4-byte little-endian colour; false when fewer than 4 bytes remain.
bool ReadSkinColor(std::istream &skin, std::uint32_t &color);

// Copies the length-prefixed image at the skin file's position into the
// temporary file (created anew), leaving the skin file positioned after it.
// False when the temporary file cannot be written, the length cannot be read
// or the file holds fewer bytes than the length says.
bool ExtractSkinImage(std::istream &skin, const std::filesystem::path &tempPath);

// Reads the length-prefixed image at the skin file's position into memory,
// leaving the file positioned after it. False, with nothing taken for it,
// when the length cannot be read or runs past the end of the file.
bool ReadSkinImage(std::istream &skin, std::string &image);

// The pieces of a skin file, appended in file order by tools that make skins.
void AppendSkinColor(std::string &file, std::uint32_t color);
// False when the image is too long for its 32-bit length.
bool AppendSkinImage(std::string &file, std::string_view image);
