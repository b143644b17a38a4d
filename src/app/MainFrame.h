#pragma once

#include "app/AppDocumentHost.h"
#include "chart/DocumentView.h"
#include "chart/StepDocument.h"
#include "media/FfmpegAudioMeasurer.h"

#include <QHash>
#include <QMainWindow>

class QAction;
class QMenu;
class QSplitter;

namespace zelvane {

class CModelView;
class CScorePane;
class CWaitDialog;

// The program's window: menus, toolbar and status bar around a splitter with the score
// pane on the left and the 3D view on the right. It owns the one document and turns the
// user's commands into calls on it.
class CMainFrame : public QMainWindow, public IStepDocumentView {
    Q_OBJECT
public:
    static constexpr const char* kPlacementGroup = "Window";

    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    CStepDocument& document() { return m_document; }
    QAction* action(int commandId) const { return m_actions.value(commandId); }
    QMenu* menu(int index) const { return m_menus.value(index); }
    const QList<QAction*>& recentFileActions() const { return m_recentActions; }
    QSplitter* splitter() const { return m_splitter; }
    CScorePane* scorePane() const { return m_scorePane; }
    // The right pane: the 3D view.
    CModelView* modelView() const { return m_modelView; }
    QWidget* modelViewPlace() const;

    // Shows the window where and as it was last closed.
    void ShowWithSavedPlacement();
    // Opens a file by its extension: ".pmd" is a model for the current document, ".dwi" a
    // chart to import, anything else a document. Returns whether it was taken.
    bool OpenFile(const QString& path);
    // Enables, checks and relabels every command from the document's state.
    void UpdateCommandStates();

    void OnUpdate(IStepDocumentView* sender, UpdateHint hint, CScore* score) override;

signals:
    // A background video has started; the dialog shows its progress until it ends.
    void backgroundVideoStarted(CWaitDialog* dialog);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateClient();
    void Run(int commandId);

    // --- Commands ---
    void OnFileNew();
    void OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();
    void OnAudio();
    void OnImportDwi();
    void OnExportDwi();
    void OnSongSettings();
    void OnModel();
    void OnMotionSettings();
    void OnCreateMotion();
    void OnBackgroundAvi();
    void OnColor(bool background);
    void OnUndo();
    void OnRedo();
    void OnAbout();
    void OnSwitchPane(bool forward);

    // --- Documents ---
    // Asks whether to save a modified document; false when the user cancels.
    bool SaveModified();
    bool SaveTo(const QString& path);
    bool OpenDocumentFile(const QString& path);
    void LoadModel(const QString& path);
    bool ImportDwiFile(const QString& path);
    // The name the window shows for the document: its file's, the imported chart's while
    // it has no file, or 無題.
    QString DocumentName() const;
    // A warning, or with `severe` an error, with the technical detail on a line of its own.
    void ShowError(const QString& text, const QString& detail = QString(), bool severe = false);
    void UpdateTitle();
    void AddRecentFile(const QString& path);
    void UpdateRecentFiles();
    void UpdateModelPlace();

    CAppDocumentHost m_host;
    FfmpegAudioMeasurer m_audio;
    CStepDocument m_document;
    QHash<int, QAction*> m_actions;
    QList<QMenu*> m_menus;
    QList<QAction*> m_recentActions;
    QStringList m_recentFiles;
    QSplitter* m_splitter = nullptr;
    CScorePane* m_scorePane = nullptr;
    CModelView* m_modelView = nullptr;
    bool m_splitterPlaced = false;
    bool m_writingVideo = false;
    QString m_importedName;
};

} // namespace zelvane
