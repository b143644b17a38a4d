#include "avi/BackgroundVideoExport.h"

#include "chart/Score.h"
#include "chart/StepDocument.h"
#include "media/AviWriter.h"
#include "render/ChartImage.h"

#include <QImage>

namespace zelvane {

std::int64_t WriteBackgroundVideo(const CScore& score, VideoFrameRange range,
                                  const std::filesystem::path& path,
                                  const AviWriterOptions& options, const VideoProgress& progress,
                                  std::int32_t clocksPerRow)
{
    const CStepDocument& document = *score.document();
    CChartImage chart;
    chart.SetChartLayout(&score);
    chart.SetClocksPerRow(clocksPerRow);
    chart.SetScreenColor(document.colors().screen);
    // Opaque: the video has no alpha, so the screen colour is the background itself.
    QImage image(CChartImage::kWidth, CChartImage::kHeight, QImage::Format_RGB32);

    AviWriter writer;
    writer.Open(path, options);
    const std::int64_t total = range.count();
    for (std::int32_t frame = range.start; frame < range.end; ++frame) {
        if (progress && !progress(frame - std::int64_t{range.start}, total))
            break;
        chart.RenderInto(frame, image);
        // The writer copies the frame, so painting the next one overlaps its encoding.
        writer.WriteFrame(image.constBits(), image.bytesPerLine());
    }
    writer.Close();
    return writer.framesWritten();
}

} // namespace zelvane
