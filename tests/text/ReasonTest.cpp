#include "text/Reason.h"
#include "text/Errors.h"
#include "text/ReasonTexts.h"
#include "text/StringTable.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

using namespace zelvane;

namespace {

// The fields of a format in order ("%s%d"), for comparing two languages' entries.
std::string Fields(std::string_view format)
{
    std::string fields;
    for (std::size_t i = 0; i + 1 < format.size(); ++i) {
        if (format[i] != '%')
            continue;
        if (format[i + 1] != '%')
            fields += format.substr(i, 2);
        ++i;
    }
    return fields;
}

} // namespace

// Every ID of the reasons' block has its English twin and nothing else has one; both take
// the same fields in the same order, or a language would put a value in the wrong place.
TEST(Reasons, EveryReasonHasAJapaneseAndAnEnglishTextWithTheSameFields)
{
    const std::vector<std::uint32_t> english = EnglishReasonIds();
    ASSERT_FALSE(english.empty());
    EXPECT_EQ(english.front(), static_cast<std::uint32_t>(IDS_REASON_DATA_ENDS));
    EXPECT_EQ(english.back() + 1, static_cast<std::uint32_t>(IDS_SYSTEM_ERROR_ENOENT));
    EXPECT_EQ(english.size(), english.back() - english.front() + 1) << "a reason has no twin";
    for (const std::uint32_t id : english) {
        const std::string_view japanese = LoadString(id);
        SCOPED_TRACE(std::string(EnglishReasonFormat(id)));
        EXPECT_FALSE(japanese.empty());
        EXPECT_FALSE(EnglishReasonFormat(id).empty());
        EXPECT_EQ(Fields(japanese), Fields(EnglishReasonFormat(id))) << japanese;
    }
}

// An errno is strerror's text in English and the table's phrase in Japanese; one the table
// does not know is given by its number. A nested reason is said in the same language, and a
// library's English words follow only the English sentence.
TEST(Reasons, EachLanguageSaysTheFieldsInItsOwnWords)
{
    const Reason denied(IDS_REASON_CANNOT_CREATE_BESIDE, {"/d/a.zlvm", SystemError{EACCES}});
    EXPECT_EQ(EnglishText(denied),
              std::string("cannot create a file beside \"/d/a.zlvm\": ") + std::strerror(EACCES));
    EXPECT_EQ(JapaneseText(denied),
              "\"/d/a.zlvm\" と同じフォルダーにファイルを作成できません "
              "(アクセスが拒否されました)。");
    const Reason odd(IDS_REASON_CANNOT_REPLACE, {"a", SystemError{EXDEV}});
    EXPECT_EQ(JapaneseText(odd),
              "\"a\" を置き換えられません (エラー番号 " + std::to_string(EXDEV) + ")。");

    const Reason cut(IDS_REASON_PMD_CUT_SHORT, {Reason(IDS_REASON_PMD_BONES)});
    EXPECT_EQ(EnglishText(cut), "the model file is cut short inside its bones");
    EXPECT_EQ(JapaneseText(cut), "モデルファイルがボーンの途中で終わっています。");

    const Reason media(IDS_REASON_AUDIO_NO_STREAMS, {"s.mp3"}, "Invalid data");
    EXPECT_EQ(EnglishText(media), "Cannot read the streams of \"s.mp3\": Invalid data");
    EXPECT_EQ(JapaneseText(media), "\"s.mp3\" は音声として読めないファイルです。");

    // An error keeps its reason and says it in English; one raised with text has none.
    const FileIoError error(denied);
    EXPECT_STREQ(error.what(), EnglishText(denied).c_str());
    ASSERT_NE(error.reason(), nullptr);
    EXPECT_EQ(error.reason()->id(), static_cast<std::uint32_t>(IDS_REASON_CANNOT_CREATE_BESIDE));
    EXPECT_EQ(FileIoError("words").reason(), nullptr);
}
