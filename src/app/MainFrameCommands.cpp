// The File menu's work on documents, songs, charts, models and motions, and the colours:
// each command asks the user what it needs and hands the rest to the document.
#include "app/MainFrame.h"

#include "app/AviCodecDialog.h"
#include "app/BackgroundVideoRun.h"
#include "app/ColorRef.h"
#include "app/DwiFileImport.h"
#include "app/ErrorDialog.h"
#include "app/ErrorMessages.h"
#include "app/FileDialogs.h"
#include "app/MotionOptionDialog.h"
#include "app/PlayerDialog.h"
#include "app/Prompter.h"
#include "app/Settings.h"
#include "app/SongDialog.h"
#include "app/StepManiaImport.h"
#include "chart/BackgroundVideo.h"
#include "chart/commands/MotionOptionCommand.h"
#include "chart/commands/SongPropertyCommand.h"
#include "dwi/DwiReader.h"
#include "dwi/DwiWriter.h"
#include "model/ModelMeasurements.h"
#include "model/NameIds.h"
#include "qtcommon/CommandIds.h"
#include "qtcommon/QtText.h"
#include "render_gl/ModelView.h"
#include "score/ScorePane.h"
#include "score/ScoreView.h"
#include "stepmania/SmWriter.h"
#include "text/Encoding.h"
#include "text/Errors.h"
#include "text/FileIo.h"

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace zelvane {
namespace {

// A message of the table that names a file: the name as the user's system writes it.
QString FileMessage(std::uint32_t id, const QString& path)
{
    return FormatQString(id, {ToStdString(QDir::toNativeSeparators(path))});
}

// Files made from a document belong beside it: a proposed name without a folder starts
// there, or, while the document has no file, in the folder remembered for the kind.
QString BesideDocument(const std::string& proposed, const CStepDocument& document)
{
    QString name = ToQString(proposed);
    if (name.contains(QLatin1Char('/')) || document.pathName().empty())
        return name;
    return QFileInfo(FromPath(document.pathName())).absolutePath() + QLatin1Char('/') + name;
}

bool IsStepManiaFile(const QString& path)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    return extension == QLatin1String("sm") || extension == QLatin1String("ssc");
}

// Each export writes through a temporary file and a rename, and returns what the file
// could not hold, in the program's words (empty when it holds everything).
QString ExportDwi(const CStepDocument& document, const std::filesystem::path& path)
{
    const DwiExportOmissions omissions = WriteDwi(document, path);
    if (omissions.empty())
        return QString();
    return FormatQString(IDS_DWI_EXPORT_LEFT_OUT,
                         {std::to_string(omissions.warps), std::to_string(omissions.startDelays)});
}

QString ExportStepMania(const CStepDocument& document, const std::filesystem::path& path)
{
    const SmWritten written = WriteSmText(document, path);
    WriteFileAtomically(path, AsBytes(written.text));
    QString text;
    for (const Reason& reason : written.leftOut)
        text += (text.isEmpty() ? QString() : QStringLiteral("\n")) + ReasonText(reason);
    return text;
}

} // namespace

void CMainFrame::OnFileNew()
{
    if (!SaveModified())
        return;
    m_document.NewDocument();
    m_modelView->InitialUpdate();
    m_importedName.clear();
    StartEditing();
    UpdateTitle();
    m_recovery.Save();
}

void CMainFrame::StartEditing()
{
    CScoreView* view = m_scorePane->scoreView();
    view->InitialUpdate();
    view->setFocus();
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
    const QString path = PromptFileName(FileDialogMode::Open, ToQString(m_document.audio().path),
                                        IDS_FILTER_AUDIO, QStringLiteral("AudioDirectory"), this);
    if (path.isEmpty())
        return;
    // The song decodes in the background; its length and the player follow.
    m_document.SetAudio(ToStdString(path));
}

void CMainFrame::OnImportChart()
{
    const QString path
        = PromptFileName(FileDialogMode::Open, QString(),
                         {IDS_FILTER_CHARTS, IDS_FILTER_DWI, IDS_FILTER_SM, IDS_FILTER_SSC},
                         QStringLiteral("DWIDirectory"), this);
    if (!path.isEmpty())
        ImportChartFile(path);
}

