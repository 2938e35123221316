// Writes the seed corpora of the fuzz targets: fuzz_seeds <folder> fills
// <folder>/skin, keymap, lastused, padtext and hexnumber with good inputs of
// each kind the program meets and a few just beside them (cut short, one byte
// over, odd lengths, odd characters). Every image put into a skin must decode
// here first, so the good skins really are good and fuzzing starts from files
// the window takes.

#include "app/LastUsedText.h"
#include "keyboard/KeyMap.h"
#include "keyboard/SkinFileBuilder.h"

#include <QGuiApplication>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <utility>

namespace fs = std::filesystem;

namespace {
bool WriteSeed(const fs::path &folder, const char *name, const QByteArray &bytes)
{
    std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.constData(), bytes.size());
    return bool(out);
}

// A text literal with every unit in it, NULs included.
template <std::size_t N>
std::u16string_view Spelled(const char16_t (&text)[N])
{
    return {text, N - 1};
}

QByteArray LittleEndian16(unsigned value)
{
    const char bytes[2] = {char(value & 0xFF), char(value >> 8 & 0xFF)};
    return QByteArray(bytes, 2);
}

QByteArray Units(std::u16string_view text)
{
    QByteArray bytes;
    for (const char16_t unit : text)
        bytes += LittleEndian16(unit);
    return bytes;
}

// An 8-bit BMP compressed with RLE8 in bands of two colours: a full-size
// background in little more than a kilobyte.
QByteArray RunLengthBmp(int width, int height)
{
    QByteArray pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; x += 255) {
            pixels += char(std::min(255, width - x));
            pixels += char(y / 16 % 2);
        }
        pixels += QByteArray("\0\0", 2); // end of line
    }
    pixels += QByteArray("\0\1", 2); // end of bitmap
    const int offset = 14 + 40 + 2 * 4;
    QByteArray bytes = "BM" + LittleEndian32(std::uint32_t(offset + pixels.size())) + LittleEndian32(0) +
                       LittleEndian32(offset);
    bytes += LittleEndian32(40) + LittleEndian32(std::uint32_t(width)) + LittleEndian32(std::uint32_t(height));
    bytes += LittleEndian16(1) + LittleEndian16(8) + LittleEndian32(1) + LittleEndian32(std::uint32_t(pixels.size()));
    bytes += LittleEndian32(2835) + LittleEndian32(2835) + LittleEndian32(2) + LittleEndian32(0);
    bytes += QByteArray("\x40\x20\x10\0\xF0\xE0\xD0\0", 8); // palette, blue green red unused
    return bytes + pixels;
}

// One black pixel: no GIF writer is at hand, so the bytes are spelled out
// (LZW with a 2-bit minimum code size: clear, 0, end).
QByteArray OnePixelGif()
{
    return QByteArray("GIF89a\1\0\1\0\x80\0\0"
                      "\0\0\0\xFF\xFF\xFF"
                      "\x2C\0\0\0\0\1\0\1\0\0"
                      "\2\2\x44\1\0\x3B",
                      35);
}

QByteArray IndexedPng(int width, int height)
{
    QImage image(width, height, QImage::Format_Indexed8);
    image.setColorTable({qRgb(250, 250, 250), qRgb(255, 0, 255), qRgb(20, 60, 200)});
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, uint((x + y) % 3));
    return ImageFileBytes(image, "PNG");
}

bool AllDecode(const SkinParts &parts)
{
    for (const QByteArray &image : parts.images)
        if (image.isEmpty() || QImage::fromData(image).isNull())
            return false;
    return true;
}

