#include "app/LastUsedText.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

using namespace std::string_literals;

// Opened files: valid UTF-8 without NUL comes back byte for byte; anything
// else is the last-use format.
TEST(LastUsedText, Utf8FilesAreRecognisedAndWrittenBackAsTheyCame)
{
    using enum TextEncoding;
    const std::tuple<std::string, std::u16string, TextFileFormat> utf8[] = {
        {"", u"", {Utf8, false}},
        {"Gr\xC3\xBC\xC3\x9F" "e\r\nzwei \xE2\x82\xAC", u"Grüße\r\nzwei €", {Utf8, false}},
        {"\xEF\xBB\xBFmark\n", u"mark\r\n", {Utf8WithMark, true}},
        {"a\nb \xF0\x9F\x98\x80", u"a\r\nb \U0001F600", {Utf8, true}},
    };
    for (const auto &[bytes, text, format] : utf8) {
        TextFileFormat read;
        EXPECT_EQ(DecodeTextFile(bytes, read), text) << bytes;
        EXPECT_EQ(read, format) << bytes;
        EXPECT_EQ(EncodeTextFile(text, format), bytes);
    }
    for (const std::string &bytes : {"\xFF\xFE" "a\0"s, "a\0"s, "\xC0\x80"s, "\xE0\x80\x80"s, "\xED\xA0\x80"s,
                                     "\xF4\x90\x80\x80"s, "\xE2\x82"s}) {
        TextFileFormat read{Utf8, true};
        EXPECT_EQ(DecodeTextFile(bytes, read), DecodeLastUsedText(bytes)) << bytes;
        EXPECT_EQ(read, TextFileFormat());
    }
    // What UTF-8 cannot hold is kept whole in the last-use format.
    EXPECT_EQ(EncodeTextFile(u"a\xD800", {Utf8, false}), EncodeLastUsedText(u"a\xD800"));
}