bool CMainFrame::ImportChartFile(const QString& path)
{
    const auto confirmReplace = [this] {
        QMessageBox box(QMessageBox::Warning, LoadQString(IDS_APP_TITLE),
                        LoadQString(IDS_DWI_REPLACE_CONFIRM), QMessageBox::NoButton, this);
        QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        QPushButton* cancel
            = box.addButton(LoadQString(IDS_BUTTON_CANCEL), QMessageBox::RejectRole);
        // Replacing every chart is not to happen by a hasty Enter.
        box.setDefaultButton(cancel);
        RunModal(box);
        return box.clickedButton() == ok;
    };
    // The extension chooses the reader; any other name is read as DWI, as it always was.
    DwiImportResult result;
    try {
        result = IsStepManiaFile(path) ? ImportStepMania(m_document, ToPath(path), confirmReplace)
                                       : ImportDwiFile(m_document, ToPath(path), confirmReplace);
    } catch (const NotDwiFileError& error) {
        // Said as what it is, not as a damaged chart; the reason is the detail.
        ShowError(FileMessage(IDS_DWI_NOT_DWI, path), ReasonText(error.why()));
        return false;
    } catch (const std::exception& error) {
        ShowError(FileMessage(IDS_CANNOT_READ, path), error);
        return false;
    }
    if (!result.imported) {
        // Declined (no text), or the file could not be read (the reason). A file that is not
        // there is said in the program's own words; any other reason is the detail.
        if (result.errors.empty())
            return false;
        // The reason is worded in Japanese alone: an English dialog goes without it.
        if (!QFileInfo(path).isFile())
            ShowError(FormatQString(IDS_FILE_NOT_FOUND, {ToStdString(QFileInfo(path).fileName())}));
        else
            ShowError(FileMessage(IDS_CANNOT_READ, path) + QLatin1Char('\n')
                          + LoadQString(IDS_ERROR_FILE_ACCESS),
                      CurrentUiLanguage() == UiLanguage::Japanese ? ToQString(result.errors)
                                                                  : QString());
        return false;
    }
    if (!result.errors.empty()) {
        CErrorDialog errors(ToQString(result.errors), this);
        RunModal(errors);
    }
    if (m_document.pathName().empty())
        m_importedName = QFileInfo(path).completeBaseName();
    UpdateTitle();
    return true;
}

void CMainFrame::OnExportChart()
{
    const std::string proposed
        = ToStdString(QFileInfo(DocumentName()).completeBaseName() + QStringLiteral(".dwi"));
    const QString path = PromptFileName(FileDialogMode::Save, BesideDocument(proposed, m_document),
                                        {IDS_FILTER_DWI, IDS_FILTER_SM, IDS_FILTER_SSC},
                                        QStringLiteral("DWIDirectory"), this);
    if (path.isEmpty())
        return;
    // The extension chooses the format; any other name is written as DWI, as it always was.
    QString leftOut;
    try {
        leftOut = IsStepManiaFile(path) ? ExportStepMania(m_document, ToPath(path))
                                        : ExportDwi(m_document, ToPath(path));
    } catch (const std::exception& error) {
        ShowError(FileMessage(IDS_CANNOT_WRITE, path), error);
        return;
    }
    // The file is written; the user learns once what of the tempo map it could not hold.
    if (!leftOut.isEmpty()) {
        QMessageBox box(QMessageBox::Warning, LoadQString(IDS_APP_TITLE), leftOut,
                        QMessageBox::NoButton, this);
        box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        RunModal(box);
    }
}

void CMainFrame::OnSongSettings()
{
    const SongProperties current{m_document.description().title, m_document.description().artist,
                                 m_document.tempoMap().songBpm(), m_document.description().gap};
    CSongDialog dialog(current, this);
    if (RunModal(dialog) != QDialog::Accepted)
        return;
    try {
        m_document.Execute(std::make_unique<CSongPropertyCommand>(&m_document, dialog.values()),
                           nullptr);
    } catch (const CoreError& error) {
        ShowError(LoadQString(IDS_CANNOT_CHANGE_SONG), error);
    }
}

void CMainFrame::OnModel()
{
    const QString path = PromptFileName(FileDialogMode::Open, ToQString(m_document.model().path),
                                        IDS_FILTER_MODEL, QStringLiteral("ModelDirectory"), this);
    if (!path.isEmpty())
        LoadModel(path);
}

