#include "text/Encoding.h"

#include <gtest/gtest.h>
#include <thread>

using namespace zelvane;

TEST(Encoding, Cp932RoundTripsJapaneseCutsAtALoneLeadByteAndReplacesBadBytes)
{
    const auto bytes = Utf8ToCp932("左足ＩＫ");
    EXPECT_EQ(bytes.size(), 8u);
    EXPECT_EQ(Cp932ToUtf8(bytes), "左足ＩＫ");
    // A fixed field cut after the lead byte of the last character.
    std::vector<std::uint8_t> cut(bytes.begin(), bytes.end() - 1);
    EXPECT_EQ(Cp932ToUtf8(cut), "左足Ｉ");
    // Zero-padded field: text stops at the first zero.
    std::vector<std::uint8_t> field(bytes);
    field.insert(field.end(), {0, 'x', 0});
    EXPECT_EQ(Cp932FieldToUtf8(field), "左足ＩＫ");

    // Bad bytes become replacement characters.
    EXPECT_EQ(Cp932ToUtf8(std::vector<std::uint8_t>{'a', 0xA0, 'b'}), "a\uFFFDb");
    EXPECT_EQ(Utf8ToCp932("a😀b"), (std::vector<std::uint8_t>{'a', '?', 'b'}));
    // A lone surrogate in UTF-16 does not stop the text after it.
    EXPECT_EQ(Utf16LeToUtf8(std::vector<std::uint8_t>{'a', 0, 0x00, 0xD8, 'b', 0}), "a\uFFFDb");
}

TEST(Encoding, Utf16DecodesEveryCharacterOfThePlaneAsTheEncoderWroteIt)
{
    // Each character of the basic plane, alone and between ASCII and Japanese, comes back as
    // the UTF-16 the encoder makes of it; a pair of surrogates is one character.
    for (unsigned c = 1; c < 0x10000; ++c) {
        if (c >= 0xD800 && c < 0xE000)
            continue;
        const std::vector<std::uint8_t> utf16{
            'a', 0, static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c >> 8), 0x42, 0x30};
        const std::string utf8 = Utf16LeToUtf8(utf16);
        ASSERT_TRUE(IsValidUtf8(AsBytes(utf8))) << std::hex << c;
        ASSERT_EQ(Utf8ToUtf16Le(utf8), utf16) << std::hex << c;
    }
    EXPECT_EQ(Utf16LeToUtf8(std::vector<std::uint8_t>{0x3D, 0xD8, 0x00, 0xDE, 'x', 0}), "😀x");
    EXPECT_EQ(Utf16LeToUtf8(std::vector<std::uint8_t>{0xE6, 0x5D, 0xB3, 0x8D}), "左足");
}

TEST(Encoding, Utf8ValidityDecidesTheDecoding)
{
    EXPECT_TRUE(IsValidUtf8(AsBytes("曲名")));
    EXPECT_FALSE(IsValidUtf8(std::vector<std::uint8_t>{0xC0, 0x80}));       // overlong
    EXPECT_FALSE(IsValidUtf8(std::vector<std::uint8_t>{0xED, 0xA0, 0x80})); // surrogate
    EXPECT_EQ(Utf8OrCp932ToUtf8(AsBytes("曲名")), "曲名");
    EXPECT_EQ(Utf8OrCp932ToUtf8(std::vector<std::uint8_t>{0x8B, 0xC8}), "曲");
}

TEST(Encoding, ConversionsAreSafeOnSeveralThreads)
{
    std::vector<std::thread> threads;
    std::atomic<int> failures{0};
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 500; ++i)
                if (Cp932ToUtf8(Utf8ToCp932("右つま先ＩＫ")) != "右つま先ＩＫ")
                    ++failures;
        });
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(failures.load(), 0);
}
