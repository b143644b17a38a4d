#pragma once

#include "base/PlaybackFollower.h"
#include "chart/DocumentView.h"

#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <string>
#include <vector>

class QLabel;
class QStackedLayout;
class QWindow;

namespace zelvane {

class CGLModelInstance;
class CModelDocument;
class CModelWindow;
class CStepDocument;
class CViewState;

// The document's 3D view: one dancer per player of the current score, posed at the
// current frame from the player's dance, on the dance pads in front of the chart screen.
// It follows the cursor, and during playback the frames it is given. Where the display has
// no OpenGL 3.3 the view is a grey pane saying so.
//
// The 3D window starts once the main window is on the screen: making its context and
// drawing the first frame (the software renderer compiles its shaders then) would otherwise
// keep the main window from appearing. Until then the pane shows its background.
class CModelView : public QWidget, public IStepDocumentView, public IPlaybackFollower {
    Q_OBJECT
public:
    // How often a pose that waits for its dancer's worker is tried again.
    static constexpr int kDanceWaitMilliseconds = 30;

    // Registers itself with `document`, which must outlive the view, as must `viewState`:
    // the cursor's time and the zoom the views share.
    CModelView(CStepDocument* document, const CViewState* viewState, QWidget* parent = nullptr);
    ~CModelView() override;

    // Frame 0, the default camera, the document's colours, the shared zoom, then the dancers.
    void InitialUpdate();
    void OnUpdate(IStepDocumentView* sender, UpdateHint hint, CScore* score) override;
    // Playback: shows `frame` (negative during the lead-in) whatever the cursor says.
    void followFrame(int frame) override;
    // While playing, the clock moves the dancers; cursor moves are left alone meanwhile.
    void setPlaying(bool) override { }

    std::int32_t frame() const { return m_frame; }
    // The 3D window, or null where OpenGL is unavailable. Hidden until the view's top-level
    // window is first exposed.
    CModelWindow* window() const { return m_window; }
    // Whether the 3D window has been shown (it draws from then on).
    bool windowStarted() const { return m_windowStarted; }
    // Why there is no 3D window (empty while there is one).
    const QString& unavailableReason() const { return m_unavailableReason; }
    // The dancers, in player order (owned by the window).
    const std::vector<CGLModelInstance*>& instances() const { return m_instances; }
    // Keeps the camera's rotation and moves it so that every dancer, the pads and the screen
    // show whole at the view's present size.
    void FrameAll();
    // The colour and sphere-map files of the document's model that were not found, as the
    // model names them (relative to its folder); empty without a model.
    const QStringList& missingTextures() const { return m_missingTextures; }
    // Whether a dancer still waits for its worker to reach the frame; the view shows its
    // last pose meanwhile and poses again once the worker has got there.
    bool waitingForDance() const { return m_danceWait.isActive(); }

signals:
    // The one line the main window shows when the 3D view cannot draw.
    void unavailable(const QString& reason);
    // A model came into the view (or went): `missing` names the pictures it lacks as the
    // model names them, empty when it lacks none. Its materials draw without them.
    void texturesChecked(const QStringList& missing);
    // The pointer came into the 3D window (true) or left it (false); not sent while the view
    // is a grey pane, where the mouse does nothing.
    void pointerInside(bool inside);

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Shows the 3D window, which then makes its context and draws.
    void StartWindow();
    void ShowUnavailable(const QString& reason);
    void SetColours();
    // Looks for the model's pictures once per model the document installs.
    void CheckTextures();
    void RebuildInstances();
    // Poses every dancer that can be posed without waiting, then redraws chart and scene.
    void UpdatePose();
    // Paints the chart screen at the current frame.
    void RenderChart();

    CStepDocument* m_document;
    const CViewState* m_viewState;
    QStackedLayout* m_layout = nullptr;
    CModelWindow* m_window = nullptr;
    bool m_windowStarted = false;
    // The top-level window watched for its first exposure.
    QPointer<QWindow> m_exposeWatched;
    QLabel* m_unavailablePane = nullptr;
    QString m_unavailableReason;
    std::int32_t m_frame = 0;
    std::vector<CGLModelInstance*> m_instances;
    QTimer m_danceWait;
    const CModelDocument* m_checkedModel = nullptr;
    std::string m_checkedPath;
    QStringList m_missingTextures;
};

} // namespace zelvane
