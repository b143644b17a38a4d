#include "render_gl/ModelView.h"

#include "chart/Player.h"
#include "chart/Score.h"
#include "chart/StepDocument.h"
#include "chart/ViewState.h"
#include "render_gl/GLModelInstance.h"
#include "render_gl/GLSupport.h"
#include "render_gl/ModelWindow.h"

#include <QEnterEvent>
#include <QLabel>
#include <QStackedLayout>
#include <QWindow>

#include <algorithm>
#include <filesystem>

namespace zelvane {

namespace {

constexpr std::uint32_t kOpaque = 0xFF000000;

// 0x00BBGGRR as 0x00RRGGBB.
std::uint32_t RgbFromColorRef(std::uint32_t color)
{
    return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}

} // namespace

CModelView::CModelView(CStepDocument* document, const CViewState* viewState, QWidget* parent)
    : QWidget(parent)
    , m_document(document)
    , m_viewState(viewState)
{
    setFocusPolicy(Qt::StrongFocus);
    m_layout = new QStackedLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_danceWait.setSingleShot(true);
    m_danceWait.setInterval(kDanceWaitMilliseconds);
    connect(&m_danceWait, &QTimer::timeout, this, &CModelView::UpdatePose);

    const QString reason = CGLSupport::Unavailable();
    if (reason.isEmpty()) {
        m_window = new CModelWindow(this);
        m_window->setObjectName(QStringLiteral("modelWindow"));
        // Out of the layout and hidden until StartWindow: a shown OpenGL widget makes its
        // context and draws as soon as it is sized. Being a child from the start, it still
        // tells the main window to take a surface it can compose OpenGL into; the probe
        // above has loaded the driver that surface needs, so it costs the start-up little
        // more than the surface alone.
        m_window->hide();
        // A context that fails later (on a screen without OpenGL) leaves the grey pane too.
        connect(m_window, &CProjectionWindow::unavailable, this, &CModelView::ShowUnavailable,
                Qt::QueuedConnection);
    } else {
        ShowUnavailable(reason);
    }
    m_document->AddView(this);
}

CModelView::~CModelView()
{
    if (m_exposeWatched)
        m_exposeWatched->removeEventFilter(this);
    m_document->RemoveView(this);
}

void CModelView::ShowUnavailable(const QString& reason)
{
    m_unavailableReason = reason;
    if (!m_unavailablePane) {
        m_unavailablePane = new QLabel(reason, this);
        m_unavailablePane->setObjectName(QStringLiteral("modelViewUnavailable"));
        m_unavailablePane->setAlignment(Qt::AlignCenter);
        m_unavailablePane->setWordWrap(true);
        m_unavailablePane->setAutoFillBackground(true);
        QPalette palette = m_unavailablePane->palette();
        palette.setColor(QPalette::Window, QColor(136, 136, 136));
        palette.setColor(QPalette::WindowText, Qt::white);
        m_unavailablePane->setPalette(palette);
        m_layout->addWidget(m_unavailablePane);
    }
    m_unavailablePane->setText(reason);
    m_layout->setCurrentWidget(m_unavailablePane);
    // A window whose context failed draws nothing; the view goes on without one.
    if (m_window) {
        m_instances.clear();
        m_window->hide();
        m_window->deleteLater();
        m_window = nullptr;
    }
    emit unavailable(reason);
}

void CModelView::InitialUpdate()
{
    m_frame = 0;
    // A new document may hold its model where the last one's was, even from the same file.
    m_checkedModel = nullptr;
    m_missingTextures.clear();
    CheckTextures();
    if (m_window) {
        m_window->ResetCamera();
        m_window->SetClocksPerRow(m_viewState->clocksPerRow());
    }
    SetColours();
    RebuildInstances();
    UpdatePose();
}

void CModelView::OnUpdate(IStepDocumentView*, UpdateHint hint, CScore*)
{
    // Missing pictures are told even where nothing is drawn: the motion and the video are
    // made from the same model. A document read whole (opened, restored) tells its views
    // of its new scores only, model and all.
    if (hint == UpdateHint::Model || hint == UpdateHint::CurrentScore)
        CheckTextures();
    if (!m_window)
        return;
    switch (hint) {
    case UpdateHint::Model:
    case UpdateHint::CurrentScore:
        RebuildInstances();
        UpdatePose();
        break;
    case UpdateHint::NotesAddedOrDeleted:
        UpdatePose();
        break;
    case UpdateHint::CurrentTime:
        // During playback the clock's frames drive the view, not the cursor.
        if (!m_viewState->playing()) {
            m_frame = m_document->tempoMap().ClockToFrame(m_viewState->currentTime());
            UpdatePose();
        }
        break;
    case UpdateHint::Zoom:
        m_window->SetClocksPerRow(m_viewState->clocksPerRow());
        RenderChart();
        break;
    case UpdateHint::Color:
        SetColours();
        RenderChart();
        break;
    default:
        break;
    }
}

void CModelView::followFrame(int frame)
{
    m_frame = frame;
    UpdatePose();
}

void CModelView::SetColours()
{
    if (!m_window)
        return;
    m_window->SetScreenColor(m_document->colors().screen);
    m_window->SetClearColour(kOpaque | RgbFromColorRef(m_document->colors().background));
}

void CModelView::CheckTextures()
{
    const CModelDocument* model = m_document->model().document.get();
    // The motion options send the same hint without a new model. A document read anew may
    // hold its model where the last one's was; the path tells them apart.
    if (model == m_checkedModel && m_document->model().path == m_checkedPath)
        return;
    m_checkedModel = model;
    m_checkedPath = m_document->model().path;
    m_missingTextures.clear();
    if (!model) {
        emit texturesChecked(m_missingTextures);
        return;
    }
    // The reader puts the model's folder before every name; the user knows the names as the
    // model writes them.
    std::string folder = std::filesystem::absolute(m_document->model().path).parent_path().string();
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    for (const std::string& path : CGLModelInstance::MissingFiles(*model)) {
        const bool inFolder = path.starts_with(folder);
        m_missingTextures.append(
            inFolder ? QString::fromStdString(path.substr(folder.size()))
                     : QString::fromStdString(std::filesystem::path(path).filename().string()));
    }
    emit texturesChecked(m_missingTextures);
}

void CModelView::FrameAll()
{
    if (!m_window)
        return;
    std::vector<Vector3> points;
    const auto addBox = [&points](const Vector3& low, const Vector3& high) {
        for (int corner = 0; corner < 8; ++corner)
            points.push_back({(corner & 1) ? high.x : low.x, (corner & 2) ? high.y : low.y,
                              (corner & 4) ? high.z : low.z});
    };
    for (const CGLModelInstance* dancer : m_instances) {
        const CSkinnedMesh& mesh = dancer->instance().skinnedVertices;
        if (mesh.empty())
            continue;
        Vector3 low = mesh[0].position;
        Vector3 high = low;
        for (std::size_t i = 0; i < mesh.size(); ++i) {
            const Vector3 p = mesh[i].position;
            low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
            high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
        }
        addBox(low, high);
    }
    const float panelSize = m_window->panelSize();
    const float padsHalfWidth = static_cast<float>(m_window->padCount()) * panelSize * 0.5f;
    addBox({-padsHalfWidth, 0.0f, -panelSize * 0.5f}, {padsHalfWidth, 0.0f, panelSize * 0.5f});
    addBox({-CModelWindow::kScreenHalfWidth, 0.0f, CModelWindow::kScreenZ},
           {CModelWindow::kScreenHalfWidth, CModelWindow::kScreenHeight, CModelWindow::kScreenZ});
    m_window->FramePoints(points);
}

void CModelView::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    if (m_window)
        emit pointerInside(true);
}

