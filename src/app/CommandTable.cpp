#include "app/CommandTable.h"

#include "qtcommon/CommandIds.h"
#include "qtcommon/QtText.h"
#include "qtcommon/UiLanguage.h"

#include <QCoreApplication>

#include <functional>
#include <optional>

namespace zelvane {
namespace {

// Says a menu text in the program's language; the recording one below lists them instead.
using SayMenuText = std::function<QString(const char*)>;

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

CommandEntry MakeCommand(int id, const QString& text, QList<QKeySequence> keys,
                         const SayMenuText& say)
{
    const QString prompt = PromptString(id, say);
    return CommandEntry{id, text, std::move(keys), prompt.section(QLatin1Char('\n'), 0, 0),
                        prompt.section(QLatin1Char('\n'), 1, 1)};
}

QList<CommandEntry> BuildCommands(const SayMenuText& say)
{
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    const auto Command = [&say](int id, const char* text, QList<QKeySequence> keys = {}) {
        return MakeCommand(id, *text ? say(text) : QString(), std::move(keys), say);
    };
    // A command whose menu text is the string table's.
    const auto TableCommand = [&say](int id, std::uint32_t textId) {
        return MakeCommand(id, LoadQString(textId), {}, say);
    };
    return {
        Command(ID_FILE_NEW, "新規作成(&N)\tCtrl+N", {Key(ctrl | Qt::Key_N)}),
        Command(ID_FILE_OPEN, "開く(&O)...\tCtrl+O", {Key(ctrl | Qt::Key_O)}),
        Command(ID_FILE_SAVE, "上書き保存(&S)\tCtrl+S", {Key(ctrl | Qt::Key_S)}),
        Command(ID_FILE_SAVE_AS, "名前を付けて保存(&A)..."),
        Command(ID_FILE_AUDIO, "音声(&U)..."),
        Command(ID_FILE_SONG_SETTINGS, "曲の設定(&G)..."),
        Command(ID_FILE_IMPORT_DWI, "DWI読み込み(&D)..."),
        Command(ID_FILE_EXPORT_DWI, "DWI作成(&W)..."),
        Command(ID_FILE_MODEL, "モデル(&M)..."),
        Command(ID_FILE_MOTION_SETTINGS, "モーション設定(&T)..."),
        Command(ID_FILE_CREATE_MOTION, "モーション作成(&I)..."),
        Command(ID_FILE_BACKGROUND_AVI, "背景AVI作成(&V)..."),
        Command(ID_FILE_MRU_FIRST, "最近使ったファイル"),
        Command(ID_APP_EXIT, "終了(&X)"),
        Command(ID_EDIT_UNDO, "元に戻す(&U)\tCtrl+Z",
                {Key(ctrl | Qt::Key_Z), Key(Qt::AltModifier | Qt::Key_Backspace)}),
        Command(ID_EDIT_REDO, "やり直し(&R)\tCtrl+Y", {Key(ctrl | Qt::Key_Y)}),
        Command(ID_EDIT_CUT, "切り取り(&T)\tCtrl+X",
                {Key(ctrl | Qt::Key_X), Key(shift | Qt::Key_Delete)}),
        Command(ID_EDIT_COPY, "コピー(&C)\tCtrl+C",
                {Key(ctrl | Qt::Key_C), Key(ctrl | Qt::Key_Insert)}),
        Command(ID_EDIT_PASTE, "貼り付け(&P)\tCtrl+V",
                {Key(ctrl | Qt::Key_V), Key(shift | Qt::Key_Insert)}),
        // The Delete key belongs to the score view, not to the menu.
        Command(ID_EDIT_DELETE, "削除(&D)\tDel"),
        Command(ID_EDIT_ADD_MODE, "追加モード(&M)"),
        Command(ID_EDIT_SELECT_MODE, "選択モード(&S)"),
        Command(ID_EDIT_INSERT_ROWS, "行挿入(&I)\tIns", {Key(QKeyCombination(Qt::Key_Insert))}),
        TableCommand(ID_EDIT_INSERT_TEMPO_CHANGE, IDS_MENU_INSERT_TEMPO_CHANGE),
        TableCommand(ID_EDIT_INSERT_STOP, IDS_MENU_INSERT_STOP),
        TableCommand(ID_EDIT_INSERT_DELAY, IDS_MENU_INSERT_DELAY),
        TableCommand(ID_EDIT_DELETE_TEMPO_EVENTS, IDS_MENU_DELETE_TEMPO_EVENTS),
        TableCommand(ID_EDIT_DETECT_TEMPO, IDS_MENU_DETECT_TEMPO),
        // "+" of the main keyboard is "=" unshifted on many layouts.
        Command(ID_VIEW_ZOOM_IN, "拡大(&I)\tCtrl +",
                {Key(ctrl | Qt::Key_Plus), Key(ctrl | Qt::Key_Equal),
                 Key((ctrl | Qt::KeypadModifier) | Qt::Key_Plus)}),
        Command(ID_VIEW_ZOOM_OUT, "縮小(&O)\tCtrl -",
                {Key(ctrl | Qt::Key_Minus), Key((ctrl | Qt::KeypadModifier) | Qt::Key_Minus)}),
        // The score view takes Home and the arrows; no key of its own is a letter.
        Command(ID_VIEW_FRAME_ALL, "全体表示(&A)\tF", {Key(QKeyCombination(Qt::Key_F))}),
        TableCommand(ID_VIEW_WAVEFORM, IDS_MENU_VIEW_WAVEFORM),
        Command(ID_VIEW_BACKGROUND_COLOR, "背景色(&B)..."),
        Command(ID_VIEW_SCREEN_COLOR, "スクリーン色(&S)..."),
        Command(ID_PLAY_FROM_START, "先頭から(&H)\tCtrl+F5", {Key(ctrl | Qt::Key_F5)}),
        Command(ID_PLAY_FROM_CURSOR, "現在位置から(&P)\tF5", {Key(QKeyCombination(Qt::Key_F5))}),
        // Ctrl+Pause arrives as Break on some keyboards.
        Command(ID_PLAY_STOP, "停止(&S)\tCtrl+Pause",
                {Key(ctrl | Qt::Key_Pause), Key(ctrl | Qt::Key_Cancel)}),
        Command(ID_PLAY_ASSIST_CLAP, "アシストクラップ(&C)"),
        Command(ID_APP_ABOUT, "バージョン情報(&A)..."),
        Command(ID_NEXT_PANE, "", {Key(QKeyCombination(Qt::Key_F6))}),
        Command(ID_PREV_PANE, "", {Key(shift | Qt::Key_F6)}),
    };
}

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
    return ForCurrentLanguage(tables, BuildCommands);
}

QStringList MenuSourceTexts()
{
    QStringList texts;
    const SayMenuText record = [&texts](const char* japanese) {
        const QString text = QString::fromUtf8(japanese);
        if (!texts.contains(text))
            texts.append(text);
        return text;
    };
    BuildCommands(record);
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
