#include "app/MainFrame.h"

#include "app/AboutDialog.h"
#include "app/ColorRef.h"
#include "app/CommandTable.h"
#include "app/ErrorMessages.h"
#include "app/Prompter.h"
#include "app/ScreenFit.h"
#include "app/Settings.h"
#include "app/ToolbarIcons.h"
#include "chart/commands/Command.h"
#include "qtcommon/CommandIds.h"
#include "qtcommon/QtText.h"
#include "render_gl/ModelView.h"
#include "score/ScoreBar.h"
#include "score/ScorePane.h"
#include "score/ScoreView.h"
#include "text/Errors.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>

#include <algorithm>

namespace zelvane {
namespace {

// The Edit menu's undo or redo text with the command's name before the shortcut, as the
// history words it, from the texts in the language the program speaks.
QString HistoryMenuText(std::uint32_t id, const CCommand* command)
{
    QString text = LoadQString(id);
    if (!command)
        return text;
    const QString insert = QStringLiteral(" - ") + TranslateText(command->name());
    const qsizetype tab = text.indexOf(QLatin1Char('\t'));
    return tab < 0 ? text + insert : text.insert(tab, insert);
}

// Characters of space kept between the status bar's message and its detail.
constexpr int kStatusDetailGap = 6;
// Missing pictures the status bar names; the rest are counted, and listed in the detail.
constexpr qsizetype kNamedTextures = 3;

struct StatusText {
    QString message;
    QString detail;
};

StatusText MissingTexturesText(const QStringList& names)
{
    const QString separator = LoadQString(IDS_TEXTURE_NAME_SEPARATOR);
    if (names.size() <= kNamedTextures)
        return {FormatQString(IDS_TEXTURES_NOT_FOUND, {ToStdString(names.join(separator))}), {}};
    const std::string named = ToStdString(names.mid(0, kNamedTextures).join(separator));
    const std::string rest = std::to_string(names.size() - kNamedTextures);
    return {FormatQString(IDS_TEXTURES_NOT_FOUND_MORE, {named, rest}), names.join(separator)};
}

} // namespace

CMainFrame::CMainFrame(QWidget* parent)
    : QMainWindow(parent)
    , m_host(this)
    // A dance that fails says so in the status bar. The call comes on the worker's thread
    // and is carried over to this one; it is dropped if the window has gone meanwhile.
    , m_document({&m_host, &m_audio, [this](const Reason& reason) {
                      QMetaObject::invokeMethod(
                          this,
                          [this, detail = ReasonText(reason)] {
                              ShowStatus(LoadQString(IDS_ERROR_WORKER), detail);
                          },
                          Qt::QueuedConnection);
                  }})
{
    setWindowIcon(ProgramIcon());
    setAcceptDrops(true);
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    CreateClient();
    CreatePlayback();
    m_document.AddView(this);
    m_recentFiles = Settings::ReadRecentFiles();
    m_document.SetDancing({m_document.dancing().dancesCharts, Settings::ReadFootAssignment()});
    m_document.NewDocument();
    m_modelView->InitialUpdate();
    UpdateRecentFiles();
    UpdateTitle();
    UpdateModelPlace();
    UpdateCommandStates();
}

CMainFrame::~CMainFrame()
{
    // The song's decode stops before anything it reports to goes.
    m_songLoader.Cancel();
    m_clock.Stop();
    // The document outlives the clock; it must not reach for it while it empties itself.
    m_host.SetStopPlayback({});
    m_host.SetDocumentCleared({});
    m_document.RemoveView(this);
    // The panes are views of the document; they go before it does.
    delete m_splitter;
    m_splitter = nullptr;
}

// --- Building the window ---

void CMainFrame::CreateActions()
{
    for (const CommandEntry& entry : CommandTable()) {
        auto* action = new QAction(entry.text, this);
        action->setShortcuts(entry.keys);
        action->setStatusTip(entry.prompt);
        if (!entry.tooltip.isEmpty())
            action->setToolTip(entry.tooltip);
        const QIcon icon = ToolbarIcon(entry.id);
        if (!icon.isNull())
            action->setIcon(icon);
        // The menus show their shortcut texts in the item text itself.
        action->setIconVisibleInMenu(false);
        action->setCheckable(entry.checkable);
        const int id = entry.id;
        connect(action, &QAction::triggered, this, [this, id] { Run(id); });
        m_actions.insert(id, action);
        addAction(action); // pane keys have no menu entry and still work
    }
    QAction* clap = m_actions.value(ID_PLAY_ASSIST_CLAP);
    clap->setChecked(Settings::ReadInt(Settings::kWorkspace, kAssistClapKey, 0) != 0);
    QAction* waveform = m_actions.value(ID_VIEW_WAVEFORM);
    waveform->setChecked(Settings::ReadInt(Settings::kWorkspace, kWaveformKey, 1) != 0);

    const CommandEntry* recent = FindCommand(ID_FILE_MRU_FIRST);
    for (int i = 0; i < Settings::kRecentFileCount; ++i) {
        auto* action = new QAction(this);
        action->setStatusTip(recent ? recent->prompt : QString());
        action->setVisible(false);
        connect(action, &QAction::triggered, this, [this, i] {
            if (i >= m_recentFiles.size())
                return;
            const QString path = m_recentFiles[i];
            if (!QFileInfo::exists(path)) {
                ShowError(
                    FormatQString(IDS_FILE_NOT_FOUND, {ToStdString(QFileInfo(path).fileName())}));
                m_recentFiles.removeAll(path);
                Settings::WriteRecentFiles(m_recentFiles);
                UpdateRecentFiles();
                return;
            }
            OpenFile(path);
        });
        m_recentActions.append(action);
    }
}

void CMainFrame::CreateMenus()
{
    for (const MenuSpec& entry : MenuTable()) {
        QMenu* popup = menuBar()->addMenu(entry.title);
        for (int id : entry.commands) {
            if (id == 0) {
                popup->addSeparator();
                continue;
            }
            if (id == kLanguageMenu) {
                popup->addMenu(CreateLanguageMenu());
                continue;
            }
            popup->addAction(m_actions.value(id));
            if (id == ID_FILE_MRU_FIRST)
                popup->addActions(m_recentActions);
        }
        // Enabled, checked and relabelled states are refreshed before a menu shows.
        connect(popup, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
        m_menus.append(popup);
    }
}

QMenu* CMainFrame::CreateLanguageMenu()
{
    auto* languages = new QMenu(LoadQString(IDS_MENU_LANGUAGE), this);
    languages->setObjectName(QStringLiteral("languageMenu"));
    auto* group = new QActionGroup(languages);
    // Each language is named in its own words, so that it can be found in either.
    const std::pair<UiLanguage, QString> items[] = {
        {UiLanguage::Japanese, QStringLiteral("日本語(&J)")},
        {UiLanguage::English, QStringLiteral("&English")},
    };
    for (const auto& item : items) {
        const UiLanguage language = item.first;
        QAction* action = languages->addAction(item.second);
        action->setCheckable(true);
        action->setChecked(language == CurrentUiLanguage());
        action->setData(LanguageCode(language));
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, language] { ChooseLanguage(language); });
    }
    return languages;
}