void CMainFrame::LoadModel(const QString& path)
{
    try {
        m_document.ChangeModel(ToStdString(path));
    } catch (const std::exception& error) {
        // The dancer stays as it was; the reason goes on a line of its own.
        ShowError(FileMessage(IDS_CANNOT_LOAD_MODEL, path), error);
        return;
    }
    m_document.SetModifiedFlag(true);
    m_document.UpdateAllViews(nullptr, UpdateHint::Model);
    if (const CModelDocument* model = m_document.model().document.get()) {
        // The comment, and below it the standard bones the dance would move that this model
        // lacks: those keep still while it dances.
        QString text = ToQString(model->comment);
        const std::vector<int> missing = MissingDanceBones(*model);
        if (!missing.empty()) {
            std::string names;
            for (int id : missing) {
                if (!names.empty())
                    names += LoadString(IDS_TEXTURE_NAME_SEPARATOR);
                names += IDToName(id);
            }
            text += QStringLiteral("\n\n")
                + ToQString(FormatString(IDS_MODEL_MISSING_BONES, {names}));
        }
        QMessageBox box(QMessageBox::Information, LoadQString(IDS_APP_TITLE), text,
                        QMessageBox::NoButton, this);
        box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        RunModal(box);
    }
}

void CMainFrame::OnCreateMotion()
{
    CScore* score = m_document.scores().current();
    if (!score)
        return;
    std::size_t player = 0;
    if (score->style() == Style::COUPLE) {
        CPlayerDialog dialog(this);
        if (RunModal(dialog) != QDialog::Accepted)
            return;
        player = static_cast<std::size_t>(dialog.selectedPlayer());
    }
    const QString path = PromptFileName(
        FileDialogMode::Save, BesideDocument(score->ProposedMotionPath(player), m_document),
        IDS_FILTER_MOTION, QStringLiteral("MotionDirectory"), this);
    if (path.isEmpty())
        return;
    const CModelDocument* model = m_document.model().document.get();
    const std::string modelName
        = model ? model->name : std::string(LoadString(IDS_DEFAULT_MODEL_NAME));
    // The export waits for the dancer's background work to finish.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        score->players().at(player)->WriteMotion(ToPath(path), modelName);
    } catch (const std::exception& error) {
        QApplication::restoreOverrideCursor();
        ShowError(FileMessage(IDS_CANNOT_WRITE, path), error);
        return;
    }
    QApplication::restoreOverrideCursor();
}

void CMainFrame::OnBackgroundAvi()
{
    CScore* score = m_document.scores().current();
    if (m_viewState.playing() || !score || score->length() <= 0)
        return;
    const QString path
        = PromptFileName(FileDialogMode::Save, BesideDocument(ProposedAviPath(*score), m_document),
                         IDS_FILTER_AVI, QStringLiteral("AVIDirectory"), this);
    if (path.isEmpty())
        return;
    CAviCodecDialog codecs(this);
    if (RunModal(codecs) != QDialog::Accepted)
        return;
    m_writingVideo = true;
    const BackgroundVideoOutcome outcome = RunBackgroundVideo(
        this, *score, m_viewState.clocksPerRow(), BackgroundVideoFrames(*score), ToPath(path),
        codecs.options(), [this](CWaitDialog& dialog) { emit backgroundVideoStarted(&dialog); });
    m_writingVideo = false;
    if (outcome.failure) {
        try {
            std::rethrow_exception(outcome.failure);
        } catch (const std::exception& error) {
            ShowError(LoadQString(IDS_AVI_CANNOT_CREATE), error, true);
        }
        return;
    }
    // A stopped video is a shorter video, and the place to propose next time all the same.
    score->SetAviPath(ToStdString(path));
    m_document.SetModifiedFlag(true);
}

void CMainFrame::OnMotionSettings()
{
    CMotionOptionDialog dialog(m_document.motionOptions(), m_document.dancing().feet, this);
    if (RunModal(dialog) != QDialog::Accepted)
        return;
    // The foot assignment is the user's setting, outside the edit history; the options
    // command below makes every score dance anew with it.
    if (dialog.feet() != m_document.dancing().feet) {
        m_document.SetDancing({m_document.dancing().dancesCharts, dialog.feet()});
        Settings::WriteFootAssignment(dialog.feet());
    }
    try {
        m_document.Execute(std::make_unique<CMotionOptionCommand>(&m_document, dialog.values()),
                           nullptr);
    } catch (const CoreError& error) {
        ShowError(LoadQString(IDS_CANNOT_CHANGE_MOTION_OPTIONS), error);
    }
}

