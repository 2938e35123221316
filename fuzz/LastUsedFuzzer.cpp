// LastUsed.txt as the program reads it at start: any bytes as
// <program folder>/LastUsed.txt, read by the notepad view's own reader and
// put into the notepad as the start action does. It is read as an opened file
// is. Bytes with the byte-order mark, or with a NUL and no UTF-8 text, give
// every whole code unit after an optional mark, unchanged, and written out
// again those same bytes behind the mark; other bytes (UTF-16 big-endian
// behind its mark, UTF-8, or a one-byte Windows code page) save back byte for
// byte. The
// notepad gives back every character, only its line breaks made CR LF.

#include "FuzzApplication.h"
#include "FuzzCheck.h"

#include "app/LastUsedText.h"
#include "app/MainFrame.h"
#include "app/QuorlexDoc.h"
#include "app/QuorlexView.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace {
CQuorlexView *g_pView = nullptr;

// The text without anything the notepad may take for a line break: CR, LF,
// the paragraph and line separators, and the two characters its document
// keeps for frame boundaries.
std::u16string WithoutBreaks(std::u16string text)
{
    std::erase_if(text, [](char16_t ch) {
        return std::u16string_view(u"\r\n\u2028\u2029\uFDD0\uFDD1").find(ch) != std::u16string_view::npos;
    });
    return text;
}
}

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    StartFuzzApplication();
    // One notepad for all inputs; its frame lives as long as the process.
    g_pView = (new CMainFrame(new CQuorlexDoc))->View();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    StartFuzzApplication().WriteProgramFile(QStringLiteral("LastUsed.txt"), QByteArray(bytes.data(), qsizetype(size)));
    const std::u16string text = g_pView->ReadLastUsedText();

    TextFileFormat format;
    FuzzCheck(DecodeTextFile(bytes, format) == text, "read as an opened file is");
    if (format.m_encoding != TextEncoding::Utf16) {
        const bool bUnits = format.m_encoding == TextEncoding::Utf16BigEndian;
        FuzzCheck(EncodeTextFile(text, format) == bytes.substr(0, bUnits ? size - size % 2 : size),
                  "big-endian, UTF-8 or code page text saves back byte for byte (but an odd last byte)");
    } else {
        std::string_view body = bytes.substr(bytes.substr(0, 2) == "\xFF\xFE" ? 2 : 0);
        body.remove_suffix(body.size() % 2);
        FuzzCheck(text.size() * 2 == body.size(), "one code unit per whole pair of bytes");
        for (std::size_t i = 0; i < text.size(); ++i)
            FuzzCheck(text[i] == char16_t(std::uint8_t(body[2 * i]) | std::uint8_t(body[2 * i + 1]) << 8),
                      "code units are little-endian and unchanged");
        FuzzCheck(EncodeLastUsedText(text) == "\xFF\xFE" + std::string(body),
                  "written again it is the mark and the same units");
    }
    g_pView->SetViewText(text);
    FuzzCheck(WithoutBreaks(g_pView->ViewText()) == WithoutBreaks(text), "the notepad keeps every character");
    return 0;
}
