#include "app/CommandTable.h"

#include "app/MainFrame.h"
#include "render_gl/ModelView.h"
#include "score/ScoreView.h"

#include "qtcommon/CommandIds.h"
#include "qtcommon/QtText.h"
#include "qtcommon/UiLanguage.h"

#include <QCoreApplication>

#include <functional>
#include <optional>

namespace zelvane {

// Says a menu text in the program's language; the recording one below lists them instead.
using SayMenuText = std::function<QString(const char*)>;

namespace {

QString TranslateMenuText(const char* japanese)
{
    return QCoreApplication::translate(kMenuContext, japanese);
}

QKeySequence Key(QKeyCombination combination)
{
    return QKeySequence(combination);
}

// Prompts of the commands every document program has, and of the assist clap; the program's
// other commands take theirs from the string table.
struct FrameworkPrompt {
    int id;
    const char* text;
};
constexpr FrameworkPrompt kFrameworkPrompts[] = {
    {ID_FILE_NEW, "新規にファイルを作成\n新規作成"},
    {ID_FILE_OPEN, "既存のファイルを開く\n開く"},
    {ID_FILE_SAVE, "開いているファイルを上書きして保存\n上書き保存"},
    {ID_FILE_SAVE_AS, "開いているファイルに名前を付けて保存\n名前を付けて保存"},
    {ID_FILE_MRU_FIRST, "このファイルを開く"},
    {ID_APP_EXIT, "アプリケーションを終了し、ファイルの保存を指示\n終了"},
    {ID_EDIT_UNDO, "直前に行った動作を元に戻す\n元に戻す"},
    {ID_EDIT_REDO, "直前に取り消した動作をやり直す\nやり直し"},
    {ID_EDIT_CUT, "選択範囲を切り取ってクリップボードに移動\n切り取り"},
    {ID_EDIT_COPY, "選択範囲をコピーしてクリップボードに保存\nコピー"},
    {ID_EDIT_PASTE, "クリップボードの内容を挿入\n貼り付け"},
    {ID_EDIT_DELETE, "選択範囲を削除\n削除"},
    {ID_APP_ABOUT, "プログラムの情報、バージョンを表示\nバージョン情報"},
    {ID_NEXT_PANE, "次のウィンドウ枠に切り替え\n次のペイン"},
    {ID_PREV_PANE, "前のウィンドウ枠に切り替え\n前のペイン"},
    {ID_PLAY_ASSIST_CLAP, "再生中、ノートの位置でクリック音を鳴らす\nアシストクラップ"},
};

QString PromptString(int id, const SayMenuText& say)
{
    for (const FrameworkPrompt& entry : kFrameworkPrompts)
        if (entry.id == id)
            return say(entry.text);
    return LoadQString(static_cast<std::uint32_t>(id));
}

} // namespace

// The rows of the command table. A friend of the window: the handlers are its commands and
// the rules read its state.
struct FrameCommandRows {
    static QList<CommandEntry> Build(const SayMenuText& say);
};

namespace {

CommandEntry MakeCommand(int id, const QString& text, QList<QKeySequence> keys,
                         const SayMenuText& say)
{
    const QString prompt = PromptString(id, say);
    CommandEntry entry;
    entry.id = id;
    entry.text = text;
    entry.keys = std::move(keys);
    entry.prompt = prompt.section(QLatin1Char('\n'), 0, 0);
    entry.tooltip = prompt.section(QLatin1Char('\n'), 1, 1);
    return entry;
}

} // namespace

QList<CommandEntry> FrameCommandRows::Build(const SayMenuText& say)
{
    using Frame = CMainFrame;
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;

    // The rules the commands share.
    const CommandRule always = [](const Frame&) { return true; };
    const CommandRule never = [](const Frame&) { return false; };
    const CommandRule idle = [](const Frame& f) { return !f.m_viewState.playing(); };
    const CommandRule playing = [](const Frame& f) { return f.m_viewState.playing(); };
    // A chart with notes, while the song stands.
    const CommandRule idleWithChart = [](const Frame& f) {
        const CScore* score = f.m_document.scores().current();
        return !f.m_viewState.playing() && score && score->length() > 0;
    };
    // ... and, to be heard, a song that is no longer decoding.
    const CommandRule playable
        = [idleWithChart](const Frame& f) { return idleWithChart(f) && !f.m_songLoader.loading(); };

    const auto Row = [&say](int id, const char* text, QList<QKeySequence> keys, CommandHandler run,
                            CommandRule enabled) {
        CommandEntry entry = MakeCommand(id, *text ? say(text) : QString(), std::move(keys), say);
        entry.run = std::move(run);
        entry.enabled = std::move(enabled);
        return entry;
    };
    // A command whose menu text is the string table's.
    const auto TableRow
        = [&say](int id, std::uint32_t textId, CommandHandler run, CommandRule enabled) {
              CommandEntry entry = MakeCommand(id, LoadQString(textId), {}, say);
              entry.run = std::move(run);
              entry.enabled = std::move(enabled);
              return entry;
          };
    // A command of the score view: it runs there, under the view's own rule.
    const auto ScoreRow = [&Row](int id, const char* text, QList<QKeySequence> keys = {}) {
        return Row(
            id, text, std::move(keys), [id](Frame& f) { f.scoreView()->RunCommand(id); },
            [id](const Frame& f) { return f.scoreView()->IsCommandEnabled(id); });
    };
    // A switch the user flips; its handler reads the new state from the action.
    const auto Switch = [](CommandEntry entry) {
        entry.checkable = true;
        return entry;
    };
    // One of the two editing modes, checked while it is the view's.
    const auto Mode = [&ScoreRow](int id, const char* text, bool select) {
        CommandEntry entry = ScoreRow(id, text);
        entry.checkable = true;
        entry.checked = [select](const Frame& f) { return f.scoreView()->selectMode() == select; };
        return entry;
    };
    const auto InsertTempoEvent
        = [](int id) { return [id](Frame& f) { f.OnInsertTempoEvent(id); }; };
    const CommandRule tempoEdit
        = [](const Frame& f) { return f.scoreView()->IsTempoEditEnabled(); };

    return {
        Row(
            ID_FILE_NEW, "新規作成(&N)\tCtrl+N", {Key(ctrl | Qt::Key_N)},
            [](Frame& f) { f.OnFileNew(); }, always),
        Row(
            ID_FILE_OPEN, "開く(&O)...\tCtrl+O", {Key(ctrl | Qt::Key_O)},
            [](Frame& f) { f.OnFileOpen(); }, always),
        Row(
            ID_FILE_SAVE, "上書き保存(&S)\tCtrl+S", {Key(ctrl | Qt::Key_S)},
            [](Frame& f) { f.OnFileSave(); }, always),
        Row(
            ID_FILE_SAVE_AS, "名前を付けて保存(&A)...", {}, [](Frame& f) { f.OnFileSaveAs(); },
            always),
        Row(
            ID_FILE_AUDIO, "音声(&U)...", {}, [](Frame& f) { f.OnAudio(); }, idle),
        Row(
            ID_FILE_SONG_SETTINGS, "曲の設定(&G)...", {}, [](Frame& f) { f.OnSongSettings(); },
            idle),
        Row(
            ID_FILE_IMPORT_DWI, "DWI読み込み(&D)...", {}, [](Frame& f) { f.OnImportChart(); },
            idle),
        Row(
            ID_FILE_EXPORT_DWI, "DWI作成(&W)...", {}, [](Frame& f) { f.OnExportChart(); }, idle),
        Row(
            ID_FILE_MODEL, "モデル(&M)...", {}, [](Frame& f) { f.OnModel(); }, idle),
        Row(
            ID_FILE_MOTION_SETTINGS, "モーション設定(&T)...", {},
            [](Frame& f) { f.OnMotionSettings(); }, idle),
        Row(
            ID_FILE_CREATE_MOTION, "モーション作成(&I)...", {},
            [](Frame& f) { f.OnCreateMotion(); },
            [](const Frame& f) {
                return !f.m_viewState.playing() && f.m_document.scores().current() != nullptr;
            }),
        Row(
            ID_FILE_BACKGROUND_AVI, "背景AVI作成(&V)...", {}, [](Frame& f) { f.OnBackgroundAvi(); },
            idleWithChart),
        // The heading of the recent files, shown (disabled) while there are none; each file
        // is an action of its own below it.
        Row(ID_FILE_MRU_FIRST, "最近使ったファイル", {}, nullptr, never),
        Row(
            ID_APP_EXIT, "終了(&X)", {}, [](Frame& f) { f.close(); }, always),
        Row(
            ID_EDIT_UNDO, "元に戻す(&U)\tCtrl+Z",
            {Key(ctrl | Qt::Key_Z), Key(Qt::AltModifier | Qt::Key_Backspace)},
            [](Frame& f) { f.m_document.Undo(); },
            [](const Frame& f) { return !f.m_viewState.playing() && f.m_document.CanUndo(); }),
        Row(
            ID_EDIT_REDO, "やり直し(&R)\tCtrl+Y", {Key(ctrl | Qt::Key_Y)},
            [](Frame& f) { f.m_document.Redo(); },
            [](const Frame& f) { return !f.m_viewState.playing() && f.m_document.CanRedo(); }),
        ScoreRow(ID_EDIT_CUT, "切り取り(&T)\tCtrl+X",
                 {Key(ctrl | Qt::Key_X), Key(shift | Qt::Key_Delete)}),
        ScoreRow(ID_EDIT_COPY, "コピー(&C)\tCtrl+C",
                 {Key(ctrl | Qt::Key_C), Key(ctrl | Qt::Key_Insert)}),
        ScoreRow(ID_EDIT_PASTE, "貼り付け(&P)\tCtrl+V",
                 {Key(ctrl | Qt::Key_V), Key(shift | Qt::Key_Insert)}),
        // The Delete key belongs to the score view, not to the menu.
        ScoreRow(ID_EDIT_DELETE, "削除(&D)\tDel"),
        Mode(ID_EDIT_ADD_MODE, "追加モード(&M)", false),
        Mode(ID_EDIT_SELECT_MODE, "選択モード(&S)", true),
        ScoreRow(ID_EDIT_INSERT_ROWS, "行挿入(&I)\tIns", {Key(QKeyCombination(Qt::Key_Insert))}),
        TableRow(ID_EDIT_INSERT_TEMPO_CHANGE, IDS_MENU_INSERT_TEMPO_CHANGE,
                 InsertTempoEvent(ID_EDIT_INSERT_TEMPO_CHANGE), tempoEdit),
        TableRow(ID_EDIT_INSERT_STOP, IDS_MENU_INSERT_STOP, InsertTempoEvent(ID_EDIT_INSERT_STOP),
                 tempoEdit),
        TableRow(ID_EDIT_INSERT_DELAY, IDS_MENU_INSERT_DELAY,
                 InsertTempoEvent(ID_EDIT_INSERT_DELAY), tempoEdit),
        TableRow(
            ID_EDIT_DELETE_TEMPO_EVENTS, IDS_MENU_DELETE_TEMPO_EVENTS,
            [](Frame& f) { f.OnDeleteTempoEvents(); },
            [](const Frame& f) { return f.scoreView()->IsDeleteTempoEventsEnabled(); }),
        TableRow(
            ID_EDIT_DETECT_TEMPO, IDS_MENU_DETECT_TEMPO, [](Frame& f) { f.OnDetectTempo(); },
            [](const Frame& f) {
                return !f.m_viewState.playing() && !f.m_document.audio().path.empty();
            }),
        // "+" of the main keyboard is "=" unshifted on many layouts.
        Row(
            ID_VIEW_ZOOM_IN, "拡大(&I)\tCtrl +",
            {Key(ctrl | Qt::Key_Plus), Key(ctrl | Qt::Key_Equal),
             Key((ctrl | Qt::KeypadModifier) | Qt::Key_Plus)},
            [](Frame& f) { f.OnZoom(f.m_viewState.ZoomIn()); },
            [](const Frame& f) { return f.m_viewState.CanZoomIn(); }),
        Row(
            ID_VIEW_ZOOM_OUT, "縮小(&O)\tCtrl -",
            {Key(ctrl | Qt::Key_Minus), Key((ctrl | Qt::KeypadModifier) | Qt::Key_Minus)},
            [](Frame& f) { f.OnZoom(f.m_viewState.ZoomOut()); },
            [](const Frame& f) { return f.m_viewState.CanZoomOut(); }),
        // The score view takes Home and the arrows; no key of its own is a letter.
        Row(
            ID_VIEW_FRAME_ALL, "全体表示(&A)\tF", {Key(QKeyCombination(Qt::Key_F))},
            [](Frame& f) { f.m_modelView->FrameAll(); },
            [](const Frame& f) { return f.m_modelView->window() != nullptr; }),
        Switch(TableRow(
            ID_VIEW_WAVEFORM, IDS_MENU_VIEW_WAVEFORM, [](Frame& f) { f.OnWaveformSwitched(); },
            always)),
        Row(
            ID_VIEW_BACKGROUND_COLOR, "背景色(&B)...", {}, [](Frame& f) { f.OnColor(true); },
            always),
        Row(
            ID_VIEW_SCREEN_COLOR, "スクリーン色(&S)...", {}, [](Frame& f) { f.OnColor(false); },
            always),
        Row(
            ID_PLAY_FROM_START, "先頭から(&H)\tCtrl+F5", {Key(ctrl | Qt::Key_F5)},
            [](Frame& f) { f.OnPlay(true); }, playable),
        Row(
            ID_PLAY_FROM_CURSOR, "現在位置から(&P)\tF5", {Key(QKeyCombination(Qt::Key_F5))},
            [](Frame& f) { f.OnPlay(false); },
            [playable](const Frame& f) {
                return playable(f) && f.scoreView()->IsPlayFromCursorEnabled();
            }),
        // Ctrl+Pause arrives as Break on some keyboards.
        Row(
            ID_PLAY_STOP, "停止(&S)\tCtrl+Pause",
            {Key(ctrl | Qt::Key_Pause), Key(ctrl | Qt::Key_Cancel)},
            [](Frame& f) { f.m_clock.Stop(); }, playing),
        // The clap is mixed in when the song starts; switching it mid-song would do nothing.
        Switch(Row(
            ID_PLAY_ASSIST_CLAP, "アシストクラップ(&C)", {},
            [](Frame& f) { f.OnAssistClapSwitched(); }, idle)),
        Row(
            ID_APP_ABOUT, "バージョン情報(&A)...", {}, [](Frame& f) { f.OnAbout(); }, always),
        Row(
            ID_NEXT_PANE, "", {Key(QKeyCombination(Qt::Key_F6))},
            [](Frame& f) { f.OnSwitchPane(true); }, always),
        Row(
            ID_PREV_PANE, "", {Key(shift | Qt::Key_F6)}, [](Frame& f) { f.OnSwitchPane(false); },
            always),
    };
}

namespace {

QList<MenuSpec> BuildMenus(const SayMenuText& say)
{
    return {
        {say("ファイル(&F)"),
         {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_SAVE_AS, 0, ID_FILE_AUDIO,
          ID_FILE_SONG_SETTINGS, ID_FILE_IMPORT_DWI, ID_FILE_EXPORT_DWI, 0, ID_FILE_MODEL,
          ID_FILE_MOTION_SETTINGS, ID_FILE_CREATE_MOTION, 0, ID_FILE_BACKGROUND_AVI, 0,
          ID_FILE_MRU_FIRST, 0, ID_APP_EXIT}},
        {say("編集(&E)"),
         {ID_EDIT_UNDO, ID_EDIT_REDO, 0, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_DELETE,
          0, ID_EDIT_ADD_MODE, ID_EDIT_SELECT_MODE, 0, ID_EDIT_INSERT_ROWS, 0,
          ID_EDIT_INSERT_TEMPO_CHANGE, ID_EDIT_INSERT_STOP, ID_EDIT_INSERT_DELAY,
          ID_EDIT_DELETE_TEMPO_EVENTS, 0, ID_EDIT_DETECT_TEMPO}},
        {say("表示(&V)"),
         {ID_VIEW_ZOOM_IN, ID_VIEW_ZOOM_OUT, 0, ID_VIEW_FRAME_ALL, ID_VIEW_WAVEFORM, 0,
          ID_VIEW_BACKGROUND_COLOR, ID_VIEW_SCREEN_COLOR, 0, kLanguageMenu}},
        {say("再生(&P)"),
         {ID_PLAY_FROM_START, ID_PLAY_FROM_CURSOR, 0, ID_PLAY_STOP, 0, ID_PLAY_ASSIST_CLAP}},
        {say("ヘルプ(&H)"), {ID_APP_ABOUT}},
    };
}

// The tables are made once for each language they are asked in: the program speaks one
// language a run, and the tests ask for both.
template<typename Table>
const Table& ForCurrentLanguage(std::optional<Table> (&tables)[2],
                                Table (*build)(const SayMenuText&))
{
    std::optional<Table>& table = tables[CurrentUiLanguage() == UiLanguage::English ? 1 : 0];
    if (!table)
        table = build(TranslateMenuText);
    return *table;
}

} // namespace

const QList<CommandEntry>& CommandTable()
{
    static std::optional<QList<CommandEntry>> tables[2];
    return ForCurrentLanguage(tables, FrameCommandRows::Build);
}

QStringList MenuSourceTexts()
{
    QStringList texts;
    const SayMenuText record = [&texts](const char* japanese) {
        QString text = QString::fromUtf8(japanese);
        if (!texts.contains(text))
            texts.append(text);
        return text;
    };
    FrameCommandRows::Build(record);
    BuildMenus(record);
    return texts;
}

const CommandEntry* FindCommand(int id)
{
    for (const CommandEntry& entry : CommandTable())
        if (entry.id == id)
            return &entry;
    return nullptr;
}

const QList<MenuSpec>& MenuTable()
{
    static std::optional<QList<MenuSpec>> tables[2];
    return ForCurrentLanguage(tables, BuildMenus);
}

const QList<int>& ToolbarTable()
{
    static const QList<int> toolbar = {
        ID_FILE_NEW,
        ID_FILE_OPEN,
        ID_FILE_SAVE,
        0,
        ID_EDIT_CUT,
        ID_EDIT_COPY,
        ID_EDIT_PASTE,
        0,
        ID_EDIT_ADD_MODE,
        ID_EDIT_SELECT_MODE,
        0,
        ID_VIEW_ZOOM_IN,
        ID_VIEW_ZOOM_OUT,
        0,
        ID_PLAY_FROM_CURSOR,
        ID_PLAY_STOP,
    };
    return toolbar;
}

} // namespace zelvane
