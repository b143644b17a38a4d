#include "text/StringTable.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace zelvane;

namespace {

// Whether UTF-8 text holds a kana, a kanji or a full-width form: their code points
// (U+3000 to U+9FFF, U+FF00 to U+FFEF) start with the lead bytes E3 to E9 and EF.
bool HasJapanese(std::string_view text)
{
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 0xE3 && byte <= 0xE9) || byte == 0xEF)
            return true;
    }
    return false;
}

bool IsProgramId(std::uint32_t id)
{
    return id >= IDS_PROGRAM_FIRST && id < IDS_PROGRAM_END;
}

} // namespace

TEST(StringTable, LooksUpByIdAndByTextInBlockOrder)
{
    EXPECT_EQ(LoadString(IDS_BONE_CENTER), "センター");
    EXPECT_EQ(LoadString(IDS_UNDO), "元に戻す(&U)\tCtrl+Z");
    EXPECT_TRUE(LoadString(499).empty());
    EXPECT_EQ(FindStringId("削除"), 130u);
    EXPECT_EQ(FindStringId("左足ＩＫ"), 507u);
    EXPECT_FALSE(FindStringId("no such text").has_value());
    EXPECT_EQ(FormatString(IDS_DWI_LINE_PREFIX, {"12"}), "12行目:");
    EXPECT_EQ(FormatString(IDS_AVI_PROGRESS, {"3", "40"}), "3/40 フレーム");
}

// The program's own texts fill their range without a gap, each in Japanese, and the table
// holds nothing else in that range's blocks. Bone and morph names equal to a table text take
// that text's ID, the last block's match winning, so no program text may equal a designed one.
TEST(StringTable, ProgramTextsFillTheirRangeInJapaneseAndLeaveTheDesignedTextsTheirIds)
{
    ASSERT_LT(IDS_PROGRAM_FIRST, IDS_PROGRAM_END);
    std::set<std::string_view> designed;
    for (const std::uint32_t id : StringIds()) {
        if (!IsProgramId(id))
            designed.insert(LoadString(id));
        if (id >= IDS_PROGRAM_FIRST && id < IDS_PROGRAM_FIRST + 0x1000) {
            EXPECT_TRUE(IsProgramId(id)) << "ID " << id << " has no name";
        }
    }
    ASSERT_TRUE(designed.count("削除"));
    for (std::uint32_t id = IDS_PROGRAM_FIRST; id < IDS_PROGRAM_END; ++id) {
        EXPECT_TRUE(HasString(id)) << "no text for ID " << id;
        EXPECT_TRUE(HasJapanese(LoadString(id))) << "ID " << id << ": " << LoadString(id);
        EXPECT_FALSE(designed.count(LoadString(id))) << "ID " << id << ": " << LoadString(id);
    }
}