void CMainFrame::OnColor(bool background)
{
    const std::uint32_t current
        = background ? m_document.colors().background : m_document.colors().screen;
    QColorDialog dialog(FromColorRef(current), this);
    // Titled as the command's tooltip names it.
    dialog.setWindowTitle(
        CommandTooltip(background ? ID_VIEW_BACKGROUND_COLOR : ID_VIEW_SCREEN_COLOR));
    if (RunModal(dialog) != QDialog::Accepted)
        return;
    const QColor chosen = dialog.selectedColor();
    if (!chosen.isValid() || ToColorRef(chosen) == current)
        return;
    // Colours are a preference of the user, not part of the edit history.
    ColorSettings colors = m_document.colors();
    if (background) {
        colors.background = ToColorRef(chosen);
        Settings::WriteBackgroundColor(ToColorRef(chosen));
    } else {
        colors.screen = ToColorRef(chosen);
        Settings::WriteScreenColor(ToColorRef(chosen));
    }
    m_document.SetColors(colors);
    m_document.UpdateAllViews(nullptr, UpdateHint::Color);
}

// --- Documents ---

bool CMainFrame::SaveModified()
{
    if (!m_document.IsModified())
        return true;
    const QString name = DocumentName();
    QMessageBox box(QMessageBox::Question, LoadQString(IDS_APP_TITLE),
                    FormatQString(IDS_SAVE_CHANGES_QUESTION, {ToStdString(name)}),
                    QMessageBox::NoButton, this);
    QPushButton* yes = box.addButton(LoadQString(IDS_BUTTON_YES), QMessageBox::YesRole);
    QPushButton* no = box.addButton(LoadQString(IDS_BUTTON_NO), QMessageBox::NoRole);
    box.addButton(LoadQString(IDS_BUTTON_CANCEL), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    RunModal(box);
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
        ShowError(FileMessage(IDS_CANNOT_SAVE, path), error);
        return false;
    }
    AddRecentFile(path);
    UpdateTitle();
    m_recovery.Save();
    return true;
}

bool CMainFrame::OpenFile(const QString& path)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    if (extension == QLatin1String("pmd") || extension == QLatin1String("pmx")) {
        LoadModel(path);
        UpdateCommandStates();
        return true;
    }
    if (extension == QLatin1String("dwi") || IsStepManiaFile(path)) {
        const bool imported = ImportChartFile(path);
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
    } catch (const std::exception& error) {
        // The document is replaced only after the whole file was read, so what the user
        // had stays as it was.
        ShowError(FileMessage(IDS_CANNOT_OPEN, path), error);
        return false;
    }
    m_modelView->InitialUpdate();
    m_importedName.clear();
    AddRecentFile(path);
    StartEditing();
    UpdateTitle();
    m_recovery.Save();
    return true;
}

void CMainFrame::OfferRecovery()
{
    if (!m_recovery.HasLeftover())
        return;
    QMessageBox box(QMessageBox::Question, LoadQString(IDS_APP_TITLE),
                    LoadQString(IDS_RECOVERY_QUESTION), QMessageBox::NoButton, this);
    QPushButton* restore = box.addButton(LoadQString(IDS_BUTTON_RESTORE), QMessageBox::AcceptRole);
    box.addButton(LoadQString(IDS_BUTTON_DISCARD), QMessageBox::DestructiveRole);
    box.setDefaultButton(restore);
    RunModal(box);
    if (box.clickedButton() != restore) {
        m_recovery.Discard();
        return;
    }
    try {
        m_recovery.Restore();
    } catch (const std::exception& error) {
        ShowError(LoadQString(IDS_CANNOT_RESTORE), error);
        return;
    }
    m_importedName.clear();
    UpdateTitle();
}

void CMainFrame::ShowError(const QString& text, const QString& detail, bool severe)
{
    QMessageBox box(severe ? QMessageBox::Critical : QMessageBox::Warning,
                    LoadQString(IDS_APP_TITLE), text, QMessageBox::NoButton, this);
    box.setInformativeText(detail);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    RunModal(box);
}

void CMainFrame::ShowError(const QString& text, const std::exception& error, bool severe)
{
    // A kind whose message is the text itself (a video file that cannot be created) is not
    // said twice.
    const ErrorText failure = DescribeError(error);
    const bool sameWords = text.isEmpty() || text == failure.message;
    ShowError(sameWords ? failure.message : text + QLatin1Char('\n') + failure.message,
              failure.detail, severe);
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

} // namespace zelvane
