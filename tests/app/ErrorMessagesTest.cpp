#include "app/ErrorMessages.h"
#include "media/MediaErrors.h"
#include "qtcommon/QtText.h"
#include "text/Errors.h"

#include <gtest/gtest.h>

#include <new>

namespace zelvane {
namespace {

// Each kind derives from a more general one; the message must be the particular kind's.
TEST(ErrorMessages, TheMostParticularKindOfAFailureChoosesItsMessage)
{
    EXPECT_EQ(ErrorMessageId(ChartLimitError("")), IDS_ERROR_CHART_LIMIT);
    EXPECT_EQ(ErrorMessageId(InvalidArgumentError("")), IDS_ERROR_INVALID_ARGUMENT);
    EXPECT_EQ(ErrorMessageId(EndOfFileError("")), IDS_ERROR_END_OF_FILE);
    EXPECT_EQ(ErrorMessageId(FileFormatError("")), IDS_ERROR_FILE_FORMAT);
    EXPECT_EQ(ErrorMessageId(AviCreateError("")), IDS_AVI_CANNOT_CREATE);
    EXPECT_EQ(ErrorMessageId(FileIoError("")), IDS_ERROR_FILE_ACCESS);
    EXPECT_EQ(ErrorMessageId(MediaError("")), IDS_ERROR_MEDIA);
    EXPECT_EQ(ErrorMessageId(WorkerFailedError("")), IDS_ERROR_WORKER);
    EXPECT_EQ(ErrorMessageId(std::bad_alloc()), IDS_ERROR_OUT_OF_MEMORY);
    EXPECT_EQ(ErrorMessageId(std::runtime_error("")), IDS_ERROR_UNEXPECTED);

    // A failure carried from another thread: the message, and the core's words as detail.
    const ErrorText carried
        = DescribeError(std::make_exception_ptr(FileIoError("cannot rename \"a.zlvm\"")));
    EXPECT_EQ(carried.message, LoadQString(IDS_ERROR_FILE_ACCESS));
    EXPECT_EQ(carried.detail, QStringLiteral("cannot rename \"a.zlvm\""));
    EXPECT_TRUE(DescribeError(std::exception_ptr()).message.isEmpty());
}

} // namespace
} // namespace zelvane
