#include "media/FfmpegSupport.h"

#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <utility>

extern "C" {
#include <libavutil/error.h>
#include <libavutil/log.h>
}

namespace zelvane {

namespace {

thread_local std::string t_lastMessage;

void KeepErrorLine(void*, int level, const char* format, va_list arguments)
{
    if (level > AV_LOG_ERROR)
        return;
    char line[512];
    if (std::vsnprintf(line, sizeof line, format, arguments) < 0)
        return;
    std::string text(line);
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    if (!text.empty())
        t_lastMessage = std::move(text);
}

} // namespace

std::string FfmpegErrorText(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    if (av_strerror(code, text, sizeof text) < 0 || text[0] == '\0')
        return "FFmpeg error " + std::to_string(code);
    return text;
}

void RouteFfmpegLog()
{
    static std::once_flag once;
    std::call_once(once, [] { av_log_set_callback(KeepErrorLine); });
}

std::string TakeFfmpegLogMessage()
{
    return std::exchange(t_lastMessage, {});
}

} // namespace zelvane