void CModelView::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    if (m_window)
        emit pointerInside(false);
}

void CModelView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_window || m_windowStarted || m_exposeWatched)
        return;
    // The top-level widget: window() here is the 3D window.
    QWindow* handle = QWidget::window()->windowHandle();
    if (handle && handle->isExposed()) {
        QMetaObject::invokeMethod(this, &CModelView::StartWindow, Qt::QueuedConnection);
        return;
    }
    if (handle) {
        m_exposeWatched = handle;
        handle->installEventFilter(this);
    }
}

bool CModelView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_exposeWatched && event->type() == QEvent::Expose
        && m_exposeWatched->isExposed()) {
        m_exposeWatched->removeEventFilter(this);
        m_exposeWatched = nullptr;
        // Queued, so that the rest of the main window paints first.
        QMetaObject::invokeMethod(this, &CModelView::StartWindow, Qt::QueuedConnection);
    }
    return QWidget::eventFilter(watched, event);
}

void CModelView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // Outside the layout until it starts, the window keeps the view's size by hand, so that
    // a frame grabbed meanwhile has the size it will have on the screen.
    if (m_window && !m_windowStarted)
        m_window->setGeometry(rect());
}

void CModelView::StartWindow()
{
    if (!m_window || m_windowStarted)
        return;
    m_windowStarted = true;
    m_layout->addWidget(m_window);
    m_layout->setCurrentWidget(m_window);
    m_window->show();
}

void CModelView::RebuildInstances()
{
    if (!m_window)
        return;
    m_danceWait.stop();
    m_instances.clear();
    m_window->ClearInstances();
    const CScore* score = m_document->scores().current();
    const CModelDocument* model = m_document->model().document.get();
    if (score && model) {
        for (std::size_t i = 0; i < score->players().size(); ++i)
            m_instances.push_back(&m_window->CreateInstance(*model));
    }
    m_window->SetChartLayout(score, m_document->motionOptions().panelSize);
}

void CModelView::UpdatePose()
{
    if (!m_window)
        return;
    const CScore* score = m_document->scores().current();
    // Before the song starts the dancers stand as at its first frame.
    const std::int32_t poseFrame = std::max(m_frame, 0);
    bool waiting = false;
    for (std::size_t i = 0; score && i < m_instances.size() && i < score->players().size(); ++i) {
        CPlayer& player = *score->players()[i];
        // A worker that has not danced this far yet would hold the interface up: keep the
        // last pose and look again shortly.
        if (player.progress() < poseFrame) {
            waiting = true;
            continue;
        }
        CModelInstance& instance = m_instances[i]->instance();
        instance.SampleBones([&](int nameID) { return player.GetBonePose(nameID, poseFrame); });
        instance.Update();
        m_instances[i]->MarkPosed();
    }
    if (waiting)
        m_danceWait.start();
    else
        m_danceWait.stop();
    RenderChart();
}

void CModelView::RenderChart()
{
    m_window->RenderChart(m_frame);
}

} // namespace zelvane
