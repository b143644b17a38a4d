#include "text/StringTable.h"

#include <algorithm>
#include <array>
#include <span>

namespace zelvane {
namespace {

struct Entry {
    std::uint32_t id;
    std::string_view text;
};

// Sorted by ID: lookups by ID are binary searches and the text search walks the blocks in
// ascending order.
constexpr Entry kEntries[] = {
    {128,
     "Zelvane\n\nZelvane\nZelvaneファイル (*.zlvm)\n.zlvm\nZelvane.Document\nZelvane.Document"},
    {129, "長さの変更"},
    {130, "削除"},
    {131, "行挿入"},
    {132, "移動"},
    {133, "追加"},
    {134, "'%c' には対応していません。"},
    {135, "\"%s\" には対応していません。"},
    {136, "%d行目:"},
    {137, "DWIファイル(*.dwi)|*.dwi"},
    {138, "\"%s\"というファイルはありません。"},
    {139, "モデルファイル(*.pmd)|*.pmd"},
    {140, "AVIファイル(*.avi)|*.avi"},
    {141, "%d/%d フレーム"},
    {142, "AVIファイルを作成できません"},
    {143, "現在の譜面は消去されます。"},
    {144, "曲の設定"},
    {145, "モーション設定"},
    {146, "モーションファイル(*.vmd)|*.vmd"},
    {147, "初音ミク"},
    {148, "音声ファイル(*.wav;*.mp3)|*.wav;*.mp3"},
    {500, "センター"},
    {501, "左足"},
    {502, "右足"},
    {503, "モデル情報"},
    {504, "上半身"},
    {505, "複数のMMDが動作しています。"},
    {506, "MMDが動作していません。"},
    {507, "左足ＩＫ"},
    {508, "右足ＩＫ"},
    {509, "左ひざ"},
    {510, "左腕"},
    {511, "左ひじ"},
    {512, "左手首"},
    {513, "左人指１"},
    {514, "左人指２"},
    {515, "左人指３"},
    {516, "左中指１"},
    {517, "左中指２"},
    {518, "左中指３"},
    {519, "左薬指１"},
    {520, "左薬指２"},
    {521, "左薬指３"},
    {522, "左小指１"},
    {523, "左小指２"},
    {524, "左小指３"},
    {525, "左親指１"},
    {526, "左親指２"},
    {527, "右ひざ"},
    {528, "首"},
    {529, "頭"},
    {530, "右腕"},
    {531, "右ひじ"},
    {532, "右手首"},
    {533, "右人指１"},
    {534, "右人指２"},
    {535, "右人指３"},
    {536, "右中指１"},
    {537, "右中指２"},
    {538, "右中指３"},
    {539, "右薬指１"},
    {540, "右薬指２"},
    {541, "右薬指３"},
    {542, "右小指１"},
    {543, "右小指２"},
    {544, "右小指３"},
    {545, "右親指１"},
    {546, "右親指２"},
    {547, "両目"},
    {548, "左目"},
    {549, "右目"},
    {550, "下半身"},
    {551, "左つま先ＩＫ"},
    {552, "右つま先ＩＫ"},
    {900, "元に戻す(&U)\tCtrl+Z"},
    {901, "やり直し\tCtrl+Y"},
    {902, "切り取り"},
    {903, "貼り付け"},
    {32771, "拡大表示\n拡大"},
    {32772, "縮小表示\n縮小"},
    {32773, "新しい行を挿入\n行挿入"},
    {32776, "先頭から再生\n先頭から"},
    {32777, "現在位置から再生\n現在位置から"},
    {32778, "再生停止\n停止"},
    {32781, "矢印を追加\n追加"},
    {32782, "範囲を選択\n選択"},
    {32786, "モデルの読み込み\nモデル"},
    {32793, "背景AVIファイルを作成\n背景AVI作成"},
    {32794, "DWIファイルを読み込む\nDWI読み込み"},
    {32796, "曲名やテンポの設定\n曲の設定"},
    {32798, "モーション生成の設定\nモーション設定"},
    {32801, "モーションファイルを作成\nモーション作成"},
    {32803, "背景色の設定\n背景色"},
    {32805, "スクリーン色の設定\nスクリーン色"},
    {32806, "音声ファイルの読み込み\n音声"},
    {32808, "DWIファイルを作成\nDWI作成"},
    {IDS_ERROR_CHART_LIMIT, "譜面が長さの上限 (曲のテンポで2時間) を超えます。"},
    {IDS_ERROR_INVALID_ARGUMENT, "値が正しくありません。"},
    {IDS_ERROR_END_OF_FILE, "ファイルが途中で終わっています。"},
    {IDS_ERROR_FILE_FORMAT, "ファイルの形式が正しくないか、ファイルが壊れています。"},
    {IDS_ERROR_FILE_ACCESS, "ファイルを開けないか、読み書きできません。"},
    {IDS_ERROR_MEDIA, "ビデオの圧縮でエラーが発生しました。"},
    {IDS_ERROR_WORKER, "ダンスを作れませんでした。"},
    {IDS_ERROR_OUT_OF_MEMORY, "メモリが足りません。"},
    {IDS_ERROR_UNEXPECTED, "予期しないエラーが発生しました。"},
    {IDS_CANNOT_OPEN, "\"%s\" を開けませんでした。"},
    {IDS_CANNOT_READ, "\"%s\" を読み込めませんでした。"},
    {IDS_CANNOT_WRITE, "\"%s\" に書き込めませんでした。"},
    {IDS_CANNOT_SAVE, "\"%s\" に保存できませんでした。"},
    {IDS_CANNOT_LOAD_MODEL, "\"%s\" をモデルとして読み込めませんでした。"},
    {IDS_CANNOT_USE_FILE, "\"%s\" は読み込めない形式のファイルです。"},
    {IDS_CANNOT_CHANGE_SONG, "曲の設定を変更できませんでした。"},
    {IDS_CANNOT_CHANGE_MOTION_OPTIONS, "モーション設定を変更できませんでした。"},
    {IDS_CANNOT_RESTORE, "変更を復元できませんでした。"},
    {IDS_EDIT_REFUSED, "この編集はできません。"},
    {IDS_SAVE_CHANGES_QUESTION, "%s への変更を保存しますか?"},
    {IDS_RECOVERY_QUESTION,
     "前回、保存されていない変更を残したまま終了しました。\n変更を復元しますか?"},
    {IDS_NO_AUDIO_OUTPUT, "音声を出力できる装置がありません。音を出さずに再生します。"},
    {IDS_NUMBER_REQUIRED, "数値を入力してください。"},
    {IDS_GL_OFFSCREEN, "3D表示: このディスプレイではOpenGLを使えません (offscreen)"},
    {IDS_GL_NO_CONTEXT, "3D表示: OpenGLのコンテキストを作成できません"},
    {IDS_GL_VERSION_TOO_LOW, "3D表示: OpenGL 3.3が必要です (このディスプレイは%d.%d)"},
    {IDS_GL_CONTEXT_UNUSABLE, "3D表示: OpenGLのコンテキストを使えません"},
    {IDS_GL_NO_CORE_CONTEXT, "3D表示: OpenGL 3.3のコンテキストを作成できません"},
    {IDS_GL_NO_SHADERS, "3D表示: シェーダーを作成できません"},
    {IDS_UNTITLED, "無題"},
    {IDS_TOOLBAR, "ツール バー"},
    {IDS_BUTTON_CANCEL, "キャンセル"},
    {IDS_BUTTON_YES, "はい(&Y)"},
    {IDS_BUTTON_NO, "いいえ(&N)"},
    {IDS_BUTTON_RESTORE, "復元"},
    {IDS_BUTTON_DISCARD, "破棄"},
    {IDS_BUTTON_ABORT, "中止"},
    {IDS_BUTTON_IGNORE, "無視(I)"},
    {IDS_BUTTON_BROWSE, "参照(&B)..."},
    {IDS_ERROR_TITLE, "エラー"},
    {IDS_ERROR_LIST_LEAD, "正常に読めなかったデータがあります。"},
    {IDS_AVI_WAIT_TITLE, "AVIファイル作成中"},
    {IDS_AVI_CODEC_TITLE, "ビデオの圧縮"},
    {IDS_AVI_UNCOMPRESSED, "非圧縮 (BGR24)"},
    {IDS_AVI_LOSSLESS, " (可逆圧縮)"},
    {IDS_AVI_LOSSY, " (非可逆圧縮)"},
    {IDS_AVI_DEFAULT, "既定"},
    {IDS_AVI_KEY_FRAME_SUFFIX, " フレームごと"},
    {IDS_AVI_NO_DATA_RATE, "指定なし"},
    {IDS_AVI_CODEC_LABEL, "圧縮プログラム(&C):"},
    {IDS_AVI_QUALITY_LABEL, "品質(&Q):"},
    {IDS_AVI_KEY_FRAME_LABEL, "キーフレーム(&K):"},
    {IDS_AVI_DATA_RATE_LABEL, "データレート(&D):"},
    {IDS_FILE_DIALOG_OPEN_TITLE, "開く"},
    {IDS_FILE_DIALOG_SAVE_TITLE, "名前を付けて保存"},
    {IDS_FILE_DIALOG_OPEN, "開く(&O)"},
    {IDS_FILE_DIALOG_SAVE, "保存(&S)"},
    {IDS_FILE_DIALOG_LOOK_IN, "ファイルの場所:"},
    {IDS_FILE_DIALOG_FILE_NAME, "ファイル名:"},
    {IDS_FILE_DIALOG_FILE_TYPE, "ファイルの種類:"},
    {IDS_SCORE_BAR_MODE, "モード:"},
    {IDS_SCORE_BAR_LEVEL, "レベル:"},
    {IDS_PLAYER_DIALOG_TITLE, "モーション作成"},
    {IDS_PLAYER_GROUP, "プレイヤー"},
    {IDS_SONG_TITLE_LABEL, "タイトル:"},
    {IDS_SONG_ARTIST_LABEL, "アーティスト:"},
    {IDS_SONG_GAP_LABEL, "ギャップ:"},
    {IDS_ABOUT_TITLE, "バージョン情報"},
    {IDS_DWI_NOT_DWI, "\"%s\" はDWIファイルではありません。"},
    {IDS_SONG_BPM_RANGE, "BPMは0より大きく%s以下の数値を入力してください。"},
    {IDS_SONG_GAP_RANGE, "ギャップは-%sから%sまでの整数 (ミリ秒) を入力してください。"},
    {57344, "Zelvane"},
    {57345, "レディ"},
    {61442, "すべてのファイル (*.*)"},
};

constexpr bool IsSorted()
{
    for (std::size_t i = 1; i < std::size(kEntries); ++i)
        if (kEntries[i - 1].id >= kEntries[i].id)
            return false;
    return true;
}
static_assert(IsSorted(), "string table entries must be in ascending ID order");

const Entry* Find(std::uint32_t id)
{
    auto it
        = std::lower_bound(std::begin(kEntries), std::end(kEntries), id,
                           [](const Entry& entry, std::uint32_t key) { return entry.id < key; });
    if (it == std::end(kEntries) || it->id != id)
        return nullptr;
    return &*it;
}

} // namespace

std::string_view LoadString(std::uint32_t id)
{
    const Entry* entry = Find(id);
    return entry ? entry->text : std::string_view();
}

bool HasString(std::uint32_t id)
{
    return Find(id) != nullptr;
}

std::vector<std::uint32_t> StringIds()
{
    std::vector<std::uint32_t> ids;
    ids.reserve(std::size(kEntries));
    for (const Entry& entry : kEntries)
        ids.push_back(entry.id);
    return ids;
}

std::optional<std::uint32_t> FindStringId(std::string_view text)
{
    std::optional<std::uint32_t> match;
    std::uint32_t matchedBlock = 0;
    for (const Entry& entry : kEntries) {
        const std::uint32_t block = entry.id / 16;
        if (entry.text != text)
            continue;
        // The first match of a block stands; a match in a later block replaces it.
        if (!match || block != matchedBlock) {
            match = entry.id;
            matchedBlock = block;
        }
    }
    return match;
}

std::string FormatString(std::uint32_t id, std::initializer_list<std::string_view> args)
{
    const std::string_view format = LoadString(id);
    std::string result;
    auto arg = args.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c == '%' && i + 1 < format.size()) {
            const char field = format[i + 1];
            if (field == '%') {
                result += '%';
                ++i;
                continue;
            }
            if (field == 'd' || field == 's' || field == 'c') {
                if (arg != args.end())
                    result += *arg++;
                ++i;
                continue;
            }
        }
        result += c;
    }
    return result;
}

} // namespace zelvane