void CMainFrame::ChooseLanguage(UiLanguage language)
{
    const bool changed = Settings::ReadLanguage().value_or(CurrentUiLanguage()) != language;
    Settings::WriteLanguage(language);
    // The windows were made in the present language; the next start makes them in the new one.
    if (!changed)
        return;
    QMessageBox box(QMessageBox::Information, LoadQString(IDS_APP_TITLE),
                    LoadQString(IDS_LANGUAGE_NEXT_START), QMessageBox::NoButton, this);
    box.setObjectName(QStringLiteral("languageMessage"));
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    RunModal(box);
}

void CMainFrame::CreateToolBar()
{
    QToolBar* toolbar = addToolBar(LoadQString(IDS_TOOLBAR));
    toolbar->setObjectName(QStringLiteral("toolbar"));
    toolbar->setMovable(false);
    toolbar->setIconSize(QSize(16, 16));
    for (int id : ToolbarTable()) {
        if (id == 0)
            toolbar->addSeparator();
        else
            toolbar->addAction(m_actions.value(id));
    }
}

void CMainFrame::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    const QString idle = LoadQString(IDS_IDLE_MESSAGE);
    // The detail stands apart from the message, at the right, and belongs to the message
    // it came with: any other message clears it.
    m_statusDetail = new QLabel(bar);
    m_statusDetail->setObjectName(QStringLiteral("statusDetail"));
    m_statusDetail->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A long detail is shortened to the room the message leaves rather than widening the
    // window or covering the message; its tooltip holds it whole.
    m_statusDetail->setMinimumWidth(1);
    bar->addPermanentWidget(m_statusDetail);
    // Whenever no prompt is shown the bar says it is ready.
    connect(bar, &QStatusBar::messageChanged, this, [this, bar, idle](const QString& message) {
        m_statusDetail->clear();
        m_statusDetail->setToolTip(QString());
        if (message.isEmpty())
            bar->showMessage(idle);
    });
    bar->showMessage(idle);
}

