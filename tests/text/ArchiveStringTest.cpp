#include "text/BinaryReader.h"
#include "text/BinaryWriter.h"
#include "text/Errors.h"

#include <gtest/gtest.h>

using namespace zelvane;

namespace {

std::vector<std::uint8_t> Written(std::string_view text)
{
    BinaryWriter writer;
    writer.WriteArchiveString(text);
    return writer.TakeBytes();
}

std::string ReadBack(const std::vector<std::uint8_t>& bytes)
{
    BinaryReader reader(bytes);
    std::string text = reader.ReadArchiveString();
    EXPECT_TRUE(reader.atEnd());
    return text;
}

} // namespace

TEST(ArchiveString, TheLengthPrefixGrowsWithTheString)
{
    EXPECT_EQ(Written("ab"),
              (std::vector<std::uint8_t>{0xFF, 0xFE, 0xFF, 0x02, 0x61, 0x00, 0x62, 0x00}));
    EXPECT_EQ(Written(""), (std::vector<std::uint8_t>{0xFF, 0xFE, 0xFF, 0x00}));
    EXPECT_EQ(ReadBack(Written("センター")), "センター");
    // 254 units still fit one byte; 255 takes 0xFF and a uint16; 65534 takes 0xFFFF and a uint32.
    const std::pair<std::size_t, std::vector<std::uint8_t>> cases[] = {
        {254, {0xFF, 0xFE, 0xFF, 0xFE}},
        {255, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0x00}},
        {65533, {0xFF, 0xFE, 0xFF, 0xFF, 0xFD, 0xFF}},
        {65534, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const auto& [length, prefix] : cases) {
        const std::string text(length, 'x');
        const auto bytes = Written(text);
        ASSERT_EQ(bytes.size(), prefix.size() + 2 * length) << length;
        EXPECT_TRUE(std::equal(prefix.begin(), prefix.end(), bytes.begin())) << length;
        EXPECT_EQ(ReadBack(bytes), text) << length;
    }
}

TEST(ArchiveString, ReadsTheEightBitFormInCodePage932AndNoFurtherThanTheData)
{
    // "曲" in code page 932 is 0x8B 0xC8.
    EXPECT_EQ(ReadBack({0x03, 'a', 0x8B, 0xC8}), "a曲");
    // The 8-bit form with a uint16 length.
    std::vector<std::uint8_t> bytes{0xFF, 0x00, 0x01};
    bytes.insert(bytes.end(), 256, 'z');
    EXPECT_EQ(ReadBack(bytes), std::string(256, 'z'));

    // Lengths beyond the data are refused.
    const std::vector<std::uint8_t> huge{0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF,
                                         0xFF, 0xFF, 0xFF, 0x7F, 'a'};
    EXPECT_THROW(BinaryReader(huge).ReadArchiveString(), EndOfFileError);
    const std::vector<std::uint8_t> cut{0xFF, 0xFE, 0xFF, 0x02, 0x61, 0x00, 0x62};
    EXPECT_THROW(BinaryReader(cut).ReadArchiveString(), EndOfFileError);
}