bool WriteSkinSeeds(const fs::path &folder)
{
    SkinParts plain;
    plain.images = {ImageFileBytes(SolidImage(8, 6, qRgb(200, 10, 10), true), "PNG"),
                    ImageFileBytes(SolidImage(8, 6, qRgb(10, 200, 10), true), "BMP"),
                    IndexedPng(16, 6),
                    ImageFileBytes(SolidImage(16, 6, qRgb(200, 200, 10), true), "BMP"),
                    ImageFileBytes(SolidImage(240, 320, qRgb(40, 40, 90)), "PNG"),
                    ImageFileBytes(SolidImage(240, 320, qRgb(90, 40, 40)), "PNG")};
    SkinParts compressed = plain;
    compressed.images[0] = OnePixelGif();
    compressed.images[1] = ImageFileBytes(SolidImage(8, 6, qRgb(10, 10, 200)), "JPEG");
    compressed.images[4] = compressed.images[5] = RunLengthBmp(240, 320);
    SkinParts shortBackground = plain;
    shortBackground.images[5] = ImageFileBytes(SolidImage(240, 319, qRgb(90, 40, 40)), "PNG");
    if (!AllDecode(plain) || !AllDecode(compressed) || !AllDecode(shortBackground))
        return false;
    const QByteArray good = plain.Bytes();
    SkinParts colorsOnly = plain;
    colorsOnly.images.clear();
    // The length's parity picks the hand: one byte more is the other one.
    return WriteSeed(folder, "png-bmp.kbskn", good) && WriteSeed(folder, "other-hand.kbskn", good + "!") &&
           WriteSeed(folder, "gif-jpeg-rle.kbskn", compressed.Bytes()) &&
           WriteSeed(folder, "cut-short.kbskn", good.left(good.size() / 2)) &&
           WriteSeed(folder, "background-too-short.kbskn", shortBackground.Bytes()) &&
           WriteSeed(folder, "colours-only.kbskn", colorsOnly.Bytes()) &&
           WriteSeed(folder, "length-past-end.kbskn", colorsOnly.Bytes() + LittleEndian32(0xFFFFFFFF) + "x");
}

bool WriteHexNumberSeeds(const fs::path &folder)
{
    // What the editor's field shows and what a user may type into it: short
    // and long numbers, both letter cases, and the usual near misses.
    const char *const texts[][2] = {
        {"a", "0041"},      {"ffff", "ffff"},  {"pair", "1F600"},    {"nine", "123456789"},
        {"long", "123456789abcdefABCDEF"},      {"empty", ""},        {"prefix", "0x41"},
        {"blank", " 41"},   {"sign", "-1"},    {"letter", "4G1"},    {"upper-bound", "FFFFFFFF"}};
    for (const auto &[name, text] : texts)
        if (!WriteSeed(folder, name, Units(QString::fromLatin1(text).toStdU16String())))
            return false;
    // Digits of other scripts are not hexadecimal digits: fullwidth 4 and 1,
    // Arabic-Indic 3.
    return WriteSeed(folder, "fullwidth", Units(u"\uFF14\uFF11")) &&
           WriteSeed(folder, "arabic-indic", Units(u"\u0663"));
}

bool WriteKeyMapSeeds(const fs::path &folder)
{
    const QByteArray standard(reinterpret_cast<const char *>(DefaultKeyMap().Bytes()), kKeyMapBytes);
    // Characters that are hard to draw or to hold: NUL, controls, the stored
    // tab, both halves of a pair apart and together, a combining mark, a
    // right-to-left override, byte-order marks, non-characters, other scripts.
    static constexpr char16_t kOdd[] = u"\0\t\r\n\u2026\xD800\xDFFF\xD83D\xDE00\u0301\u202E\uFEFF\uFFFE\uFFFF"
                                       u"\u4E00\u0627\uE000\u00DF\u1E9E\u0130";
    QByteArray oddMap;
    while (oddMap.size() < qsizetype(kKeyMapBytes))
        oddMap += Units(Spelled(kOdd));
    oddMap.truncate(kKeyMapBytes);
    return WriteSeed(folder, "default.kmap", standard) && WriteSeed(folder, "longer.kmap", standard + "trailing") &&
           WriteSeed(folder, "one-short.kmap", standard.left(kKeyMapBytes - 1)) &&
           WriteSeed(folder, "empty.kmap", {}) && WriteSeed(folder, "odd-characters.kmap", oddMap) &&
           WriteSeed(folder, "all-nul.kmap", QByteArray(kKeyMapBytes, '\0'));
}

