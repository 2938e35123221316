#include "app/LastUsedText.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

using namespace std::string_literals;

// Opened files: UTF-16 big-endian behind its mark, valid UTF-8 without NUL,
// and other bytes without NUL (code page 1252), come back byte for byte;
// anything else is the last-use format.
TEST(LastUsedText, FilesOfOtherProgramsAreRecognisedAndWrittenBackAsTheyCame)
{
    using enum TextEncoding;
    const std::tuple<std::string, std::u16string, TextFileFormat> utf8[] = {
        {"", u"", {Utf8, false}},
        {"Gr\xC3\xBC\xC3\x9F" "e\r\nzwei \xE2\x82\xAC", u"Grüße\r\nzwei €", {Utf8, false}},
        {"\xEF\xBB\xBFmark\n", u"mark\r\n", {Utf8WithMark, true}},
        {"a\nb \xF0\x9F\x98\x80", u"a\r\nb \U0001F600", {Utf8, true}},
        {"caf\xE9\n\x80\x81\x9F\xA0\xFF", u"café\r\n€\x81Ÿ\xA0ÿ", {Ansi, true}},
        {"\xC0\x80\x93odd", u"À€“odd", {Ansi, false}},
        // Overlong, surrogate, beyond U+10FFFF and cut short: no UTF-8, each alone.
        {"\xE0\x80\x80", u"à€€", {Ansi, false}},
        {"\xED\xA0\x80", u"í\xA0€", {Ansi, false}},
        {"\xF4\x90\x80\x80", u"ô\x90€€", {Ansi, false}},
        {"\xE2\x82", u"â‚", {Ansi, false}},
        {"\xFE\xFF\0G\0\xFC\0\n\xD8\x3D\xDE\0"s, u"Gü\r\n\U0001F600", {Utf16BigEndian, true}},
    };
    for (const auto &[bytes, text, format] : utf8) {
        TextFileFormat read;
        EXPECT_EQ(DecodeTextFile(bytes, read), text) << bytes;
        EXPECT_EQ(read, format) << bytes;
        EXPECT_EQ(EncodeTextFile(text, format), bytes);
    }
    for (const std::string &bytes : {"\xFF\xFE" "a\0"s, "a\0"s, "\xC0\x80\0"s, "\xE2\x82\0"s}) {
        TextFileFormat read{Utf8, true};
        EXPECT_EQ(DecodeTextFile(bytes, read), DecodeLastUsedText(bytes)) << bytes;
        EXPECT_EQ(read, TextFileFormat());
    }
    // What code page 1252 cannot hold goes as UTF-8, what UTF-8 cannot hold
    // whole in the last-use format.
    EXPECT_EQ(EncodeTextFile(u"\x80\r\n\u2192", {Ansi, true}), "\xC2\x80\n\xE2\x86\x92");
    EXPECT_EQ(EncodeTextFile(u"a\xD800", {Ansi, false}), EncodeLastUsedText(u"a\xD800"));
}
