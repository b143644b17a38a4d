#include "text/StringTable.h"

#include "text/TextById.h"

#include <algorithm>
#include <array>
#include <span>

namespace zelvane {
namespace {

using Entry = TextById;

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
    {IDS_REASON_DATA_ENDS, "データが途中で終わっています。"},
    {IDS_REASON_RECORDS_MISSING, "データが、記録されている件数の途中で終わっています。"},
    {IDS_REASON_NO_TEXT_CONVERSION, "文字コードを変換できません (%s から %s)。"},
    {IDS_REASON_CANNOT_WRITE, "\"%s\" に書き込めません (%s)。"},
    {IDS_REASON_WRITE_NAMES_NO_FILE, "\"%s\" はファイルの名前ではないため、書き込めません。"},
    {IDS_REASON_WRITE_TARGET_IS_FOLDER, "\"%s\" はフォルダーのため、書き込めません。"},
    {IDS_REASON_WRITE_TARGET_NOT_FILE, "\"%s\" はファイルではないため、書き込めません。"},
    {IDS_REASON_CANNOT_CREATE_BESIDE, "\"%s\" と同じフォルダーにファイルを作成できません (%s)。"},
    {IDS_REASON_CANNOT_KEEP_PERMISSIONS, "\"%s\" のアクセス権を引き継げません (%s)。"},
    {IDS_REASON_CANNOT_REPLACE, "\"%s\" を置き換えられません (%s)。"},
    {IDS_REASON_CANNOT_FLUSH_FOLDER, "\"%s\" のフォルダーの変更をディスクに書き込めません (%s)。"},
    {IDS_REASON_PMD_TOO_SHORT,
     "PMDモデルではありません。ファイルがモデルのヘッダーより短くなっています。"},
    {IDS_REASON_PMD_CUT_SHORT, "モデルファイルが%sの途中で終わっています。"},
    {IDS_REASON_PMD_HEADER, "ヘッダー"},
    {IDS_REASON_PMD_VERTICES, "頂点"},
    {IDS_REASON_PMD_FACE_INDICES, "面の頂点番号"},
    {IDS_REASON_PMD_MATERIALS, "材質"},
    {IDS_REASON_PMD_BONES, "ボーン"},
    {IDS_REASON_PMD_IK_CHAINS, "IKチェーン"},
    {IDS_REASON_PMD_MORPHS, "表情"},
    {IDS_REASON_PMD_MORPH_DISPLAY_LIST, "表情の表示枠"},
    {IDS_REASON_PMD_BONE_GROUPS, "ボーンの表示枠名"},
    {IDS_REASON_PMD_BONE_DISPLAY_LIST, "ボーンの表示枠"},
    {IDS_REASON_PMD_ENGLISH_NAMES, "英語名"},
    {IDS_REASON_PMD_TOON_NAMES, "トゥーンテクスチャ名"},
    {IDS_REASON_PMD_RIGID_BODIES, "剛体"},
    {IDS_REASON_PMD_JOINTS, "ジョイント"},
    {IDS_REASON_MORPH_OUTSIDE_BASE, "表情が、基本表情にない頂点を指しています。"},
    {IDS_REASON_DISPLAY_BONE_MISSING, "ボーンの表示枠が、存在しないボーンを指しています。"},
    {IDS_REASON_DISPLAY_GROUP_MISSING, "ボーンの表示枠が、存在しない枠を指しています。"},
    {IDS_REASON_BONE_PARENT_MISSING, "ボーンの親が存在しません。"},
    {IDS_REASON_BONE_PARENT_LOOP, "ボーンの親子関係が輪になっています。"},
    {IDS_REASON_IK_BONE_MISSING, "IKチェーンが、存在しないボーンを指しています。"},
    {IDS_REASON_VERTEX_BONE_MISSING, "頂点が、存在しないボーンに従っています。"},
    {IDS_REASON_MORPH_VERTEX_MISSING, "表情が、存在しない頂点を動かしています。"},
    {IDS_REASON_VMD_TOO_MANY_KEYS, "キーが多すぎて、VMDファイルに書けません。"},
    {IDS_REASON_DANCE_KEEPS_TOO_MANY,
     "ダンスの依頼が %d 個のノートを残すよう求めていますが、ノートは %d 個しかありません。"},
    {IDS_REASON_DANCE_NOT_STARTED, "ダンスの計算を始められませんでした。"},
    {IDS_REASON_DANCE_NO_MEMORY_FOR_NOTES, "ノートを写すためのメモリが足りませんでした。"},
    {IDS_REASON_DANCE_UNKNOWN_ERROR, "ダンスの計算が不明なエラーで止まりました。"},
    {IDS_REASON_DANCE_OF_CHART_FAILED, "%s の譜面のダンスを作れませんでした: %s"},
    {IDS_REASON_DANCE_OF_CHART_STOPPED, "%s の譜面のダンスを作れませんでした。"},
    {IDS_REASON_DANCE_FAILED, "ダンスの計算が失敗しました。理由は記録できませんでした。"},
    {IDS_REASON_ZLVM_UNKNOWN_STYLE, "ファイルに未知のスタイル (%d) の譜面があります。"},
    {IDS_REASON_ZLVM_UNKNOWN_VERSION, "対応している版のZelvaneドキュメントではありません。"},
    {IDS_REASON_ZLVM_BAD_TEMPO, "ドキュメントのテンポが0より大きい数ではありません。"},
    {IDS_REASON_ZLVM_TOO_MANY_SCORES, "ドキュメントファイルに保存できる譜面は65535個までです。"},
    {IDS_REASON_ZLVM_TOO_MANY_NOTES,
     "%d 個のノートがある譜面は、ドキュメントファイルに保存できません (65535個まで)。"},
    {IDS_REASON_TEMPO_NOT_POSITIVE, "テンポには0より大きい数を指定してください。"},
    {IDS_REASON_SCORE_NOT_IN_DOCUMENT, "譜面がこのドキュメントにありません。"},
    {IDS_REASON_CLIPBOARD_NEGATIVE_COUNT, "クリップボードのデータのノート数が負の値です。"},
    {IDS_REASON_CLIPBOARD_NEGATIVE_CLOCK, "クリップボードのデータの位置か長さが負の値です。"},
    {IDS_REASON_NOTE_INDEX_OUT_OF_RANGE, "ノートの番号が範囲外です。"},
    {IDS_REASON_NOTE_NOT_IN_SCORE, "ノートがこの譜面にありません。"},
    {IDS_REASON_NOTE_TO_TAKE_OUT_MISSING, "取り除くノートがこの譜面にありません。"},
    {IDS_REASON_NOTE_NAMED_TWICE, "取り除くノートに同じノートが2回含まれています。"},
    {IDS_REASON_PANEL_NOT_IN_STYLE, "パネル %d は %s の譜面のパネルではありません。"},
    {IDS_REASON_INSERT_NEGATIVE, "行の挿入は、0以上の位置に0以上の長さで行います。"},
    {IDS_REASON_INSERT_PAST_LIMIT,
     "%d クロックを位置 %d に挿入すると、位置 %d のノートが譜面の上限 (%s BPMで2時間、位置 %d) "
     "を超えます。"},
    {IDS_REASON_DELETE_NEGATIVE, "行の削除は、0以上の位置から0以上の長さで行います。"},
    {IDS_REASON_NOTE_TO_MOVE_MISSING, "移動するノートがこの譜面にありません。"},
    {IDS_REASON_NOTE_TO_DELETE_MISSING, "削除するノートがこの譜面にありません。"},
    {IDS_REASON_PANEL_SIZE_NOT_POSITIVE, "パネルの大きさには0より大きい数を指定してください。"},
    {IDS_REASON_CLOCKS_PER_ROW,
     "1行のクロック数は0より大きくなければなりません (%d が指定されました)。"},
    {IDS_REASON_CHART_IMAGE_SIZE, "譜面の画像は640 x 480ピクセルでなければなりません。"},
    {IDS_REASON_CHART_IMAGE_FORMAT, "譜面の画像はRGB32か乗算済みARGB32でなければなりません。"},
    {IDS_REASON_SPRITE_OUTSIDE_SHEET, "スプライトの範囲が画像の外にはみ出しています。"},
    {IDS_REASON_IMAGE_UNDECODABLE, "組み込みの画像 %s を読み込めません。"},
    {IDS_REASON_IMAGE_WRONG_SIZE,
     "組み込みの画像 %s の大きさが %d x %d ピクセルです (%d x %d ピクセルのはずです)。"},
    {IDS_REASON_TOON_INDEX, "トゥーンの番号 %d は0から9の範囲にありません。"},
    {IDS_REASON_NO_SOUND, "ファイルに音声がありません。"},
    {IDS_REASON_AUDIO_EMPTY, "\"%s\" は空のファイルです。"},
    {IDS_REASON_AUDIO_CANNOT_OPEN, "\"%s\" を音声ファイルとして開けません。"},
    {IDS_REASON_AUDIO_NO_STREAMS, "\"%s\" は音声として読めないファイルです。"},
    {IDS_REASON_AUDIO_NO_DECODABLE, "\"%s\" には再生できる形式の音声がありません。"},
    {IDS_REASON_AUDIO_CANNOT_START, "\"%s\" の音声を再生する準備ができません。"},
    {IDS_REASON_AUDIO_CANNOT_READ, "\"%s\" の音声を読み込めません。"},
    {IDS_REASON_AUDIO_NOTHING_DECODED, "\"%s\" の音声はどこも読めませんでした。"},
    {IDS_REASON_AUDIO_CANNOT_CONVERT, "\"%s\" の音声を再生用に変換できません。"},
    {IDS_REASON_AUDIO_NO_SAMPLE_RATE, "\"%s\" の音声にはサンプリング周波数がありません。"},
    {IDS_REASON_AUDIO_NO_SAMPLES, "\"%s\" には音声のデータがありません。"},
    {IDS_REASON_AUDIO_OUTPUT_FORMAT, "この出力形式には対応していません: %d Hz、%d チャンネル"},
    {IDS_REASON_AUDIO_DECODED_TWICE, "\"%s\" の音声はすでに読み込まれています。"},
    {IDS_REASON_AUDIO_TOO_LONG, "\"%s\" は長すぎて再生できません。"},
    {IDS_REASON_AUDIO_NO_MEMORY, "\"%s\" の音声を読み込むメモリが足りません。"},
    {IDS_REASON_AUDIO_UNDECODABLE, "\"%s\" の音声を読み込めませんでした。"},
    {IDS_REASON_AVI_ALREADY_OPEN, "AVIファイルはすでに作成中です。"},
    {IDS_REASON_AVI_NOT_OPEN, "フレームを書き込むAVIファイルが開かれていません。"},
    {IDS_REASON_VIDEO_QUALITY, "ビデオの品質は0から100で指定してください (%d が指定されました)。"},
    {IDS_REASON_VIDEO_KEY_FRAMES, "キーフレームの間隔 %d フレームは範囲外です。"},
    {IDS_REASON_VIDEO_DATA_RATE, "データレート %d kbit/s は範囲外です。"},
    {IDS_REASON_VIDEO_UNKNOWN_ENCODER,
     "\"%s\" は、ここでAVIファイルの作成に使える圧縮プログラムではありません。"},
    {IDS_REASON_VIDEO_NO_PIXEL_FORMAT,
     "圧縮プログラム \"%s\" は、このプログラムが渡せる画素形式をどれも受け付けません。"},
    {IDS_REASON_VIDEO_CANNOT_START, "圧縮プログラム \"%s\" をこの設定で開始できません。"},
    {IDS_REASON_VIDEO_NO_CONVERSION, "圧縮プログラム \"%s\" 用にフレームを変換できません。"},
    {IDS_REASON_VIDEO_FRAME_STRIDE,
     "ビデオのフレームには640 x 480ピクセルが必要です (行の長さ %d では足りません)。"},
    {IDS_REASON_VIDEO_NO_FRAME, "ビデオのフレームを用意できません。"},
    {IDS_REASON_VIDEO_CANNOT_CONVERT, "ビデオのフレームを変換できません。"},
    {IDS_REASON_VIDEO_CANNOT_ENCODE, "ビデオのフレームを圧縮できません。"},
    {IDS_REASON_AVI_UNSUPPORTED, "このFFmpegではAVIファイルを作成できません。"},
    {IDS_REASON_AVI_CANNOT_START, "\"%s\" の作成を始められません。"},
    {IDS_REASON_AVI_CANNOT_WRITE_HEADER, "\"%s\" のヘッダーを書き込めません。"},
    {IDS_REASON_AVI_CANNOT_WRITE_FRAME, "\"%s\" にフレームを書き込めません。"},
    {IDS_REASON_AVI_CANNOT_FINISH, "\"%s\" を書き終えられません。"},
    {IDS_REASON_READ_IS_FOLDER, "\"%s\" はフォルダーのため、読み込めません。"},
    {IDS_REASON_READ_NOT_PLAIN_FILE, "\"%s\" は通常のファイルではないため、読み込めません。"},
    {IDS_REASON_CANNOT_OPEN, "\"%s\" を開けません (%s)。"},
    {IDS_REASON_CANNOT_READ, "\"%s\" を読み込めません (%s)。"},
    {IDS_REASON_READ_TOO_LARGE,
     "\"%s\" は大きすぎるため、読み込めません (%d バイト。この種類のファイルは %s まで)。"},
    {IDS_REASON_SIZE_MEGABYTES, "%d メガバイト"},
    {IDS_REASON_SIZE_BYTES, "%d バイト"},
    {IDS_REASON_TEMPO_ABOVE_LIMIT, "テンポ %s BPM は譜面の上限 %s BPM を超えています。"},
    {IDS_REASON_GAP_BEYOND_LIMIT,
     "ギャップ %d ミリ秒は譜面の上限 (前後それぞれ %d ミリ秒) を超えています。"},
    {IDS_REASON_NOTE_BEFORE_START, "ノートが譜面の始まりより前にあります (位置 %d)。"},
    {IDS_REASON_NOTE_NEGATIVE_LENGTH, "位置 %d のノートの長さが負の値です (%d)。"},
    {IDS_REASON_NOTE_AFTER_LIMIT, "位置 %d のノートが%sより後にあります。"},
    {IDS_REASON_FREEZE_AFTER_LIMIT, "位置 %d のフリーズが位置 %d で終わり、%sを超えています。"},
    {IDS_REASON_LIMIT_CLOCK, "譜面の上限 (位置 %d)"},
    {IDS_REASON_LIMIT_TWO_HOURS, "譜面の上限 (%s BPMで2時間、位置 %d)"},
    {IDS_REASON_TOO_MANY_NOTES,
     "譜面のノートが %d 個あり、1つの譜面に置ける %d 個を超えています。"},
    {IDS_REASON_IN_CHART, "%s %s の譜面で、%s"},
    {IDS_REASON_AT_TEMPO_IN_CHART, "%s BPM にすると、%s %s の譜面で、%s"},
    {IDS_REASON_IMPORT_REFUSED, "\"%s\" を取り込めません: %s"},
    {IDS_REASON_NOT_DWI, "\"%s\" はDWIファイルではありません。%s"},
    {IDS_REASON_DWI_HAS_NUL, "テキストファイルにはないNULバイトを含んでいます。"},
    {IDS_REASON_DWI_NO_TAG,
     "値の書かれたDWIのタグ (#TITLE、#BPM、#SINGLE など) がひとつもありません。"},
    {IDS_REASON_SM_BAD_ENTRY, "#%s の項目 \"%s\" を読めないため、読み飛ばしました。"},
    {IDS_REASON_SM_NO_TEMPO, "#BPMS に読めるテンポがありません。"},
    {IDS_REASON_SM_NEGATIVE_TEMPO_UNENDED,
     "位置 %s の負のテンポのあとに正のテンポがないため、読み飛ばしました。"},
    {IDS_REASON_SM_NOT_TEXT, "テキストファイルにはないNULバイトを含んでいます。"},
    {IDS_REASON_SM_NO_TAG, "StepMania のタグ (#TITLE、#BPMS、#NOTES など) がひとつもありません。"},
    {IDS_REASON_SM_OWN_TIMING,
     "譜面 %s は曲と異なる独自のタイミングを持つため、取り込みませんでした。"},
    {IDS_REASON_SM_NOTES_LEFT_OUT,
     "%s %s の譜面で、地雷・フェイク・リフト・キー音など踊らない %d 個の記号を除きました。"},
    {IDS_REASON_SM_NOTES_IN_WARPS, "%s %s の譜面で、ワープの中にある %d 個のノートを除きました。"},
    {IDS_REASON_SM_OTHER_TYPES, "この種類の譜面は取り込めないため、読み飛ばしました: %s"},
    {IDS_REASON_SM_WARPS_LEFT_OUT, ".sm ファイルはワープを持てないため、ワープを除いて書き出しました (ノートは残ります)。"},
    {IDS_REASON_EVENT_TEMPO_CHANGE, "テンポ変更"},
    {IDS_REASON_EVENT_DELAY, "遅延"},
    {IDS_REASON_EVENT_STOP, "停止"},
    {IDS_REASON_EVENT_WARP, "ワープ"},
    {IDS_REASON_TEMPO_EVENT_BEFORE_START, "%sが譜面の始まりより前にあります (位置 %d)。"},
    {IDS_REASON_TEMPO_CHANGE_OUT_OF_RANGE,
     "位置 %d のテンポ %s BPM は 0 より大きく %s BPM 以下ではありません。"},
    {IDS_REASON_WARP_NOT_POSITIVE, "位置 %d のワープの長さ %d は 1 以上ではありません。"},
    {IDS_REASON_WARP_PAST_LAST_CLOCK, "位置 %d から %d の長さのワープが最後の位置 %d を超えます。"},
    {IDS_REASON_PAUSE_NEGATIVE, "%s (位置 %d) の長さ %s ミリ秒は 0 以上ではありません。"},
    {IDS_REASON_SONG_TEMPO_OUT_OF_RANGE,
     "曲のテンポ %s BPM は 0 より大きく %s BPM 以下ではありません。"},
    {IDS_REASON_TOO_MANY_TEMPO_EVENTS, "テンポの変化が %d 個になり、置ける %d 個を超えます。"},
    {IDS_REASON_FIRST_EVENT_IS_SONG_TEMPO,
     "最初のテンポは曲のテンポで、位置 0 のテンポ変更のままでなければなりません。"},
    {IDS_REASON_CLOCK_ZERO_HOLDS_SONG_TEMPO, "位置 0 には曲のテンポがあります。"},
    {IDS_REASON_CLOCK_HOLDS_TEMPO, "位置 %d にはすでにテンポ変更があります。"},
    {IDS_REASON_PAUSES_TOO_LONG, "停止と遅延が合わせて %s ミリ秒になり、1時間を超えます。"},
    {IDS_REASON_SONG_TEMPO_NOT_REMOVABLE, "曲のテンポは削除できません。変更だけができます。"},
    {IDS_REASON_LIMIT_TWO_HOURS_TEMPO_MAP, "譜面の上限 (テンポの変化を通して2時間、位置 %d)"},
    {IDS_REASON_ZLVM_UNKNOWN_TEMPO_EVENT, "テンポの表に未知の種類 (%d) の項目があります。"},
    {IDS_REASON_ZLVM_SECTION_LENGTH, "%s の部分の長さが中身と合いません。"},
    {IDS_SYSTEM_ERROR_ENOENT, "ファイルまたはフォルダーがありません"},
    {IDS_SYSTEM_ERROR_EACCES, "アクセスが拒否されました"},
    {IDS_SYSTEM_ERROR_EPERM, "この操作は許可されていません"},
    {IDS_SYSTEM_ERROR_ENOSPC, "ディスクの空き領域が足りません"},
    {IDS_SYSTEM_ERROR_EDQUOT, "ディスクの使用量の上限を超えました"},
    {IDS_SYSTEM_ERROR_EROFS, "読み取り専用の場所です"},
    {IDS_SYSTEM_ERROR_EISDIR, "フォルダーです"},
    {IDS_SYSTEM_ERROR_ENOTDIR, "パスの途中にフォルダーでないものがあります"},
    {IDS_SYSTEM_ERROR_EEXIST, "同じ名前のファイルがすでにあります"},
    {IDS_SYSTEM_ERROR_EIO, "ディスクの読み書き中にエラーが発生しました"},
    {IDS_SYSTEM_ERROR_EMFILE, "開いているファイルが多すぎます"},
    {IDS_SYSTEM_ERROR_ENFILE, "システム全体で開いているファイルが多すぎます"},
    {IDS_SYSTEM_ERROR_ENAMETOOLONG, "名前が長すぎます"},
    {IDS_SYSTEM_ERROR_ELOOP, "シンボリックリンクが多すぎるか、循環しています"},
    {IDS_SYSTEM_ERROR_EFBIG, "ファイルが大きすぎます"},
    {IDS_SYSTEM_ERROR_EBUSY, "使用中です"},
    {IDS_SYSTEM_ERROR_ENOMEM, "メモリが不足しています"},
    {IDS_SYSTEM_ERROR_OTHER, "エラー番号 %d"},
    {IDS_VIEW_FRAME_ALL, "ダンサーとパッドとスクリーンが全部見えるように視点を動かす\n全体表示"},
    {IDS_MODEL_VIEW_CONTROLS,
     "右ドラッグ: 回転　中ドラッグ: 平行移動　ホイール: 近づく/離れる　右ダブルクリック: "
     "視点を戻す　F: 全体表示"},
    {IDS_TEXTURES_NOT_FOUND, "テクスチャが見つかりません: %s"},
    {IDS_TEXTURES_NOT_FOUND_MORE, "テクスチャが見つかりません: %s ほか%d個"},
    {IDS_TEXTURE_NAME_SEPARATOR, "、"},
    {IDS_DWI_NOT_DWI, "\"%s\" はDWIファイルではありません。"},
    {IDS_SONG_BPM_RANGE, "BPMは0より大きく%s以下の数値を入力してください。"},
    {IDS_SONG_GAP_RANGE, "ギャップは-%sから%sまでの整数 (ミリ秒) を入力してください。"},
    {IDS_DWI_EXPORT_LEFT_OUT,
     "DWIファイルにはワープと位置 0 の遅延を書けないため、それらを除いて書き出しました "
     "(ワープ %d 個、位置 0 の遅延 %d 個)。ノートはすべて書き出しています。"},
    {57344, "Zelvane"},
    {57345, "レディ"},
    {61442, "すべてのファイル (*.*)"},
};

static_assert(IsInAscendingIdOrder(kEntries), "string table entries must be in ascending ID order");

const Entry* Find(std::uint32_t id)
{
    return FindTextById(kEntries, id);
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
    return IdsOf(kEntries);
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
    return FormatText(LoadString(id), std::span<const std::string_view>(args.begin(), args.size()));
}

std::string FormatText(std::string_view format, std::span<const std::string_view> args)
{
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