void CMainFrame::CreateClient()
{
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName(QStringLiteral("splitter"));
    m_scorePane = new CScorePane(&m_document, &m_viewState, m_splitter);
    // Until the 3D view has drawn, and between its frames while resizing, its pane shows the
    // background colour.
    m_modelView = new CModelView(&m_document, &m_viewState, m_splitter);
    m_modelView->setObjectName(QStringLiteral("modelViewPlace"));
    m_modelView->setAutoFillBackground(true);
    // A display without OpenGL leaves a grey pane; the status bar says why. A reason's
    // first line is the message, what follows the technical detail.
    const auto showUnavailable = [this](const QString& reason) {
        ShowStatus(reason.section(QLatin1Char('\n'), 0, 0), reason.section(QLatin1Char('\n'), 1));
    };
    connect(m_modelView, &CModelView::unavailable, this, showUnavailable);
    // A model whose pictures are all there takes back what was said about the last one.
    connect(m_modelView, &CModelView::texturesChecked, this, [this](const QStringList& missing) {
        if (!missing.isEmpty()) {
            const StatusText text = MissingTexturesText(missing);
            m_texturesStatus = text.message;
            ShowStatus(text.message, text.detail);
        } else if (!m_texturesStatus.isEmpty()
                   && statusBar()->currentMessage() == m_texturesStatus) {
            ShowStatus(QString());
        }
    });
    connect(m_modelView, &CModelView::pointerInside, this, &CMainFrame::ShowViewControls);
    if (!m_modelView->unavailableReason().isEmpty())
        showUnavailable(m_modelView->unavailableReason());
    CScoreView* view = m_scorePane->scoreView();
    view->SetCommandActions([this](int id) { return m_actions.value(id); },
                            [this] { UpdateCommandStates(); });
    connect(view, &CScoreView::commandStatesChanged, this, &CMainFrame::UpdateCommandStates);
    connect(view, &CScoreView::editRefused, this, &CMainFrame::RefuseEdit);
    connect(view, &CScoreView::tempoEventActivated, this, [this](std::size_t index) {
        try {
            OnEditTempoEvent(index);
        } catch (const CoreError&) {
            RefuseEdit(std::current_exception());
        }
        UpdateCommandStates();
    });
    m_splitter->addWidget(m_scorePane);
    m_splitter->addWidget(m_modelView);
    // A wider window widens the 3D view; the score pane keeps its width.
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setChildrenCollapsible(true);
    setCentralWidget(m_splitter);
    m_scorePane->setFocus();
}

void CMainFrame::ShowWithSavedPlacement()
{
    const Settings::WindowPlacement placement = Settings::ReadPlacement(kPlacementGroup);
    if (placement.HasRect()) {
        QList<QRect> screens;
        if (const QScreen* primary = QGuiApplication::primaryScreen())
            screens.append(primary->availableGeometry());
        for (const QScreen* screen : QGuiApplication::screens())
            if (screen != QGuiApplication::primaryScreen())
                screens.append(screen->availableGeometry());
        setGeometry(FitToScreens(placement.rect(), screens));
    } else
        resize(1100, 760);
    switch (placement.show) {
    case Settings::WindowPlacement::kShowMaximized:
        showMaximized();
        break;
    case Settings::WindowPlacement::kShowMinimized:
        showMinimized();
        break;
    default:
        show();
        break;
    }
}

