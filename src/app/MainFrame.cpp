#include "app/MainFrame.h"

#include "app/AboutDialog.h"
#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "app/ErrorDialog.h"
#include "app/FileDialogs.h"
#include "app/MotionOptionDialog.h"
#include "app/PlayerDialog.h"
#include "app/QtText.h"
#include "app/Settings.h"
#include "app/SongDialog.h"
#include "app/ToolbarIcons.h"
#include "chart/commands/MotionOptionCommand.h"
#include "chart/commands/SongPropertyCommand.h"
#include "dwi/DwiWriter.h"
#include "score/ScoreBar.h"
#include "score/ScorePane.h"
#include "text/Errors.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>

namespace zelvane {
namespace {

constexpr const char* kUntitled = "無題";

// Colours are stored as 0x00BBGGRR.
QColor FromColorRef(std::uint32_t color)
{
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

std::uint32_t ToColorRef(const QColor& color)
{
    return static_cast<std::uint32_t>(color.red())
        | (static_cast<std::uint32_t>(color.green()) << 8)
        | (static_cast<std::uint32_t>(color.blue()) << 16);
}

} // namespace

CMainFrame::CMainFrame(QWidget* parent)
    : QMainWindow(parent)
    , m_host(this)
    , m_document(&m_host, &m_audio)
{
    setWindowIcon(ProgramIcon());
    setAcceptDrops(true);
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    CreateClient();
    m_document.AddView(this);
    m_recentFiles = Settings::ReadRecentFiles();
    m_document.NewDocument();
    UpdateRecentFiles();
    UpdateTitle();
    UpdateModelPlace();
    UpdateCommandStates();
}

CMainFrame::~CMainFrame()
{
    m_document.RemoveView(this);
    // The panes are views of the document; they go before it does.
    delete m_splitter;
    m_splitter = nullptr;
}

// --- Building the window ---

void CMainFrame::CreateActions()
{
    for (const CommandSpec& spec : CommandTable()) {
        auto* action = new QAction(spec.text, this);
        action->setShortcuts(spec.keys);
        action->setStatusTip(spec.prompt);
        if (!spec.tooltip.isEmpty())
            action->setToolTip(spec.tooltip);
        const QIcon icon = ToolbarIcon(spec.id);
        if (!icon.isNull())
            action->setIcon(icon);
        // The menus show their shortcut texts in the item text itself.
        action->setIconVisibleInMenu(false);
        const int id = spec.id;
        connect(action, &QAction::triggered, this, [this, id] { Run(id); });
        m_actions.insert(id, action);
        addAction(action); // pane keys have no menu entry and still work
    }
    m_actions.value(ID_EDIT_ADD_MODE)->setCheckable(true);
    m_actions.value(ID_EDIT_SELECT_MODE)->setCheckable(true);

    const CommandSpec* recent = FindCommand(ID_FILE_MRU_FIRST);
    for (int i = 0; i < Settings::kRecentFileCount; ++i) {
        auto* action = new QAction(this);
        action->setStatusTip(recent ? recent->prompt : QString());
        action->setVisible(false);
        connect(action, &QAction::triggered, this, [this, i] {
            if (i >= m_recentFiles.size())
                return;
            const QString path = m_recentFiles[i];
            if (!QFileInfo::exists(path)) {
                ShowError(QStringLiteral("\"%1\" というファイルはありません。")
                              .arg(QDir::toNativeSeparators(path)));
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
    for (const MenuSpec& spec : MenuTable()) {
        QMenu* popup = menuBar()->addMenu(spec.title);
        for (int id : spec.commands) {
            if (id == 0) {
                popup->addSeparator();
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

void CMainFrame::CreateToolBar()
{
    QToolBar* toolbar = addToolBar(QStringLiteral("ツール バー"));
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
    // Whenever no prompt is shown the bar says it is ready.
    connect(bar, &QStatusBar::messageChanged, this, [bar, idle](const QString& message) {
        if (message.isEmpty())
            bar->showMessage(idle);
    });
    bar->showMessage(idle);
}

void CMainFrame::CreateClient()
{
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName(QStringLiteral("splitter"));
    m_scorePane = new CScorePane(&m_document, m_splitter);
    // The 3D view takes this place once it exists; the place shows its background colour.
    m_modelPlace = new QWidget(m_splitter);
    m_modelPlace->setObjectName(QStringLiteral("modelViewPlace"));
    m_modelPlace->setFocusPolicy(Qt::StrongFocus);
    m_modelPlace->setAutoFillBackground(true);
    m_splitter->addWidget(m_scorePane);
    m_splitter->addWidget(m_modelPlace);
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
    if (placement.HasRect())
        setGeometry(placement.rect());
    else
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
    event->accept();
}

// --- Command state ---

void CMainFrame::UpdateCommandStates()
{
    const bool playing = m_document.playing();
    const auto enable = [this](int id, bool enabled) { m_actions.value(id)->setEnabled(enabled); };

    for (int id : {ID_FILE_AUDIO, ID_FILE_SONG_SETTINGS, ID_FILE_IMPORT_DWI, ID_FILE_EXPORT_DWI,
                   ID_FILE_MODEL, ID_FILE_MOTION_SETTINGS})
        enable(id, !playing);
    enable(ID_FILE_CREATE_MOTION, !playing && m_document.currentScore());
    // Commands whose work is not in the program yet stay visible but disabled: background
    // video export, playback, and the score view's own editing commands.
    for (int id : {ID_FILE_BACKGROUND_AVI, ID_PLAY_FROM_START, ID_PLAY_FROM_CURSOR, ID_PLAY_STOP,
                   ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_DELETE, ID_EDIT_ADD_MODE,
                   ID_EDIT_SELECT_MODE, ID_EDIT_INSERT_ROWS})
        enable(id, false);

    QAction* undo = m_actions.value(ID_EDIT_UNDO);
    undo->setText(ToQString(m_document.UndoMenuText()));
    undo->setEnabled(m_document.IsUndoEnabled());
    QAction* redo = m_actions.value(ID_EDIT_REDO);
    redo->setText(ToQString(m_document.RedoMenuText()));
    redo->setEnabled(m_document.IsRedoEnabled());

    enable(ID_VIEW_ZOOM_IN, m_document.CanZoomIn());
    enable(ID_VIEW_ZOOM_OUT, m_document.CanZoomOut());
    m_scorePane->scoreBar()->SetSwitchingEnabled(!playing);
}

void CMainFrame::OnUpdate(IStepDocumentView*, UpdateHint hint, CScore*)
{
    if (hint == UpdateHint::Color || hint == UpdateHint::CurrentScore)
        UpdateModelPlace();
    UpdateCommandStates();
}

void CMainFrame::UpdateModelPlace()
{
    QPalette palette = m_modelPlace->palette();
    palette.setColor(QPalette::Window, FromColorRef(m_document.backgroundColor()));
    m_modelPlace->setPalette(palette);
}

QString CMainFrame::DocumentName() const
{
    const std::filesystem::path& path = m_document.pathName();
    if (!path.empty())
        return QFileInfo(FromPath(path)).fileName();
    return m_importedName.isEmpty() ? QString::fromUtf8(kUntitled) : m_importedName;
}

void CMainFrame::UpdateTitle()
{
    setWindowTitle(DocumentName() + QStringLiteral(" - ") + LoadQString(IDS_APP_TITLE));
}

// --- Commands ---

void CMainFrame::Run(int commandId)
{
    // A command whose state went stale (a shortcut pressed before the menu refreshed) is
    // checked again here rather than run in a state it does not allow.
    UpdateCommandStates();
    QAction* action = m_actions.value(commandId);
    if (!action || !action->isEnabled())
        return;
    switch (commandId) {
    case ID_FILE_NEW:
        OnFileNew();
        break;
    case ID_FILE_OPEN:
        OnFileOpen();
        break;
    case ID_FILE_SAVE:
        OnFileSave();
        break;
    case ID_FILE_SAVE_AS:
        OnFileSaveAs();
        break;
    case ID_FILE_AUDIO:
        OnAudio();
        break;
    case ID_FILE_SONG_SETTINGS:
        OnSongSettings();
        break;
    case ID_FILE_IMPORT_DWI:
        OnImportDwi();
        break;
    case ID_FILE_EXPORT_DWI:
        OnExportDwi();
        break;
    case ID_FILE_MODEL:
        OnModel();
        break;
    case ID_FILE_MOTION_SETTINGS:
        OnMotionSettings();
        break;
    case ID_FILE_CREATE_MOTION:
        OnCreateMotion();
        break;
    case ID_APP_EXIT:
        close();
        break;
    case ID_EDIT_UNDO:
        OnUndo();
        break;
    case ID_EDIT_REDO:
        OnRedo();
        break;
    case ID_VIEW_ZOOM_IN:
        m_document.ZoomIn();
        break;
    case ID_VIEW_ZOOM_OUT:
        m_document.ZoomOut();
        break;
    case ID_VIEW_BACKGROUND_COLOR:
        OnColor(true);
        break;
    case ID_VIEW_SCREEN_COLOR:
        OnColor(false);
        break;
    case ID_APP_ABOUT:
        OnAbout();
        break;
    case ID_NEXT_PANE:
        OnSwitchPane(true);
        break;
    case ID_PREV_PANE:
        OnSwitchPane(false);
        break;
    default:
        break;
    }
    UpdateCommandStates();
}

void CMainFrame::OnFileNew()
{
    if (!SaveModified())
        return;
    m_document.NewDocument();
    m_importedName.clear();
    UpdateTitle();
}

void CMainFrame::OnFileOpen()
{
    const QString path = PromptDocumentFileName(FileDialogMode::Open, QString(), this);
    if (!path.isEmpty())
        OpenFile(path);
}

bool CMainFrame::OnFileSave()
{
    if (m_document.pathName().empty())
        return OnFileSaveAs();
    return SaveTo(FromPath(m_document.pathName()));
}

bool CMainFrame::OnFileSaveAs()
{
    const QString proposed = m_document.pathName().empty()
        ? DocumentName() + QStringLiteral(".zlvm")
        : FromPath(m_document.pathName());
    const QString path = PromptDocumentFileName(FileDialogMode::Save, proposed, this);
    if (path.isEmpty())
        return false;
    return SaveTo(path);
}

void CMainFrame::OnAudio()
{
    const QString path = PromptFileName(FileDialogMode::Open, ToQString(m_document.audioPath()),
                                        IDS_FILTER_AUDIO, QStringLiteral("AudioDirectory"), this);
    if (path.isEmpty())
        return;
    // The song is decoded once to learn its exact length.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_document.SetAudio(ToStdString(path));
    QApplication::restoreOverrideCursor();
}

void CMainFrame::OnImportDwi()
{
    const QString path = PromptFileName(FileDialogMode::Open, QString(), IDS_FILTER_DWI,
                                        QStringLiteral("DWIDirectory"), this);
    if (!path.isEmpty())
        ImportDwiFile(path);
}

bool CMainFrame::ImportDwiFile(const QString& path)
{
    const auto confirmReplace = [this] {
        QMessageBox box(QMessageBox::Warning, LoadQString(IDS_APP_TITLE),
                        LoadQString(IDS_DWI_REPLACE_CONFIRM), QMessageBox::NoButton, this);
        QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        QPushButton* cancel = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
        // Replacing every chart is not to happen by a hasty Enter.
        box.setDefaultButton(cancel);
        box.exec();
        return box.clickedButton() == ok;
    };
    DwiImportResult result;
    try {
        result = m_document.ImportDwi(ToPath(path), confirmReplace);
    } catch (const std::exception& error) {
        ShowError(
            QStringLiteral("\"%1\" を読み込めませんでした。").arg(QDir::toNativeSeparators(path)),
            ToQString(error.what()));
        return false;
    }
    if (!result.imported) {
        // Declined (no text), or the file could not be read (the reason).
        if (!result.errors.empty())
            ShowError(ToQString(result.errors));
        return false;
    }
    if (!result.errors.empty()) {
        CErrorDialog errors(ToQString(result.errors), this);
        errors.exec();
    }
    if (m_document.pathName().empty())
        m_importedName = QFileInfo(path).completeBaseName();
    UpdateTitle();
    return true;
}

void CMainFrame::OnExportDwi()
{
    const QString proposed = QFileInfo(DocumentName()).completeBaseName() + QStringLiteral(".dwi");
    const QString path = PromptFileName(FileDialogMode::Save, proposed, IDS_FILTER_DWI,
                                        QStringLiteral("DWIDirectory"), this);
    if (path.isEmpty())
        return;
    try {
        WriteDwi(m_document, ToPath(path));
    } catch (const std::exception& error) {
        ShowError(
            QStringLiteral("\"%1\" に書き込めませんでした。").arg(QDir::toNativeSeparators(path)),
            ToQString(error.what()));
    }
}

void CMainFrame::OnSongSettings()
{
    const SongProperties current{m_document.title(), m_document.artist(), m_document.bpm(),
                                 m_document.gap()};
    CSongDialog dialog(current, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    try {
        m_document.Execute(std::make_unique<CSongPropertyCommand>(&m_document, dialog.values()),
                           nullptr);
    } catch (const CoreError& error) {
        ShowError(QStringLiteral("曲の設定を変更できませんでした。"), ToQString(error.what()));
    }
}

void CMainFrame::OnModel()
{
    const QString path = PromptFileName(FileDialogMode::Open, ToQString(m_document.modelPath()),
                                        IDS_FILTER_MODEL, QStringLiteral("ModelDirectory"), this);
    if (!path.isEmpty())
        LoadModel(path);
}

void CMainFrame::LoadModel(const QString& path)
{
    m_document.SetModel(ToStdString(path));
    m_document.SetModifiedFlag(true);
    m_document.UpdateAllViews(nullptr, UpdateHint::Model);
    if (const CModelDocument* model = m_document.model()) {
        QMessageBox box(QMessageBox::Information, LoadQString(IDS_APP_TITLE),
                        ToQString(model->comment), QMessageBox::NoButton, this);
        box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.exec();
    }
}

void CMainFrame::OnCreateMotion()
{
    CScore* score = m_document.currentScore();
    if (!score)
        return;
    std::size_t player = 0;
    if (score->style() == Style::COUPLE) {
        CPlayerDialog dialog(this);
        if (dialog.exec() != QDialog::Accepted)
            return;
        player = static_cast<std::size_t>(dialog.selectedPlayer());
    }
    const QString path
        = PromptFileName(FileDialogMode::Save, ToQString(score->ProposedMotionPath(player)),
                         IDS_FILTER_MOTION, QStringLiteral("MotionDirectory"), this);
    if (path.isEmpty())
        return;
    const CModelDocument* model = m_document.model();
    const std::string modelName
        = model ? model->name : std::string(LoadString(IDS_DEFAULT_MODEL_NAME));
    // The export waits for the dancer's background work to finish.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        score->players().at(player)->WriteMotion(ToPath(path), modelName);
    } catch (const std::exception& error) {
        QApplication::restoreOverrideCursor();
        ShowError(
            QStringLiteral("\"%1\" に書き込めませんでした。").arg(QDir::toNativeSeparators(path)),
            ToQString(error.what()));
        return;
    }
    QApplication::restoreOverrideCursor();
}

void CMainFrame::OnMotionSettings()
{
    const MotionOptions current{m_document.panelSize(), m_document.twist(),
                                m_document.turnEnabled()};
    CMotionOptionDialog dialog(current, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    try {
        m_document.Execute(std::make_unique<CMotionOptionCommand>(&m_document, dialog.values()),
                           nullptr);
    } catch (const CoreError& error) {
        ShowError(QStringLiteral("モーション設定を変更できませんでした。"),
                  ToQString(error.what()));
    }
}

void CMainFrame::OnColor(bool background)
{
    const std::uint32_t current
        = background ? m_document.backgroundColor() : m_document.screenColor();
    const QColor chosen = QColorDialog::getColor(FromColorRef(current), this,
                                                 background ? QStringLiteral("背景色")
                                                            : QStringLiteral("スクリーン色"));
    if (!chosen.isValid() || ToColorRef(chosen) == current)
        return;
    // Colours are a preference of the user, not part of the edit history.
    if (background) {
        m_document.SetBackgroundColor(ToColorRef(chosen));
        Settings::WriteBackgroundColor(ToColorRef(chosen));
    } else {
        m_document.SetScreenColor(ToColorRef(chosen));
        Settings::WriteScreenColor(ToColorRef(chosen));
    }
    m_document.UpdateAllViews(nullptr, UpdateHint::Color);
}

void CMainFrame::OnUndo()
{
    if (m_document.IsUndoEnabled())
        m_document.Undo();
}

void CMainFrame::OnRedo()
{
    if (m_document.IsRedoEnabled())
        m_document.Redo();
}

void CMainFrame::OnAbout()
{
    CAboutDialog dialog(this);
    dialog.exec();
}

void CMainFrame::OnSwitchPane(bool forward)
{
    const QList<QWidget*> panes{m_scorePane, m_modelPlace};
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

// --- Documents ---

bool CMainFrame::SaveModified()
{
    if (!m_document.IsModified())
        return true;
    const QString name = m_document.pathName().empty()
        ? QString::fromUtf8(kUntitled)
        : QFileInfo(FromPath(m_document.pathName())).fileName();
    QMessageBox box(QMessageBox::Question, LoadQString(IDS_APP_TITLE),
                    QStringLiteral("%1 への変更を保存しますか?").arg(name), QMessageBox::NoButton,
                    this);
    QPushButton* yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
    box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.exec();
    if (box.clickedButton() == yes)
        return OnFileSave();
    return box.clickedButton() == no;
}

bool CMainFrame::SaveTo(const QString& path)
{
    try {
        m_document.SaveDocument(ToPath(path));
    } catch (const std::exception& error) {
        // The file is written beside the target and renamed, so the old file is intact.
        ShowError(
            QStringLiteral("\"%1\" に保存できませんでした。").arg(QDir::toNativeSeparators(path)),
            ToQString(error.what()));
        return false;
    }
    AddRecentFile(path);
    UpdateTitle();
    return true;
}

bool CMainFrame::OpenFile(const QString& path)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    if (extension == QLatin1String("pmd")) {
        LoadModel(path);
        UpdateCommandStates();
        return true;
    }
    if (extension == QLatin1String("dwi")) {
        const bool imported = ImportDwiFile(path);
        UpdateCommandStates();
        return imported;
    }
    const bool opened = OpenDocumentFile(path);
    UpdateCommandStates();
    return opened;
}

bool CMainFrame::OpenDocumentFile(const QString& path)
{
    if (!SaveModified())
        return false;
    try {
        m_document.OpenDocument(ToPath(path));
    } catch (const FileIoError& error) {
        ShowError(QStringLiteral("\"%1\" を開けませんでした。").arg(QDir::toNativeSeparators(path)),
                  ToQString(error.what()));
        return false;
    } catch (const std::exception& error) {
        // The document is replaced only after the whole file was read, so what the user
        // had stays as it was.
        ShowError(QStringLiteral("\"%1\" を開けませんでした。ファイルの形式が正しくないか、"
                                 "ファイルが壊れています。")
                      .arg(QDir::toNativeSeparators(path)),
                  ToQString(error.what()));
        return false;
    }
    m_importedName.clear();
    AddRecentFile(path);
    UpdateTitle();
    return true;
}

void CMainFrame::ShowError(const QString& text, const QString& detail)
{
    QMessageBox box(QMessageBox::Warning, LoadQString(IDS_APP_TITLE), text, QMessageBox::NoButton,
                    this);
    box.setInformativeText(detail);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

void CMainFrame::AddRecentFile(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_recentFiles.removeAll(absolute);
    m_recentFiles.prepend(absolute);
    while (m_recentFiles.size() > Settings::kRecentFileCount)
        m_recentFiles.removeLast();
    Settings::WriteRecentFiles(m_recentFiles);
    UpdateRecentFiles();
}

void CMainFrame::UpdateRecentFiles()
{
    // With no recent file the menu shows its placeholder, disabled.
    QAction* placeholder = m_actions.value(ID_FILE_MRU_FIRST);
    placeholder->setVisible(m_recentFiles.isEmpty());
    placeholder->setEnabled(false);
    for (int i = 0; i < m_recentActions.size(); ++i) {
        QAction* action = m_recentActions[i];
        if (i >= m_recentFiles.size()) {
            action->setVisible(false);
            continue;
        }
        const QString number = i < 9 ? QStringLiteral("&%1").arg(i + 1) : QStringLiteral("1&0");
        QString shown = QDir::toNativeSeparators(m_recentFiles[i]);
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        action->setText(number + QLatin1Char(' ') + shown);
        action->setVisible(true);
    }
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
