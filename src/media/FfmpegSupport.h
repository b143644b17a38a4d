#pragma once

#include <string>

namespace zelvane {

// An FFmpeg result code in FFmpeg's own words ("No such file or directory", "Invalid data
// found when processing input"), so the user sees what the decoder actually objected to.
std::string FfmpegErrorText(int code);

// FFmpeg writes its diagnostics to standard error by default; the program has no log and
// reports failures itself. This keeps FFmpeg quiet but remembers, per thread, its last
// error line, which often says more than the result code ("Invalid argument" for a file
// that only looked like MP3). Safe to call repeatedly and from any thread.
void RouteFfmpegLog();

// The last error line FFmpeg reported on this thread since the previous call, or empty.
std::string TakeFfmpegLogMessage();

} // namespace zelvane