bool WriteLastUsedSeeds(const fs::path &folder)
{
    const auto encoded = [](std::u16string_view text) {
        const std::string bytes = EncodeLastUsedText(text);
        return QByteArray(bytes.data(), qsizetype(bytes.size()));
    };
    const QByteArray text = encoded(u"First line\r\nSecond\twith a tab\r\n\u2026 and \xD83D\xDE00");
    const QByteArray odd = encoded(Spelled(u"\0lone \xDC00 and \xD800\r\r\n\n"));
    return WriteSeed(folder, "with-mark.txt", text) && WriteSeed(folder, "without-mark.txt", text.mid(2)) &&
           WriteSeed(folder, "odd-length.txt", text + "x") && WriteSeed(folder, "mark-only.txt", text.left(2)) &&
           WriteSeed(folder, "empty.txt", {}) && WriteSeed(folder, "one-byte.txt", "A") &&
           WriteSeed(folder, "big-endian-mark.txt", "\xFE\xFF" + text.mid(2)) &&
           WriteSeed(folder, "odd-characters.txt", odd);
}

bool WritePadTextSeeds(const fs::path &folder)
{
    // Line selector, column selector, split selector, then the text.
    const auto seed = [](const char *header, std::u16string_view text) {
        return QByteArray(header, 3) + Units(text);
    };
    const std::u16string longLine(300, u'w');
    return WriteSeed(folder, "crlf.bin", seed("\1\2\x80", u"ab\r\n\r\nc\r\nXY")) &&
           WriteSeed(folder, "lf-before-crlf.bin", seed("\0\1\x60", u"a\nb\r\nc")) &&
           WriteSeed(folder, "lf-after-crlf.bin", seed("\2\0\x40", u"a\r\nb\nc\n")) &&
           WriteSeed(folder, "ends-with-break.bin", seed("\0\5\xC0", u"end\r\nmore\r\n")) &&
           WriteSeed(folder, "lone-cr.bin", seed("\0\0\x80", u"\r\r\n\r")) &&
           WriteSeed(folder, "tabs.bin", seed("\1\1\x80", u"x\ty\r\n\t\u2026z")) &&
           WriteSeed(folder, "nul-and-pairs.bin", seed("\0\3\x80", Spelled(u"a\0b\xD83D\xDE00\xDC00"))) &&
           WriteSeed(folder, "long-line.bin", seed("\0\xFF\x10", longLine + u"\r\n" + longLine)) &&
           WriteSeed(folder, "only-breaks.bin", seed("\3\0\x80", u"\r\n\n\r\n\n\n")) &&
           WriteSeed(folder, "header-only.bin", seed("\0\0\0", u""));
}
}

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::cerr << "usage: fuzz_seeds <folder>\n";
        return 2;
    }
    // The JPEG writer is a plug-in, found through the application.
    QGuiApplication application(argc, argv);
    const fs::path root(argv[1]);
    bool bOk = true;
    using SeedWriter = bool (*)(const fs::path &);
    const std::pair<const char *, SeedWriter> writers[] = {
        {"skin", WriteSkinSeeds}, {"keymap", WriteKeyMapSeeds},
        {"lastused", WriteLastUsedSeeds}, {"padtext", WritePadTextSeeds}, {"hexnumber", WriteHexNumberSeeds}};
    for (const auto &[name, write] : writers) {
        std::error_code error;
        fs::create_directories(root / name, error);
        if (!write(root / name)) {
            std::cerr << "could not write the " << name << " seeds\n";
            bOk = false;
        }
    }
    return bOk ? 0 : 1;
}
