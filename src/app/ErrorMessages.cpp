#include "app/ErrorMessages.h"

#include "media/MediaErrors.h"
#include "qtcommon/QtText.h"
#include "text/Errors.h"
#include "text/StringTable.h"

#include <new>

namespace zelvane {

std::uint32_t ErrorMessageId(const std::exception& error)
{
    // The most particular kinds first: each one derives from a more general one below it.
    if (dynamic_cast<const ChartLimitError*>(&error))
        return IDS_ERROR_CHART_LIMIT;
    if (dynamic_cast<const AviCreateError*>(&error))
        return IDS_AVI_CANNOT_CREATE;
    if (dynamic_cast<const EndOfFileError*>(&error))
        return IDS_ERROR_END_OF_FILE;
    if (dynamic_cast<const FileFormatError*>(&error))
        return IDS_ERROR_FILE_FORMAT;
    if (dynamic_cast<const FileIoError*>(&error))
        return IDS_ERROR_FILE_ACCESS;
    if (dynamic_cast<const MediaError*>(&error))
        return IDS_ERROR_MEDIA;
    if (dynamic_cast<const WorkerFailedError*>(&error))
        return IDS_ERROR_WORKER;
    if (dynamic_cast<const InvalidArgumentError*>(&error))
        return IDS_ERROR_INVALID_ARGUMENT;
    if (dynamic_cast<const std::bad_alloc*>(&error))
        return IDS_ERROR_OUT_OF_MEMORY;
    return IDS_ERROR_UNEXPECTED;
}

ErrorText DescribeError(const std::exception& error)
{
    // Only a reason can be said in Japanese: the English what() of anything else stays out of
    // the dialog, which then names just the kind of failure.
    const auto* core = dynamic_cast<const CoreError*>(&error);
    const Reason* reason = core ? core->reason() : nullptr;
    return {LoadQString(ErrorMessageId(error)), reason ? ReasonText(*reason) : QString()};
}

ErrorText DescribeError(const std::exception_ptr& error)
{
    if (!error)
        return {};
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& caught) {
        return DescribeError(caught);
    } catch (...) {
        return {LoadQString(IDS_ERROR_UNEXPECTED), QString()};
    }
}

} // namespace zelvane
