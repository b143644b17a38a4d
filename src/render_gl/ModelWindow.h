#pragma once

#include "model/ModelMeasurements.h"
#include "render/ChartImage.h"
#include "render_gl/MMDWindow.h"

#include <QImage>

#include <cstdint>
#include <memory>

namespace zelvane {

class CScore;

// The model view's 3D window: the dancers standing on their dance pads, and behind them a
// large half-transparent screen that shows the chart scrolling. The chart is painted by the
// chart painter and uploaded as the screen's texture.
class CModelWindow : public CMMDWindow {
    Q_OBJECT
public:
    // The screen: 4:3, 20 units high, standing on the floor 20 units behind the pads.
    static constexpr float kScreenHalfWidth = 13.333333f;
    static constexpr float kScreenHeight = 20.0f;
    static constexpr float kScreenZ = 20.0f;
    // The pads lie just above the grid so the grid lines do not show through them.
    static constexpr float kPadHeight = 0.05f;

    explicit CModelWindow(QWidget* parent = nullptr);
    ~CModelWindow() override;

    // The score on the screen (null: none) and the side of each pad (the document's panel
    // size); one pad per four lanes.
    void SetChartLayout(const CScore* score, float panelSize);
    void SetClocksPerRow(std::int32_t clocksPerRow);
    // The screen colour, 0x00BBGGRR (shown at alpha 0x80).
    void SetScreenColor(std::uint32_t color);
    // Paints the chart for `frame` and shows it on the screen with the next redraw.
    void RenderChart(std::int32_t frame);

    const CChartImage& chart() const { return m_chart; }
    int padCount() const { return m_chart.padCount() > 0 ? m_chart.padCount() : 1; }
    float panelSize() const { return m_panelSize; }

protected:
    void CreateResources() override;
    void ReleaseResources() override;
    void DrawScene(CSceneProgram& program) override;

private:
    struct QuadVertex;

    void DrawQuad(CSceneProgram& program, QOpenGLTexture& texture, const QuadVertex* corners);

    CChartImage m_chart;
    float m_panelSize = ModelMeasurements::kDefaultPanelSize;
    // The last painted chart (kept by m_chart), waiting to be uploaded when changed.
    const QImage* m_chartImage = nullptr;
    bool m_chartChanged = true;
    std::unique_ptr<QOpenGLTexture> m_padTexture;
    std::unique_ptr<QOpenGLTexture> m_screenTexture;
    std::unique_ptr<QOpenGLVertexArrayObject> m_quadArray;
    std::unique_ptr<QOpenGLBuffer> m_quadBuffer;
    std::unique_ptr<QOpenGLBuffer> m_quadIndices;
};

} // namespace zelvane