void CMainFrame::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_splitterPlaced)
        return;
    m_splitterPlaced = true;
    const int width = Settings::ReadScoreWidth();
    const int total = m_splitter->width();
    m_splitter->setSizes({width, std::max(1, total - width - m_splitter->handleWidth())});
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    // A background video being written reads the document until it ends or is stopped.
    if (m_writingVideo) {
        event->ignore();
        return;
    }
    m_clock.Stop();
    Settings::WriteScoreWidth(m_splitter->sizes().value(0));
    const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
    Settings::WindowPlacement placement;
    placement.x = normal.x();
    placement.y = normal.y();
    placement.cx = normal.width();
    placement.cy = normal.height();
    placement.show = isMaximized() ? Settings::WindowPlacement::kShowMaximized
        : isMinimized()            ? Settings::WindowPlacement::kShowMinimized
                                   : Settings::WindowPlacement::kShowNormal;
    Settings::WritePlacement(kPlacementGroup, placement);
    if (!SaveModified()) {
        event->ignore();
        return;
    }
    // A clean end: nothing is left to recover.
    m_recovery.Discard();
    event->accept();
}

// --- Command state ---

void CMainFrame::UpdateCommandStates()
{
    for (const CommandEntry& entry : CommandTable()) {
        QAction* action = m_actions.value(entry.id);
        action->setEnabled(entry.enabled(*this));
        if (entry.checked)
            action->setChecked(entry.checked(*this));
    }
    // The history names what undo and redo would do.
    const std::size_t done = m_document.historyPosition();
    m_actions.value(ID_EDIT_UNDO)
        ->setText(HistoryMenuText(
            IDS_UNDO, m_document.CanUndo() ? &m_document.commandAt(done - 1) : nullptr));
    m_actions.value(ID_EDIT_REDO)
        ->setText(HistoryMenuText(IDS_REDO,
                                  m_document.CanRedo() ? &m_document.commandAt(done) : nullptr));
    m_scorePane->scoreBar()->SetSwitchingEnabled(!m_viewState.playing());
}

void CMainFrame::OnUpdate(IStepDocumentView*, UpdateHint hint, CScore*)
{
    if (hint == UpdateHint::Color || hint == UpdateHint::CurrentScore)
        UpdateModelPlace();
    SyncAudioPlayer();
    UpdateCommandStates();
    // Every edit and its undo end in a hint, after the modified flag has taken its new value.
    UpdateTitle();
}

QWidget* CMainFrame::modelViewPlace() const
{
    return m_modelView;
}

void CMainFrame::UpdateModelPlace()
{
    QPalette palette = m_modelView->palette();
    palette.setColor(QPalette::Window, FromColorRef(m_document.colors().background));
    m_modelView->setPalette(palette);
}

QString CMainFrame::DocumentName() const
{
    const std::filesystem::path& path = m_document.pathName();
    if (!path.empty())
        return QFileInfo(FromPath(path)).fileName();
    return m_importedName.isEmpty() ? LoadQString(IDS_UNTITLED) : m_importedName;
}

void CMainFrame::UpdateTitle()
{
    // "[*]" becomes "*" while the document has unsaved changes; one in the file's own name
    // is doubled so that it is shown as it is.
    QString name = DocumentName();
    name.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    setWindowTitle(name + QStringLiteral("[*] - ") + LoadQString(IDS_APP_TITLE));
    // Setting the state, even unchanged, retitles the window: not on every hint.
    if (isWindowModified() != m_document.IsModified())
        setWindowModified(m_document.IsModified());
}

// --- Commands ---

