#include "core/io/text_codec.h"

#include <gtest/gtest.h>

#include <string>

namespace qel {
namespace {

TEST(TextCodec, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string utf8 = cp1252ToUtf8(all);
    EXPECT_EQ(utf8ToCp1252(utf8), all);
}

TEST(TextCodec, CharactersOfTheCodePage) {
    struct Case {
        const char* utf8;
        const char* bytes;
    };
    const Case cases[] = {
        {"é", "\xE9"},         {"€", "\x80"}, {"Noël", "No\xEBl"}, {"‘x’", "\x91x\x92"},
        {"Œuvre", "\x8Cuvre"}, {"ÿ", "\xFF"}, {"plain", "plain"},  {"", ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(utf8ToCp1252(c.utf8), c.bytes) << c.utf8;
        EXPECT_EQ(cp1252ToUtf8(c.bytes), c.utf8) << c.utf8;
    }
}

TEST(TextCodec, WhatTheCodePageCannotHoldBecomesAQuestionMark) {
    struct Case {
        std::string utf8;
        const char* bytes;
    };
    const Case cases[] = {
        {"日本", "??"},     {"a\xF0\x9F\x8F\x81z", "a?z"},  // a four-byte character
        {"\xC3", "?"},                                      // cut short at the end
        {"\xC3x", "?x"},                                    // continuation missing
        {"\xFF\xFE", "??"},                                 // never valid
        {"\x80", "?"},                                      // a stray continuation byte
    };
    for (const auto& c : cases)
        EXPECT_EQ(utf8ToCp1252(c.utf8), c.bytes);
}

TEST(TextCodec, LengthsCountCharactersNotBytes) {
    EXPECT_EQ(utf8Length("José"), 4u);
    EXPECT_EQ(utf8Length(""), 0u);
    EXPECT_EQ(utf8Prefix("Renée", 4), "René");
    EXPECT_EQ(utf8Prefix("€5", 1), "€");
    EXPECT_EQ(utf8Prefix("ab", 5), "ab");
    EXPECT_EQ(utf8Prefix("ab", 0), "");
}

}  // namespace
}  // namespace qel