void CMainFrame::Run(int commandId)
{
    // A command whose state went stale (a shortcut pressed before the menu refreshed) is
    // checked again here rather than run in a state it does not allow.
    UpdateCommandStates();
    const CommandEntry* entry = FindCommand(commandId);
    QAction* action = m_actions.value(commandId);
    if (!entry || !entry->run || !action || !action->isEnabled())
        return;
    // The command boundary: an edit the chart cannot take (beyond its limits) is refused
    // with nothing changed, never left to end the program.
    try {
        entry->run(*this);
    } catch (const CoreError&) {
        RefuseEdit(std::current_exception());
    }
    SyncAudioPlayer();
    UpdateCommandStates();
    // Some commands change the modified flag without a hint (a written background video).
    UpdateTitle();
}

CScoreView* CMainFrame::scoreView() const
{
    return m_scorePane->scoreView();
}

void CMainFrame::OnZoom(bool changed)
{
    if (changed)
        m_document.UpdateAllViews(nullptr, UpdateHint::Zoom);
}

void CMainFrame::OnWaveformSwitched()
{
    const bool shown = m_actions.value(ID_VIEW_WAVEFORM)->isChecked();
    Settings::WriteInt(Settings::kWorkspace, kWaveformKey, shown ? 1 : 0);
    scoreView()->SetWaveformShown(shown);
}

void CMainFrame::OnAssistClapSwitched()
{
    Settings::WriteInt(Settings::kWorkspace, kAssistClapKey,
                       m_actions.value(ID_PLAY_ASSIST_CLAP)->isChecked() ? 1 : 0);
}

void CMainFrame::RefuseEdit(const std::exception_ptr& error)
{
    QApplication::beep();
    const ErrorText text = DescribeError(error);
    ShowStatus(LoadQString(IDS_EDIT_REFUSED) + text.message, text.detail);
}

void CMainFrame::ShowStatus(const QString& message, const QString& detail)
{
    QStatusBar* bar = statusBar();
    bar->showMessage(message);
    const QFontMetrics metrics = m_statusDetail->fontMetrics();
    const int room = bar->width() - bar->fontMetrics().horizontalAdvance(message)
        - metrics.averageCharWidth() * kStatusDetailGap;
    m_statusDetail->setText(metrics.elidedText(detail, Qt::ElideRight, std::max(room, 0)));
    m_statusDetail->setToolTip(detail);
}

void CMainFrame::ShowPassing(PassingStatus& passing, const QString& message)
{
    const QString shown = statusBar()->currentMessage();
    if (shown != passing.shown) {
        passing.coveredMessage = shown;
        passing.coveredDetail = statusDetail();
    }
    passing.shown = message;
    ShowStatus(message);
}

void CMainFrame::EndPassing(const PassingStatus& passing)
{
    if (statusBar()->currentMessage() == passing.shown)
        ShowStatus(passing.coveredMessage, passing.coveredDetail);
}

void CMainFrame::ShowViewControls(bool inside)
{
    if (inside)
        ShowPassing(m_viewControlsStatus, LoadQString(IDS_MODEL_VIEW_CONTROLS));
    else
        EndPassing(m_viewControlsStatus);
}

QString CMainFrame::statusDetail() const
{
    return m_statusDetail->toolTip();
}

void CMainFrame::OnAbout()
{
    CAboutDialog dialog(this);
    RunModal(dialog);
}

void CMainFrame::OnSwitchPane(bool forward)
{
    const QList<QWidget*> panes{m_scorePane, m_modelView};
    QWidget* focus = QApplication::focusWidget();
    qsizetype current = -1;
    for (qsizetype i = 0; i < panes.size(); ++i)
        if (focus && (focus == panes[i] || panes[i]->isAncestorOf(focus)))
            current = i;
    const qsizetype next = current < 0 ? 0
        : forward                      ? (current + 1) % panes.size()
                                       : (current + panes.size() - 1) % panes.size();
    panes[next]->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (!event->mimeData()->hasUrls())
        return;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            return;
        }
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    event->acceptProposedAction();
    activateWindow();
    for (const QUrl& url : urls)
        if (url.isLocalFile())
            OpenFile(url.toLocalFile());
}

} // namespace zelvane
