<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="ja_JP">
    <context>
        <name>StringTable</name>
        <message>
            <source>Zelvane

Zelvane
Zelvaneファイル (*.zlvm)
.zlvm
Zelvane.Document
Zelvane.Document</source>
            <extracomment>ID 128</extracomment>
            <translation>Zelvane

Zelvane
Zelvaneファイル (*.zlvm)
.zlvm
Zelvane.Document
Zelvane.Document</translation>
        </message>
        <message>
            <source>長さの変更</source>
            <extracomment>ID 129</extracomment>
            <translation>長さの変更</translation>
        </message>
        <message>
            <source>削除</source>
            <extracomment>ID 130</extracomment>
            <translation>削除</translation>
        </message>
        <message>
            <source>行挿入</source>
            <extracomment>ID 131</extracomment>
            <translation>行挿入</translation>
        </message>
        <message>
            <source>移動</source>
            <extracomment>ID 132</extracomment>
            <translation>移動</translation>
        </message>
        <message>
            <source>追加</source>
            <extracomment>ID 133</extracomment>
            <translation>追加</translation>
        </message>
        <message>
            <source>'%c' には対応していません。</source>
            <extracomment>ID 134</extracomment>
            <translation>'%c' には対応していません。</translation>
        </message>
        <message>
            <source>&quot;%s&quot; には対応していません。</source>
            <extracomment>ID 135</extracomment>
            <translation>&quot;%s&quot; には対応していません。</translation>
        </message>
        <message>
            <source>%d行目:</source>
            <extracomment>ID 136</extracomment>
            <translation>%d行目:</translation>
        </message>
        <message>
            <source>DWIファイル(*.dwi)|*.dwi</source>
            <extracomment>ID 137</extracomment>
            <translation>DWIファイル(*.dwi)|*.dwi</translation>
        </message>
        <message>
            <source>&quot;%s&quot;というファイルはありません。</source>
            <extracomment>ID 138</extracomment>
            <translation>&quot;%s&quot;というファイルはありません。</translation>
        </message>
        <message>
            <source>モデルファイル(*.pmd;*.pmx)|*.pmd;*.pmx</source>
            <extracomment>ID 139</extracomment>
            <translation>モデルファイル(*.pmd;*.pmx)|*.pmd;*.pmx</translation>
        </message>
        <message>
            <source>AVIファイル(*.avi)|*.avi</source>
            <extracomment>ID 140</extracomment>
            <translation>AVIファイル(*.avi)|*.avi</translation>
        </message>
        <message>
            <source>%d/%d フレーム</source>
            <extracomment>ID 141</extracomment>
            <translation>%d/%d フレーム</translation>
        </message>
        <message>
            <source>AVIファイルを作成できません</source>
            <extracomment>ID 142</extracomment>
            <translation>AVIファイルを作成できません</translation>
        </message>
        <message>
            <source>現在の譜面は消去されます。</source>
            <extracomment>ID 143</extracomment>
            <translation>現在の譜面は消去されます。</translation>
        </message>
        <message>
            <source>曲の設定</source>
            <extracomment>ID 144</extracomment>
            <translation>曲の設定</translation>
        </message>
        <message>
            <source>モーション設定</source>
            <extracomment>ID 145</extracomment>
            <translation>モーション設定</translation>
        </message>
        <message>
            <source>モーションファイル(*.vmd)|*.vmd</source>
            <extracomment>ID 146</extracomment>
            <translation>モーションファイル(*.vmd)|*.vmd</translation>
        </message>
        <message>
            <source>初音ミク</source>
            <extracomment>ID 147</extracomment>
            <translation>初音ミク</translation>
        </message>
        <message>
            <source>音声ファイル(*.wav;*.mp3)|*.wav;*.mp3</source>
            <extracomment>ID 148</extracomment>
            <translation>音声ファイル(*.wav;*.mp3)|*.wav;*.mp3</translation>
        </message>
        <message>
            <source>センター</source>
            <extracomment>ID 500</extracomment>
            <translation>センター</translation>
        </message>
        <message>
            <source>左足</source>
            <extracomment>ID 501</extracomment>
            <translation>左足</translation>
        </message>
        <message>
            <source>右足</source>
            <extracomment>ID 502</extracomment>
            <translation>右足</translation>
        </message>
        <message>
            <source>モデル情報</source>
            <extracomment>ID 503</extracomment>
            <translation>モデル情報</translation>
        </message>
        <message>
            <source>上半身</source>
            <extracomment>ID 504</extracomment>
            <translation>上半身</translation>
        </message>
        <message>
            <source>複数のMMDが動作しています。</source>
            <extracomment>ID 505</extracomment>
            <translation>複数のMMDが動作しています。</translation>
        </message>
        <message>
            <source>MMDが動作していません。</source>
            <extracomment>ID 506</extracomment>
            <translation>MMDが動作していません。</translation>
        </message>
        <message>
            <source>左足ＩＫ</source>
            <extracomment>ID 507</extracomment>
            <translation>左足ＩＫ</translation>
        </message>
        <message>
            <source>右足ＩＫ</source>
            <extracomment>ID 508</extracomment>
            <translation>右足ＩＫ</translation>
        </message>
        <message>
            <source>左ひざ</source>
            <extracomment>ID 509</extracomment>
            <translation>左ひざ</translation>
        </message>
        <message>
            <source>左腕</source>
            <extracomment>ID 510</extracomment>
            <translation>左腕</translation>
        </message>
        <message>
            <source>左ひじ</source>
            <extracomment>ID 511</extracomment>
            <translation>左ひじ</translation>
        </message>
        <message>
            <source>左手首</source>
            <extracomment>ID 512</extracomment>
            <translation>左手首</translation>
        </message>
        <message>
            <source>左人指１</source>
            <extracomment>ID 513</extracomment>
            <translation>左人指１</translation>
        </message>
        <message>
            <source>左人指２</source>
            <extracomment>ID 514</extracomment>
            <translation>左人指２</translation>
        </message>
        <message>
            <source>左人指３</source>
            <extracomment>ID 515</extracomment>
            <translation>左人指３</translation>
        </message>
        <message>
            <source>左中指１</source>
            <extracomment>ID 516</extracomment>
            <translation>左中指１</translation>
        </message>
        <message>
            <source>左中指２</source>
            <extracomment>ID 517</extracomment>
            <translation>左中指２</translation>
        </message>
        <message>
            <source>左中指３</source>
            <extracomment>ID 518</extracomment>
            <translation>左中指３</translation>
        </message>
        <message>
            <source>左薬指１</source>
            <extracomment>ID 519</extracomment>
            <translation>左薬指１</translation>
        </message>
        <message>
            <source>左薬指２</source>
            <extracomment>ID 520</extracomment>
            <translation>左薬指２</translation>
        </message>
        <message>
            <source>左薬指３</source>
            <extracomment>ID 521</extracomment>
            <translation>左薬指３</translation>
        </message>
        <message>
            <source>左小指１</source>
            <extracomment>ID 522</extracomment>
            <translation>左小指１</translation>
        </message>
        <message>
            <source>左小指２</source>
            <extracomment>ID 523</extracomment>
            <translation>左小指２</translation>
        </message>
        <message>
            <source>左小指３</source>
            <extracomment>ID 524</extracomment>
            <translation>左小指３</translation>
        </message>
        <message>
            <source>左親指１</source>
            <extracomment>ID 525</extracomment>
            <translation>左親指１</translation>
        </message>
        <message>
            <source>左親指２</source>
            <extracomment>ID 526</extracomment>
            <translation>左親指２</translation>
        </message>
        <message>
            <source>右ひざ</source>
            <extracomment>ID 527</extracomment>
            <translation>右ひざ</translation>
        </message>
        <message>
            <source>首</source>
            <extracomment>ID 528</extracomment>
            <translation>首</translation>
        </message>
        <message>
            <source>頭</source>
            <extracomment>ID 529</extracomment>
            <translation>頭</translation>
        </message>
        <message>
            <source>右腕</source>
            <extracomment>ID 530</extracomment>
            <translation>右腕</translation>
        </message>
        <message>
            <source>右ひじ</source>
            <extracomment>ID 531</extracomment>
            <translation>右ひじ</translation>
        </message>
        <message>
            <source>右手首</source>
            <extracomment>ID 532</extracomment>
            <translation>右手首</translation>
        </message>
        <message>
            <source>右人指１</source>
            <extracomment>ID 533</extracomment>
            <translation>右人指１</translation>
        </message>
        <message>
            <source>右人指２</source>
            <extracomment>ID 534</extracomment>
            <translation>右人指２</translation>
        </message>
        <message>
            <source>右人指３</source>
            <extracomment>ID 535</extracomment>
            <translation>右人指３</translation>
        </message>
        <message>
            <source>右中指１</source>
            <extracomment>ID 536</extracomment>
            <translation>右中指１</translation>
        </message>
        <message>
            <source>右中指２</source>
            <extracomment>ID 537</extracomment>
            <translation>右中指２</translation>
        </message>
        <message>
            <source>右中指３</source>
            <extracomment>ID 538</extracomment>
            <translation>右中指３</translation>
        </message>
        <message>
            <source>右薬指１</source>
            <extracomment>ID 539</extracomment>
            <translation>右薬指１</translation>
        </message>
        <message>
            <source>右薬指２</source>
            <extracomment>ID 540</extracomment>
            <translation>右薬指２</translation>
        </message>
        <message>
            <source>右薬指３</source>
            <extracomment>ID 541</extracomment>
            <translation>右薬指３</translation>
        </message>
        <message>
            <source>右小指１</source>
            <extracomment>ID 542</extracomment>
            <translation>右小指１</translation>
        </message>
        <message>
            <source>右小指２</source>
            <extracomment>ID 543</extracomment>
            <translation>右小指２</translation>
        </message>
        <message>
            <source>右小指３</source>
            <extracomment>ID 544</extracomment>
            <translation>右小指３</translation>
        </message>
        <message>
            <source>右親指１</source>
            <extracomment>ID 545</extracomment>
            <translation>右親指１</translation>
        </message>
        <message>
            <source>右親指２</source>
            <extracomment>ID 546</extracomment>
            <translation>右親指２</translation>
        </message>
        <message>
            <source>両目</source>
            <extracomment>ID 547</extracomment>
            <translation>両目</translation>
        </message>
        <message>
            <source>左目</source>
            <extracomment>ID 548</extracomment>
            <translation>左目</translation>
        </message>
        <message>
            <source>右目</source>
            <extracomment>ID 549</extracomment>
            <translation>右目</translation>
        </message>
        <message>
            <source>下半身</source>
            <extracomment>ID 550</extracomment>
            <translation>下半身</translation>
        </message>
        <message>
            <source>左つま先ＩＫ</source>
            <extracomment>ID 551</extracomment>
            <translation>左つま先ＩＫ</translation>
        </message>
        <message>
            <source>右つま先ＩＫ</source>
            <extracomment>ID 552</extracomment>
            <translation>右つま先ＩＫ</translation>
        </message>
        <message>
            <source>元に戻す(&amp;U)	Ctrl+Z</source>
            <extracomment>ID 900</extracomment>
            <translation>元に戻す(&amp;U)	Ctrl+Z</translation>
        </message>
        <message>
            <source>やり直し	Ctrl+Y</source>
            <extracomment>ID 901</extracomment>
            <translation>やり直し	Ctrl+Y</translation>
        </message>
        <message>
            <source>切り取り</source>
            <extracomment>ID 902</extracomment>
            <translation>切り取り</translation>
        </message>
        <message>
            <source>貼り付け</source>
            <extracomment>ID 903</extracomment>
            <translation>貼り付け</translation>
        </message>
        <message>
            <source>拡大表示
拡大</source>
            <extracomment>ID 32771</extracomment>
            <translation>拡大表示
拡大</translation>
        </message>
        <message>
            <source>縮小表示
縮小</source>
            <extracomment>ID 32772</extracomment>
            <translation>縮小表示
縮小</translation>
        </message>
        <message>
            <source>新しい行を挿入
行挿入</source>
            <extracomment>ID 32773</extracomment>
            <translation>新しい行を挿入
行挿入</translation>
        </message>
        <message>
            <source>先頭から再生
先頭から</source>
            <extracomment>ID 32776</extracomment>
            <translation>先頭から再生
先頭から</translation>
        </message>
        <message>
            <source>現在位置から再生
現在位置から</source>
            <extracomment>ID 32777</extracomment>
            <translation>現在位置から再生
現在位置から</translation>
        </message>
        <message>
            <source>再生停止
停止</source>
            <extracomment>ID 32778</extracomment>
            <translation>再生停止
停止</translation>
        </message>
        <message>
            <source>矢印を追加
追加</source>
            <extracomment>ID 32781</extracomment>
            <translation>矢印を追加
追加</translation>
        </message>
        <message>
            <source>範囲を選択
選択</source>
            <extracomment>ID 32782</extracomment>
            <translation>範囲を選択
選択</translation>
        </message>
        <message>
            <source>モデルの読み込み
モデル</source>
            <extracomment>ID 32786</extracomment>
            <translation>モデルの読み込み
モデル</translation>
        </message>
        <message>
            <source>背景AVIファイルを作成
背景AVI作成</source>
            <extracomment>ID 32793</extracomment>
            <translation>背景AVIファイルを作成
背景AVI作成</translation>
        </message>
        <message>
            <source>DWIファイルを読み込む
DWI読み込み</source>
            <extracomment>ID 32794</extracomment>
            <translation>DWIファイルを読み込む
DWI読み込み</translation>
        </message>
        <message>
            <source>曲名やテンポの設定
曲の設定</source>
            <extracomment>ID 32796</extracomment>
            <translation>曲名やテンポの設定
曲の設定</translation>
        </message>
        <message>
            <source>モーション生成の設定
モーション設定</source>
            <extracomment>ID 32798</extracomment>
            <translation>モーション生成の設定
モーション設定</translation>
        </message>
        <message>
            <source>モーションファイルを作成
モーション作成</source>
            <extracomment>ID 32801</extracomment>
            <translation>モーションファイルを作成
モーション作成</translation>
        </message>
        <message>
            <source>背景色の設定
背景色</source>
            <extracomment>ID 32803</extracomment>
            <translation>背景色の設定
背景色</translation>
        </message>
        <message>
            <source>スクリーン色の設定
スクリーン色</source>
            <extracomment>ID 32805</extracomment>
            <translation>スクリーン色の設定
スクリーン色</translation>
        </message>
        <message>
            <source>音声ファイルの読み込み
音声</source>
            <extracomment>ID 32806</extracomment>
            <translation>音声ファイルの読み込み
音声</translation>
        </message>
        <message>
            <source>DWIファイルを作成
DWI作成</source>
            <extracomment>ID 32808</extracomment>
            <translation>DWIファイルを作成
DWI作成</translation>
        </message>
        <message>
            <source>譜面が長さの上限 (曲のテンポで2時間) を超えます。</source>
            <extracomment>ID 40960</extracomment>
            <translation>譜面が長さの上限 (曲のテンポで2時間) を超えます。</translation>
        </message>
        <message>
            <source>値が正しくありません。</source>
            <extracomment>ID 40961</extracomment>
            <translation>値が正しくありません。</translation>
        </message>
        <message>
            <source>ファイルが途中で終わっています。</source>
            <extracomment>ID 40962</extracomment>
            <translation>ファイルが途中で終わっています。</translation>
        </message>
        <message>
            <source>ファイルの形式が正しくないか、ファイルが壊れています。</source>
            <extracomment>ID 40963</extracomment>
            <translation>ファイルの形式が正しくないか、ファイルが壊れています。</translation>
        </message>
        <message>
            <source>ファイルを開けないか、読み書きできません。</source>
            <extracomment>ID 40964</extracomment>
            <translation>ファイルを開けないか、読み書きできません。</translation>
        </message>
        <message>
            <source>ビデオの圧縮でエラーが発生しました。</source>
            <extracomment>ID 40965</extracomment>
            <translation>ビデオの圧縮でエラーが発生しました。</translation>
        </message>
        <message>
            <source>ダンスを作れませんでした。</source>
            <extracomment>ID 40966</extracomment>
            <translation>ダンスを作れませんでした。</translation>
        </message>
        <message>
            <source>メモリが足りません。</source>
            <extracomment>ID 40967</extracomment>
            <translation>メモリが足りません。</translation>
        </message>
        <message>
            <source>予期しないエラーが発生しました。</source>
            <extracomment>ID 40968</extracomment>
            <translation>予期しないエラーが発生しました。</translation>
        </message>
        <message>
            <source>&quot;%s&quot; を開けませんでした。</source>
            <extracomment>ID 40969</extracomment>
            <translation>&quot;%s&quot; を開けませんでした。</translation>
        </message>
        <message>
            <source>&quot;%s&quot; を読み込めませんでした。</source>
            <extracomment>ID 40970</extracomment>
            <translation>&quot;%s&quot; を読み込めませんでした。</translation>
        </message>
        <message>
            <source>&quot;%s&quot; に書き込めませんでした。</source>
            <extracomment>ID 40971</extracomment>
            <translation>&quot;%s&quot; に書き込めませんでした。</translation>
        </message>
        <message>
            <source>&quot;%s&quot; に保存できませんでした。</source>
            <extracomment>ID 40972</extracomment>
            <translation>&quot;%s&quot; に保存できませんでした。</translation>
        </message>
        <message>
            <source>&quot;%s&quot; をモデルとして読み込めませんでした。</source>
            <extracomment>ID 40973</extracomment>
            <translation>&quot;%s&quot; をモデルとして読み込めませんでした。</translation>
        </message>
        <message>
            <source>&quot;%s&quot; は読み込めない形式のファイルです。</source>
            <extracomment>ID 40974</extracomment>
            <translation>&quot;%s&quot; は読み込めない形式のファイルです。</translation>
        </message>
        <message>
            <source>曲の設定を変更できませんでした。</source>
            <extracomment>ID 40975</extracomment>
            <translation>曲の設定を変更できませんでした。</translation>
        </message>
        <message>
            <source>モーション設定を変更できませんでした。</source>
            <extracomment>ID 40976</extracomment>
            <translation>モーション設定を変更できませんでした。</translation>
        </message>
        <message>
            <source>変更を復元できませんでした。</source>
            <extracomment>ID 40977</extracomment>
            <translation>変更を復元できませんでした。</translation>
        </message>
        <message>
            <source>この編集はできません。</source>
            <extracomment>ID 40978</extracomment>
            <translation>この編集はできません。</translation>
        </message>
        <message>
            <source>%s への変更を保存しますか?</source>
            <extracomment>ID 40979</extracomment>
            <translation>%s への変更を保存しますか?</translation>
        </message>
        <message>
            <source>前回、保存されていない変更を残したまま終了しました。
変更を復元しますか?</source>
            <extracomment>ID 40980</extracomment>
            <translation>前回、保存されていない変更を残したまま終了しました。
変更を復元しますか?</translation>
        </message>
        <message>
            <source>音声を出力できる装置がありません。音を出さずに再生します。</source>
            <extracomment>ID 40981</extracomment>
            <translation>音声を出力できる装置がありません。音を出さずに再生します。</translation>
        </message>
        <message>
            <source>数値を入力してください。</source>
            <extracomment>ID 40982</extracomment>
            <translation>数値を入力してください。</translation>
        </message>
        <message>
            <source>3D表示: このディスプレイではOpenGLを使えません (offscreen)</source>
            <extracomment>ID 40983</extracomment>
            <translation>3D表示: このディスプレイではOpenGLを使えません (offscreen)</translation>
        </message>
        <message>
            <source>3D表示: OpenGLのコンテキストを作成できません</source>
            <extracomment>ID 40984</extracomment>
            <translation>3D表示: OpenGLのコンテキストを作成できません</translation>
        </message>
        <message>
            <source>3D表示: OpenGL 3.3が必要です (このディスプレイは%d.%d)</source>
            <extracomment>ID 40985</extracomment>
            <translation>3D表示: OpenGL 3.3が必要です (このディスプレイは%d.%d)</translation>
        </message>
        <message>
            <source>3D表示: OpenGLのコンテキストを使えません</source>
            <extracomment>ID 40986</extracomment>
            <translation>3D表示: OpenGLのコンテキストを使えません</translation>
        </message>
        <message>
            <source>3D表示: OpenGL 3.3のコンテキストを作成できません</source>
            <extracomment>ID 40987</extracomment>
            <translation>3D表示: OpenGL 3.3のコンテキストを作成できません</translation>
        </message>
        <message>
            <source>3D表示: シェーダーを作成できません</source>
            <extracomment>ID 40988</extracomment>
            <translation>3D表示: シェーダーを作成できません</translation>
        </message>
        <message>
            <source>無題</source>
            <extracomment>ID 40989</extracomment>
            <translation>無題</translation>
        </message>
        <message>
            <source>ツール バー</source>
            <extracomment>ID 40990</extracomment>
            <translation>ツール バー</translation>
        </message>
        <message>
            <source>キャンセル</source>
            <extracomment>ID 40991</extracomment>
            <translation>キャンセル</translation>
        </message>
        <message>
            <source>はい(&amp;Y)</source>
            <extracomment>ID 40992</extracomment>
            <translation>はい(&amp;Y)</translation>
        </message>
        <message>
            <source>いいえ(&amp;N)</source>
            <extracomment>ID 40993</extracomment>
            <translation>いいえ(&amp;N)</translation>
        </message>
        <message>
            <source>復元</source>
            <extracomment>ID 40994</extracomment>
            <translation>復元</translation>
        </message>
        <message>
            <source>破棄</source>
            <extracomment>ID 40995</extracomment>
            <translation>破棄</translation>
        </message>
        <message>
            <source>中止</source>
            <extracomment>ID 40996</extracomment>
            <translation>中止</translation>
        </message>
        <message>
            <source>無視(I)</source>
            <extracomment>ID 40997</extracomment>
            <translation>無視(I)</translation>
        </message>
        <message>
            <source>参照(&amp;B)...</source>
            <extracomment>ID 40998</extracomment>
            <translation>参照(&amp;B)...</translation>
        </message>
        <message>
            <source>エラー</source>
            <extracomment>ID 40999</extracomment>
            <translation>エラー</translation>
        </message>
        <message>
            <source>正常に読めなかったデータがあります。</source>
            <extracomment>ID 41000</extracomment>
            <translation>正常に読めなかったデータがあります。</translation>
        </message>
        <message>
            <source>AVIファイル作成中</source>
            <extracomment>ID 41001</extracomment>
            <translation>AVIファイル作成中</translation>
        </message>
        <message>
            <source>ビデオの圧縮</source>
            <extracomment>ID 41002</extracomment>
            <translation>ビデオの圧縮</translation>
        </message>
        <message>
            <source>非圧縮 (BGR24)</source>
            <extracomment>ID 41003</extracomment>
            <translation>非圧縮 (BGR24)</translation>
        </message>
        <message>
            <source> (可逆圧縮)</source>
            <extracomment>ID 41004</extracomment>
            <translation> (可逆圧縮)</translation>
        </message>
        <message>
            <source> (非可逆圧縮)</source>
            <extracomment>ID 41005</extracomment>
            <translation> (非可逆圧縮)</translation>
        </message>
        <message>
            <source>既定</source>
            <extracomment>ID 41006</extracomment>
            <translation>既定</translation>
        </message>
        <message>
            <source> フレームごと</source>
            <extracomment>ID 41007</extracomment>
            <translation> フレームごと</translation>
        </message>
        <message>
            <source>指定なし</source>
            <extracomment>ID 41008</extracomment>
            <translation>指定なし</translation>
        </message>
        <message>
            <source>圧縮プログラム(&amp;C):</source>
            <extracomment>ID 41009</extracomment>
            <translation>圧縮プログラム(&amp;C):</translation>
        </message>
        <message>
            <source>品質(&amp;Q):</source>
            <extracomment>ID 41010</extracomment>
            <translation>品質(&amp;Q):</translation>
        </message>
        <message>
            <source>キーフレーム(&amp;K):</source>
            <extracomment>ID 41011</extracomment>
            <translation>キーフレーム(&amp;K):</translation>
        </message>
        <message>
            <source>データレート(&amp;D):</source>
            <extracomment>ID 41012</extracomment>
            <translation>データレート(&amp;D):</translation>
        </message>
        <message>
            <source>開く</source>
            <extracomment>ID 41013</extracomment>
            <translation>開く</translation>
        </message>
        <message>
            <source>名前を付けて保存</source>
            <extracomment>ID 41014</extracomment>
            <translation>名前を付けて保存</translation>
        </message>
        <message>
            <source>開く(&amp;O)</source>
            <extracomment>ID 41015</extracomment>
            <translation>開く(&amp;O)</translation>
        </message>
        <message>
            <source>保存(&amp;S)</source>
            <extracomment>ID 41016</extracomment>
            <translation>保存(&amp;S)</translation>
        </message>
        <message>
            <source>ファイルの場所:</source>
            <extracomment>ID 41017</extracomment>
            <translation>ファイルの場所:</translation>
        </message>
        <message>
            <source>ファイル名:</source>
            <extracomment>ID 41018</extracomment>
            <translation>ファイル名:</translation>
        </message>
        <message>
            <source>ファイルの種類:</source>
            <extracomment>ID 41019</extracomment>
            <translation>ファイルの種類:</translation>
        </message>
        <message>
            <source>モード:</source>
            <extracomment>ID 41020</extracomment>
            <translation>モード:</translation>
        </message>
        <message>
            <source>レベル:</source>
            <extracomment>ID 41021</extracomment>
            <translation>レベル:</translation>
        </message>
        <message>
            <source>モーション作成</source>
            <extracomment>ID 41022</extracomment>
            <translation>モーション作成</translation>
        </message>
        <message>
            <source>プレイヤー</source>
            <extracomment>ID 41023</extracomment>
            <translation>プレイヤー</translation>
        </message>
        <message>
            <source>タイトル:</source>
            <extracomment>ID 41024</extracomment>
            <translation>タイトル:</translation>
        </message>
        <message>
            <source>アーティスト:</source>
            <extracomment>ID 41025</extracomment>
            <translation>アーティスト:</translation>
        </message>
        <message>
            <source>ギャップ:</source>
            <extracomment>ID 41026</extracomment>
            <translation>ギャップ:</translation>
        </message>
        <message>
            <source>バージョン情報</source>
            <extracomment>ID 41027</extracomment>
            <translation>バージョン情報</translation>
        </message>
        <message>
            <source>データが途中で終わっています。</source>
            <extracomment>ID 41028</extracomment>
            <translation>データが途中で終わっています。</translation>
        </message>
        <message>
            <source>データが、記録されている件数の途中で終わっています。</source>
            <extracomment>ID 41029</extracomment>
            <translation>データが、記録されている件数の途中で終わっています。</translation>
        </message>
        <message>
            <source>文字コードを変換できません (%s から %s)。</source>
            <extracomment>ID 41030</extracomment>
            <translation>文字コードを変換できません (%s から %s)。</translation>
        </message>
        <message>
            <source>&quot;%s&quot; に書き込めません (%s)。</source>
            <extracomment>ID 41031</extracomment>
            <translation>&quot;%s&quot; に書き込めません (%s)。</translation>
        </message>
        <message>
            <source>&quot;%s&quot; はファイルの名前ではないため、書き込めません。</source>
            <extracomment>ID 41032</extracomment>
            <translation>&quot;%s&quot; はファイルの名前ではないため、書き込めません。</translation>
        </message>
        <message>
            <source>&quot;%s&quot; はフォルダーのため、書き込めません。</source>
            <extracomment>ID 41033</extracomment>
            <translation>&quot;%s&quot; はフォルダーのため、書き込めません。</translation>
        </message>
        <message>
            <source>&quot;%s&quot; はファイルではないため、書き込めません。</source>
            <extracomment>ID 41034</extracomment>
            <translation>&quot;%s&quot; はファイルではないため、書き込めません。</translation>
        </message>
        <message>
            <source>&quot;%s&quot; と同じフォルダーにファイルを作成できません (%s)。</source>
            <extracomment>ID 41035</extracomment>
            <translation>&quot;%s&quot; と同じフォルダーにファイルを作成できません (%s)。</translation>
        </message>
        <message>
            <source>&quot;%s&quot; のアクセス権を引き継げません (%s)。</source>
            <extracomment>ID 41036</extracomment>
            <translation>&quot;%s&quot; のアクセス権を引き継げません (%s)。</translation>
        </message>
        <message>
            <source>&quot;%s&quot; を置き換えられません (%s)。</source>
            <extracomment>ID 41037</extracomment>
            <translation>&quot;%s&quot; を置き換えられません (%s)。</translation>
        </message>
        <message>
            <source>&quot;%s&quot; のフォルダーの変更をディスクに書き込めません (%s)。</source>
            <extracomment>ID 41038</extracomment>
            <translation>&quot;%s&quot; のフォルダーの変更をディスクに書き込めません (%s)。</translation>
        </message>
        <message>
            <source>PMDモデルではありません。ファイルがモデルのヘッダーより短くなっています。</source>
            <extracomment>ID 41039</extracomment>
            <translation>PMDモデルではありません。ファイルがモデルのヘッダーより短くなっています。</translation>
        </message>
        <message>
            <source>モデルファイルが%sの途中で終わっています。</source>
            <extracomment>ID 41040</extracomment>
            <translation>モデルファイルが%sの途中で終わっています。</translation>
        </message>
        <message>
            <source>ヘッダー</source>
            <extracomment>ID 41041</extracomment>
            <translation>ヘッダー</translation>
        </message>
        <message>
            <source>頂点</source>
            <extracomment>ID 41042</extracomment>
            <translation>頂点</translation>
        </message>
        <message>
            <source>面の頂点番号</source>
            <extracomment>ID 41043</extracomment>
            <translation>面の頂点番号</translation>
        </message>
        <message>
            <source>材質</source>
            <extracomment>ID 41044</extracomment>
            <translation>材質</translation>
        </message>
        <message>
            <source>ボーン</source>
            <extracomment>ID 41045</extracomment>
            <translation>ボーン</translation>
        </message>
        <message>
            <source>IKチェーン</source>
            <extracomment>ID 41046</extracomment>
            <translation>IKチェーン</translation>
        </message>
        <message>
            <source>表情</source>
            <extracomment>ID 41047</extracomment>
            <translation>表情</translation>
        </message>
        <message>
            <source>表情の表示枠</source>
            <extracomment>ID 41048</extracomment>
            <translation>表情の表示枠</translation>
        </message>
        <message>
            <source>ボーンの表示枠名</source>
            <extracomment>ID 41049</extracomment>
            <translation>ボーンの表示枠名</translation>
        </message>
        <message>
            <source>ボーンの表示枠</source>
            <extracomment>ID 41050</extracomment>
            <translation>ボーンの表示枠</translation>
        </message>
        <message>
            <source>英語名</source>
            <extracomment>ID 41051</extracomment>
            <translation>英語名</translation>
        </message>
        <message>
            <source>トゥーンテクスチャ名</source>
            <extracomment>ID 41052</extracomment>
            <translation>トゥーンテクスチャ名</translation>
        </message>
        <message>
            <source>剛体</source>
            <extracomment>ID 41053</extracomment>
            <translation>剛体</translation>
        </message>
        <message>
            <source>ジョイント</source>
            <extracomment>ID 41054</extracomment>
            <translation>ジョイント</translation>
        </message>
        <message>
            <source>表情が、基本表情にない頂点を指しています。</source>
            <extracomment>ID 41055</extracomment>
            <translation>表情が、基本表情にない頂点を指しています。</translation>
        </message>
        <message>
            <source>ボーンの表示枠が、存在しないボーンを指しています。</source>
            <extracomment>ID 41056</extracomment>
            <translation>ボーンの表示枠が、存在しないボーンを指しています。</translation>
        </message>
        <message>
            <source>ボーンの表示枠が、存在しない枠を指しています。</source>
            <extracomment>ID 41057</extracomment>
            <translation>ボーンの表示枠が、存在しない枠を指しています。</translation>
        </message>
        <message>
            <source>ボーンの親が存在しません。</source>
            <extracomment>ID 41058</extracomment>
            <translation>ボーンの親が存在しません。</translation>
        </message>
        <message>
            <source>ボーンの親子関係が輪になっています。</source>
            <extracomment>ID 41059</extracomment>
            <translation>ボーンの親子関係が輪になっています。</translation>
        </message>
        <message>
            <source>IKチェーンが、存在しないボーンを指しています。</source>
            <extracomment>ID 41060</extracomment>
            <translation>IKチェーンが、存在しないボーンを指しています。</translation>
        </message>
        <message>
            <source>頂点が、存在しないボーンに従っています。</source>
            <extracomment>ID 41061</extracomment>
            <translation>頂点が、存在しないボーンに従っています。</translation>
        </message>
        <message>
            <source>表情が、存在しない頂点を動かしています。</source>
            <extracomment>ID 41062</extracomment>
            <translation>表情が、存在しない頂点を動かしています。</translation>
        </message>
        <message>
            <source>キーが多すぎて、VMDファイルに書けません。</source>
            <extracomment>ID 41063</extracomment>
            <translation>キーが多すぎて、VMDファイルに書けません。</translation>
        </message>
        <message>
            <source>ダンスの依頼が %d 個のノートを残すよう求めていますが、ノートは %d 個しかありません。</source>
            <extracomment>ID 41064</extracomment>
            <translation>ダンスの依頼が %d 個のノートを残すよう求めていますが、ノートは %d 個しかありません。</translation>
        </message>
        <message>
            <source>ダンスの計算を始められませんでした。</source>
            <extracomment>ID 41065</extracomment>
            <translation>ダンスの計算を始められませんでした。</translation>
        </message>
        <message>
            <source>ノートを写すためのメモリが足りませんでした。</source>
            <extracomment>ID 41066</extracomment>
            <translation>ノートを写すためのメモリが足りませんでした。</translation>
        </message>
        <message>
            <source>ダンスの計算が不明なエラーで止まりました。</source>
            <extracomment>ID 41067</extracomment>
            <translation>ダンスの計算が不明なエラーで止まりました。</translation>
        </message>
        <message>
            <source>%s の譜面のダンスを作れませんでした: %s</source>
            <extracomment>ID 41068</extracomment>
            <translation>%s の譜面のダンスを作れませんでした: %s</translation>
        </message>
        <message>
            <source>%s の譜面のダンスを作れませんでした。</source>
            <extracomment>ID 41069</extracomment>
            <translation>%s の譜面のダンスを作れませんでした。</translation>
        </message>
        <message>
            <source>ダンスの計算が失敗しました。理由は記録できませんでした。</source>
            <extracomment>ID 41070</extracomment>
            <translation>ダンスの計算が失敗しました。理由は記録できませんでした。</translation>
        </message>
        <message>
            <source>ファイルに未知のスタイル (%d) の譜面があります。</source>
            <extracomment>ID 41071</extracomment>
            <translation>ファイルに未知のスタイル (%d) の譜面があります。</translation>
        </message>
        <message>
            <source>対応している版のZelvaneドキュメントではありません。</source>
            <extracomment>ID 41072</extracomment>
            <translation>対応している版のZelvaneドキュメントではありません。</translation>
        </message>
        <message>
            <source>ドキュメントのテンポが0より大きい数ではありません。</source>
            <extracomment>ID 41073</extracomment>
            <translation>ドキュメントのテンポが0より大きい数ではありません。</translation>
        </message>
        <message>
            <source>ドキュメントファイルに保存できる譜面は65535個までです。</source>
            <extracomment>ID 41074</extracomment>
            <translation>ドキュメントファイルに保存できる譜面は65535個までです。</translation>
        </message>
        <message>
            <source>%d 個のノートがある譜面は、ドキュメントファイルに保存できません (65535個まで)。</source>
            <extracomment>ID 41075</extracomment>
            <translation>%d 個のノートがある譜面は、ドキュメントファイルに保存できません (65535個まで)。</translation>
        </message>
        <message>
            <source>テンポには0より大きい数を指定してください。</source>
            <extracomment>ID 41076</extracomment>
            <translation>テンポには0より大きい数を指定してください。</translation>
        </message>
        <message>
            <source>譜面がこのドキュメントにありません。</source>
            <extracomment>ID 41077</extracomment>
            <translation>譜面がこのドキュメントにありません。</translation>
        </message>
        <message>
            <source>クリップボードのデータのノート数が負の値です。</source>
            <extracomment>ID 41078</extracomment>
            <translation>クリップボードのデータのノート数が負の値です。</translation>
        </message>
        <message>
            <source>クリップボードのデータの位置か長さが負の値です。</source>
            <extracomment>ID 41079</extracomment>
            <translation>クリップボードのデータの位置か長さが負の値です。</translation>
        </message>
        <message>
            <source>ノートの番号が範囲外です。</source>
            <extracomment>ID 41080</extracomment>
            <translation>ノートの番号が範囲外です。</translation>
        </message>
        <message>
            <source>ノートがこの譜面にありません。</source>
            <extracomment>ID 41081</extracomment>
            <translation>ノートがこの譜面にありません。</translation>
        </message>
        <message>
            <source>取り除くノートがこの譜面にありません。</source>
            <extracomment>ID 41082</extracomment>
            <translation>取り除くノートがこの譜面にありません。</translation>
        </message>
        <message>
            <source>取り除くノートに同じノートが2回含まれています。</source>
            <extracomment>ID 41083</extracomment>
            <translation>取り除くノートに同じノートが2回含まれています。</translation>
        </message>
        <message>
            <source>パネル %d は %s の譜面のパネルではありません。</source>
            <extracomment>ID 41084</extracomment>
            <translation>パネル %d は %s の譜面のパネルではありません。</translation>
        </message>
        <message>
            <source>行の挿入は、0以上の位置に0以上の長さで行います。</source>
            <extracomment>ID 41085</extracomment>
            <translation>行の挿入は、0以上の位置に0以上の長さで行います。</translation>
        </message>
        <message>
            <source>%d クロックを位置 %d に挿入すると、位置 %d のノートが譜面の上限 (%s BPMで2時間、位置 %d) を超えます。</source>
            <extracomment>ID 41086</extracomment>
            <translation>%d クロックを位置 %d に挿入すると、位置 %d のノートが譜面の上限 (%s BPMで2時間、位置 %d) を超えます。</translation>
        </message>
        <message>
            <source>行の削除は、0以上の位置から0以上の長さで行います。</source>
            <extracomment>ID 41087</extracomment>
            <translation>行の削除は、0以上の位置から0以上の長さで行います。</translation>
        </message>
        <message>
            <source>移動するノートがこの譜面にありません。</source>
            <extracomment>ID 41088</extracomment>
            <translation>移動するノートがこの譜面にありません。</translation>
        </message>
        <message>
            <source>削除するノートがこの譜面にありません。</source>
            <extracomment>ID 41089</extracomment>
            <translation>削除するノートがこの譜面にありません。</translation>
        </message>
        <message>
            <source>パネルの大きさには0より大きい数を指定してください。</source>
            <extracomment>ID 41090</extracomment>
            <translation>パネルの大きさには0より大きい数を指定してください。</translation>
        </message>
        <message>
            <source>1行のクロック数は0より大きくなければなりません (%d が指定されました)。</source>
            <extracomment>ID 41091</extracomment>
            <translation>1行のクロック数は0より大きくなければなりません (%d が指定されました)。</translation>
        </message>
        <message>
            <source>譜面の画像は640 x 480ピクセルでなければなりません。</source>
            <extracomment>ID 41092</extracomment>
            <translation>譜面の画像は640 x 480ピクセルでなければなりません。</translation>
        </message>
        <message>
            <source>譜面の画像はRGB32か乗算済みARGB32でなければなりません。</source>
            <extracomment>ID 41093</extracomment>
            <translation>譜面の画像はRGB32か乗算済みARGB32でなければなりません。</translation>
        </message>
        <message>
            <source>スプライトの範囲が画像の外にはみ出しています。</source>
            <extracomment>ID 41094</extracomment>
            <translation>スプライトの範囲が画像の外にはみ出しています。</translation>
        </message>
        <message>
            <source>組み込みの画像 %s を読み込めません。</source>
            <extracomment>ID 41095</extracomment>
            <translation>組み込みの画像 %s を読み込めません。</translation>
        </message>
        <message>
            <source>組み込みの画像 %s の大きさが %d x %d ピクセルです (%d x %d ピクセルのはずです)。</source>
            <extracomment>ID 41096</extracomment>
            <translation>組み込みの画像 %s の大きさが %d x %d ピクセルです (%d x %d ピクセルのはずです)。</translation>
        </message>
        <message>
            <source>トゥーンの番号 %d は0から9の範囲にありません。</source>
            <extracomment>ID 41097</extracomment>
            <translation>トゥーンの番号 %d は0から9の範囲にありません。</translation>
        </message>
        <message>
            <source>ファイルに音声がありません。</source>
            <extracomment>ID 41098</extracomment>
            <translation>ファイルに音声がありません。</translation>
        </message>
        <message>
            <source>&quot;%s&quot; は空のファイルです。</source>
            <extracomment>ID 41099</extracomment>
            <translation>&quot;%s&quot; は空のファイルです。</translation>
        </message>
        <message>
            <source>&quot;%s&quot; を音声ファイルとして開けません。</source>
            <extracomment>ID 41100</extracomment>
            <translation>&quot;%s&quot; を音声ファイルとして開けません。</translation>
        </message>
        <message>
            <source>&quot;%s&quot; は音声として読めないファイルです。</source>
            <extracomment>ID 41101</extracomment>
            <translation>&quot;%s&quot; は音声として読めないファイルです。</translation>
        </message>
        <message>
            <source>&quot;%s&quot; には再生できる形式の音声がありません。</source>
            <extracomment>ID 41102</extracomment>
            <translation>&quot;%s&quot; には再生できる形式の音声がありません。</translation>
        </message>
        <message>
            <source>&quot;%s&quot; の音声を再生する準備ができません。</source>
            <extracomment>ID 41103</extracomment>
            <translation>&quot;%s&quot; の音声を再生する準備ができません。</translation>
        </message>
        <message>
            <source>&quot;%s&quot; の音声を読み込めません。</source>
            <extracomment>ID 41104</extracomment>
            <translation>&quot;%s&quot; の音声を読み込めません。</translation>
        </message>
        <message>
            <source>&quot;%s&quot; の音声はどこも読めませんでした。</source>
            <extracomment>ID 41105</extracomment>
            <translation>&quot;%s&quot; の音声はどこも読めませんでした。</translation>
        </message>
        <message>
            <source>&quot;%s&quot; の音声を再生用に変換できません。</source>
            <extracomment>ID 41106</extracomment>
            <translation>&quot;%s&quot; の音声を再生用に変換できません。</translation>
        </message>
        <message>
            <source>&quot;%s&quot; の音声にはサンプリング周波数がありません。</source>
            <extracomment>ID 41107</extracomment>
            <translation>&quot;%s&quot; の音声にはサンプリング周波数がありません。</translation>
        </message>
        <message>
            <source>&quot;%s&quot; には音声のデータがありません。</source>
            <extracomment>ID 41108</extracomment>
            <translation>&quot;%s&quot; には音声のデータがありません。</translation>
        </message>
        <message>
            <source>この出力形式には対応していません: %d Hz、%d チャンネル</source>
            <extracomment>ID 41109</extracomment>
            <translation>この出力形式には対応していません: %d Hz、%d チャンネル</translation>
        </message>
        <message>
            <source>&quot;%s&quot; の音声はすでに読み込まれています。</source>
            <extracomment>ID 41110</extracomment>
            <translation>&quot;%s&quot; の音声はすでに読み込まれています。</translation>
        </message>
        <message>
            <source>&quot;%s&quot; は長すぎて再生できません。</source>
            <extracomment>ID 41111</extracomment>
            <translation>&quot;%s&quot; は長すぎて再生できません。</translation>
        </message>
        <message>
            <source>&quot;%s&quot; の音声を読み込むメモリが足りません。</source>
            <extracomment>ID 41112</extracomment>
            <translation>&quot;%s&quot; の音声を読み込むメモリが足りません。</translation>
        </message>
        <message>
            <source>&quot;%s&quot; の音声を読み込めませんでした。</source>
            <extracomment>ID 41113</extracomment>
            <translation>&quot;%s&quot; の音声を読み込めませんでした。</translation>
        </message>
        <message>
            <source>AVIファイルはすでに作成中です。</source>
            <extracomment>ID 41114</extracomment>
            <translation>AVIファイルはすでに作成中です。</translation>
        </message>
        <message>
            <source>フレームを書き込むAVIファイルが開かれていません。</source>
            <extracomment>ID 41115</extracomment>
            <translation>フレームを書き込むAVIファイルが開かれていません。</translation>
        </message>
        <message>
            <source>ビデオの品質は0から100で指定してください (%d が指定されました)。</source>
            <extracomment>ID 41116</extracomment>
            <translation>ビデオの品質は0から100で指定してください (%d が指定されました)。</translation>
        </message>
        <message>
            <source>キーフレームの間隔 %d フレームは範囲外です。</source>
            <extracomment>ID 41117</extracomment>
            <translation>キーフレームの間隔 %d フレームは範囲外です。</translation>
        </message>
        <message>
            <source>データレート %d kbit/s は範囲外です。</source>
            <extracomment>ID 41118</extracomment>
            <translation>データレート %d kbit/s は範囲外です。</translation>
        </message>
        <message>
            <source>&quot;%s&quot; は、ここでAVIファイルの作成に使える圧縮プログラムではありません。</source>
            <extracomment>ID 41119</extracomment>
            <translation>&quot;%s&quot; は、ここでAVIファイルの作成に使える圧縮プログラムではありません。</translation>
        </message>
        <message>
            <source>圧縮プログラム &quot;%s&quot; は、このプログラムが渡せる画素形式をどれも受け付けません。</source>
            <extracomment>ID 41120</extracomment>
            <translation>圧縮プログラム &quot;%s&quot; は、このプログラムが渡せる画素形式をどれも受け付けません。</translation>
        </message>
        <message>
            <source>圧縮プログラム &quot;%s&quot; をこの設定で開始できません。</source>
            <extracomment>ID 41121</extracomment>
            <translation>圧縮プログラム &quot;%s&quot; をこの設定で開始できません。</translation>
        </message>
        <message>
            <source>圧縮プログラム &quot;%s&quot; 用にフレームを変換できません。</source>
            <extracomment>ID 41122</extracomment>
            <translation>圧縮プログラム &quot;%s&quot; 用にフレームを変換できません。</translation>
        </message>
        <message>
            <source>ビデオのフレームには640 x 480ピクセルが必要です (行の長さ %d では足りません)。</source>
            <extracomment>ID 41123</extracomment>
            <translation>ビデオのフレームには640 x 480ピクセルが必要です (行の長さ %d では足りません)。</translation>
        </message>
        <message>
            <source>ビデオのフレームを用意できません。</source>
            <extracomment>ID 41124</extracomment>
            <translation>ビデオのフレームを用意できません。</translation>
        </message>
        <message>
            <source>ビデオのフレームを変換できません。</source>
            <extracomment>ID 41125</extracomment>
            <translation>ビデオのフレームを変換できません。</translation>
        </message>
        <message>
            <source>ビデオのフレームを圧縮できません。</source>
            <extracomment>ID 41126</extracomment>
            <translation>ビデオのフレームを圧縮できません。</translation>
        </message>
        <message>
            <source>このFFmpegではAVIファイルを作成できません。</source>
            <extracomment>ID 41127</extracomment>
            <translation>このFFmpegではAVIファイルを作成できません。</translation>
        </message>
        <message>
            <source>&quot;%s&quot; の作成を始められません。</source>
            <extracomment>ID 41128</extracomment>
            <translation>&quot;%s&quot; の作成を始められません。</translation>
        </message>
        <message>
            <source>&quot;%s&quot; のヘッダーを書き込めません。</source>
            <extracomment>ID 41129</extracomment>
            <translation>&quot;%s&quot; のヘッダーを書き込めません。</translation>
        </message>
        <message>
            <source>&quot;%s&quot; にフレームを書き込めません。</source>
            <extracomment>ID 41130</extracomment>
            <translation>&quot;%s&quot; にフレームを書き込めません。</translation>
        </message>
        <message>
            <source>&quot;%s&quot; を書き終えられません。</source>
            <extracomment>ID 41131</extracomment>
            <translation>&quot;%s&quot; を書き終えられません。</translation>
        </message>
        <message>
            <source>&quot;%s&quot; はフォルダーのため、読み込めません。</source>
            <extracomment>ID 41132</extracomment>
            <translation>&quot;%s&quot; はフォルダーのため、読み込めません。</translation>
        </message>
        <message>
            <source>&quot;%s&quot; は通常のファイルではないため、読み込めません。</source>
            <extracomment>ID 41133</extracomment>
            <translation>&quot;%s&quot; は通常のファイルではないため、読み込めません。</translation>
        </message>
        <message>
            <source>&quot;%s&quot; を開けません (%s)。</source>
            <extracomment>ID 41134</extracomment>
            <translation>&quot;%s&quot; を開けません (%s)。</translation>
        </message>
        <message>
            <source>&quot;%s&quot; を読み込めません (%s)。</source>
            <extracomment>ID 41135</extracomment>
            <translation>&quot;%s&quot; を読み込めません (%s)。</translation>
        </message>
        <message>
            <source>&quot;%s&quot; は大きすぎるため、読み込めません (%d バイト。この種類のファイルは %s まで)。</source>
            <extracomment>ID 41136</extracomment>
            <translation>&quot;%s&quot; は大きすぎるため、読み込めません (%d バイト。この種類のファイルは %s まで)。</translation>
        </message>
        <message>
            <source>%d メガバイト</source>
            <extracomment>ID 41137</extracomment>
            <translation>%d メガバイト</translation>
        </message>
        <message>
            <source>%d バイト</source>
            <extracomment>ID 41138</extracomment>
            <translation>%d バイト</translation>
        </message>
        <message>
            <source>テンポ %s BPM は譜面の上限 %s BPM を超えています。</source>
            <extracomment>ID 41139</extracomment>
            <translation>テンポ %s BPM は譜面の上限 %s BPM を超えています。</translation>
        </message>
        <message>
            <source>ギャップ %d ミリ秒は譜面の上限 (前後それぞれ %d ミリ秒) を超えています。</source>
            <extracomment>ID 41140</extracomment>
            <translation>ギャップ %d ミリ秒は譜面の上限 (前後それぞれ %d ミリ秒) を超えています。</translation>
        </message>
        <message>
            <source>ノートが譜面の始まりより前にあります (位置 %d)。</source>
            <extracomment>ID 41141</extracomment>
            <translation>ノートが譜面の始まりより前にあります (位置 %d)。</translation>
        </message>
        <message>
            <source>位置 %d のノートの長さが負の値です (%d)。</source>
            <extracomment>ID 41142</extracomment>
            <translation>位置 %d のノートの長さが負の値です (%d)。</translation>
        </message>
        <message>
            <source>位置 %d のノートが%sより後にあります。</source>
            <extracomment>ID 41143</extracomment>
            <translation>位置 %d のノートが%sより後にあります。</translation>
        </message>
        <message>
            <source>位置 %d のフリーズが位置 %d で終わり、%sを超えています。</source>
            <extracomment>ID 41144</extracomment>
            <translation>位置 %d のフリーズが位置 %d で終わり、%sを超えています。</translation>
        </message>
        <message>
            <source>譜面の上限 (位置 %d)</source>
            <extracomment>ID 41145</extracomment>
            <translation>譜面の上限 (位置 %d)</translation>
        </message>
        <message>
            <source>譜面の上限 (%s BPMで2時間、位置 %d)</source>
            <extracomment>ID 41146</extracomment>
            <translation>譜面の上限 (%s BPMで2時間、位置 %d)</translation>
        </message>
        <message>
            <source>譜面のノートが %d 個あり、1つの譜面に置ける %d 個を超えています。</source>
            <extracomment>ID 41147</extracomment>
            <translation>譜面のノートが %d 個あり、1つの譜面に置ける %d 個を超えています。</translation>
        </message>
        <message>
            <source>%s %s の譜面で、%s</source>
            <extracomment>ID 41148</extracomment>
            <translation>%s %s の譜面で、%s</translation>
        </message>
        <message>
            <source>%s BPM にすると、%s %s の譜面で、%s</source>
            <extracomment>ID 41149</extracomment>
            <translation>%s BPM にすると、%s %s の譜面で、%s</translation>
        </message>
        <message>
            <source>&quot;%s&quot; を取り込めません: %s</source>
            <extracomment>ID 41150</extracomment>
            <translation>&quot;%s&quot; を取り込めません: %s</translation>
        </message>
        <message>
            <source>&quot;%s&quot; はDWIファイルではありません。%s</source>
            <extracomment>ID 41151</extracomment>
            <translation>&quot;%s&quot; はDWIファイルではありません。%s</translation>
        </message>
        <message>
            <source>テキストファイルにはないNULバイトを含んでいます。</source>
            <extracomment>ID 41152, 41157</extracomment>
            <translation>テキストファイルにはないNULバイトを含んでいます。</translation>
        </message>
        <message>
            <source>値の書かれたDWIのタグ (#TITLE、#BPM、#SINGLE など) がひとつもありません。</source>
            <extracomment>ID 41153</extracomment>
            <translation>値の書かれたDWIのタグ (#TITLE、#BPM、#SINGLE など) がひとつもありません。</translation>
        </message>
        <message>
            <source>#%s の項目 &quot;%s&quot; を読めないため、読み飛ばしました。</source>
            <extracomment>ID 41154</extracomment>
            <translation>#%s の項目 &quot;%s&quot; を読めないため、読み飛ばしました。</translation>
        </message>
        <message>
            <source>#BPMS に読めるテンポがありません。</source>
            <extracomment>ID 41155</extracomment>
            <translation>#BPMS に読めるテンポがありません。</translation>
        </message>
        <message>
            <source>位置 %s の負のテンポのあとに正のテンポがないため、読み飛ばしました。</source>
            <extracomment>ID 41156</extracomment>
            <translation>位置 %s の負のテンポのあとに正のテンポがないため、読み飛ばしました。</translation>
        </message>
        <message>
            <source>StepMania のタグ (#TITLE、#BPMS、#NOTES など) がひとつもありません。</source>
            <extracomment>ID 41158</extracomment>
            <translation>StepMania のタグ (#TITLE、#BPMS、#NOTES など) がひとつもありません。</translation>
        </message>
        <message>
            <source>譜面 %s は曲と異なる独自のタイミングを持つため、取り込みませんでした。</source>
            <extracomment>ID 41159</extracomment>
            <translation>譜面 %s は曲と異なる独自のタイミングを持つため、取り込みませんでした。</translation>
        </message>
        <message>
            <source>%s %s の譜面で、地雷・フェイク・リフト・キー音など踊らない %d 個の記号を除きました。</source>
            <extracomment>ID 41160</extracomment>
            <translation>%s %s の譜面で、地雷・フェイク・リフト・キー音など踊らない %d 個の記号を除きました。</translation>
        </message>
        <message>
            <source>%s %s の譜面で、ワープの中にある %d 個のノートを除きました。</source>
            <extracomment>ID 41161</extracomment>
            <translation>%s %s の譜面で、ワープの中にある %d 個のノートを除きました。</translation>
        </message>
        <message>
            <source>この種類の譜面は取り込めないため、読み飛ばしました: %s</source>
            <extracomment>ID 41162</extracomment>
            <translation>この種類の譜面は取り込めないため、読み飛ばしました: %s</translation>
        </message>
        <message>
            <source>.sm ファイルはワープを持てないため、ワープを除いて書き出しました (ノートは残ります)。</source>
            <extracomment>ID 41163</extracomment>
            <translation>.sm ファイルはワープを持てないため、ワープを除いて書き出しました (ノートは残ります)。</translation>
        </message>
        <message>
            <source>テンポ変更</source>
            <extracomment>ID 41164</extracomment>
            <translation>テンポ変更</translation>
        </message>
        <message>
            <source>遅延</source>
            <extracomment>ID 41165</extracomment>
            <translation>遅延</translation>
        </message>
        <message>
            <source>停止</source>
            <extracomment>ID 41166</extracomment>
            <translation>停止</translation>
        </message>
        <message>
            <source>ワープ</source>
            <extracomment>ID 41167</extracomment>
            <translation>ワープ</translation>
        </message>
        <message>
            <source>%sが譜面の始まりより前にあります (位置 %d)。</source>
            <extracomment>ID 41168</extracomment>
            <translation>%sが譜面の始まりより前にあります (位置 %d)。</translation>
        </message>
        <message>
            <source>位置 %d のテンポ %s BPM は 0 より大きく %s BPM 以下ではありません。</source>
            <extracomment>ID 41169</extracomment>
            <translation>位置 %d のテンポ %s BPM は 0 より大きく %s BPM 以下ではありません。</translation>
        </message>
        <message>
            <source>位置 %d のワープの長さ %d は 1 以上ではありません。</source>
            <extracomment>ID 41170</extracomment>
            <translation>位置 %d のワープの長さ %d は 1 以上ではありません。</translation>
        </message>
        <message>
            <source>位置 %d から %d の長さのワープが最後の位置 %d を超えます。</source>
            <extracomment>ID 41171</extracomment>
            <translation>位置 %d から %d の長さのワープが最後の位置 %d を超えます。</translation>
        </message>
        <message>
            <source>%s (位置 %d) の長さ %s ミリ秒は 0 以上ではありません。</source>
            <extracomment>ID 41172</extracomment>
            <translation>%s (位置 %d) の長さ %s ミリ秒は 0 以上ではありません。</translation>
        </message>
        <message>
            <source>曲のテンポ %s BPM は 0 より大きく %s BPM 以下ではありません。</source>
            <extracomment>ID 41173</extracomment>
            <translation>曲のテンポ %s BPM は 0 より大きく %s BPM 以下ではありません。</translation>
        </message>
        <message>
            <source>テンポの変化が %d 個になり、置ける %d 個を超えます。</source>
            <extracomment>ID 41174</extracomment>
            <translation>テンポの変化が %d 個になり、置ける %d 個を超えます。</translation>
        </message>
        <message>
            <source>最初のテンポは曲のテンポで、位置 0 のテンポ変更のままでなければなりません。</source>
            <extracomment>ID 41175</extracomment>
            <translation>最初のテンポは曲のテンポで、位置 0 のテンポ変更のままでなければなりません。</translation>
        </message>
        <message>
            <source>位置 0 には曲のテンポがあります。</source>
            <extracomment>ID 41176</extracomment>
            <translation>位置 0 には曲のテンポがあります。</translation>
        </message>
        <message>
            <source>位置 %d にはすでにテンポ変更があります。</source>
            <extracomment>ID 41177</extracomment>
            <translation>位置 %d にはすでにテンポ変更があります。</translation>
        </message>
        <message>
            <source>停止と遅延が合わせて %s ミリ秒になり、1時間を超えます。</source>
            <extracomment>ID 41178</extracomment>
            <translation>停止と遅延が合わせて %s ミリ秒になり、1時間を超えます。</translation>
        </message>
        <message>
            <source>曲のテンポは削除できません。変更だけができます。</source>
            <extracomment>ID 41179</extracomment>
            <translation>曲のテンポは削除できません。変更だけができます。</translation>
        </message>
        <message>
            <source>譜面の上限 (テンポの変化を通して2時間、位置 %d)</source>
            <extracomment>ID 41180</extracomment>
            <translation>譜面の上限 (テンポの変化を通して2時間、位置 %d)</translation>
        </message>
        <message>
            <source>テンポの表に未知の種類 (%d) の項目があります。</source>
            <extracomment>ID 41181</extracomment>
            <translation>テンポの表に未知の種類 (%d) の項目があります。</translation>
        </message>
        <message>
            <source>%s の部分の長さが中身と合いません。</source>
            <extracomment>ID 41182</extracomment>
            <translation>%s の部分の長さが中身と合いません。</translation>
        </message>
        <message>
            <source>このテンポの変化では、%s %s の譜面で、%s</source>
            <extracomment>ID 41183</extracomment>
            <translation>このテンポの変化では、%s %s の譜面で、%s</translation>
        </message>
        <message>
            <source>%d クロックを位置 %d に挿入すると、%s</source>
            <extracomment>ID 41184</extracomment>
            <translation>%d クロックを位置 %d に挿入すると、%s</translation>
        </message>
        <message>
            <source>%d クロックを位置 %d に挿入すると、位置 %d の%sが最後の位置 %d を超えます。</source>
            <extracomment>ID 41185</extracomment>
            <translation>%d クロックを位置 %d に挿入すると、位置 %d の%sが最後の位置 %d を超えます。</translation>
        </message>
        <message>
            <source>テンポの変化の番号が範囲外です。</source>
            <extracomment>ID 41186</extracomment>
            <translation>テンポの変化の番号が範囲外です。</translation>
        </message>
        <message>
            <source>PMX モデルではありません (ファイルが PMX のヘッダーで始まっていません)。</source>
            <extracomment>ID 41187</extracomment>
            <translation>PMX モデルではありません (ファイルが PMX のヘッダーで始まっていません)。</translation>
        </message>
        <message>
            <source>PMX のバージョン %s には対応していません (対応は 2.0 と 2.1 です)。</source>
            <extracomment>ID 41188</extracomment>
            <translation>PMX のバージョン %s には対応していません (対応は 2.0 と 2.1 です)。</translation>
        </message>
        <message>
            <source>%sの%s %d は無効です。</source>
            <extracomment>ID 41189</extracomment>
            <translation>%sの%s %d は無効です。</translation>
        </message>
        <message>
            <source>%sの番号 %d が%sの範囲外です。</source>
            <extracomment>ID 41190</extracomment>
            <translation>%sの番号 %d が%sの範囲外です。</translation>
        </message>
        <message>
            <source>面の頂点番号の数 %d が3の倍数ではありません。</source>
            <extracomment>ID 41191</extracomment>
            <translation>面の頂点番号の数 %d が3の倍数ではありません。</translation>
        </message>
        <message>
            <source>材質の頂点数の合計 %d が面の頂点番号の数 %d と合いません。</source>
            <extracomment>ID 41192</extracomment>
            <translation>材質の頂点数の合計 %d が面の頂点番号の数 %d と合いません。</translation>
        </message>
        <message>
            <source>テクスチャ</source>
            <extracomment>ID 41193</extracomment>
            <translation>テクスチャ</translation>
        </message>
        <message>
            <source>表示枠</source>
            <extracomment>ID 41194</extracomment>
            <translation>表示枠</translation>
        </message>
        <message>
            <source>ソフトボディ</source>
            <extracomment>ID 41195</extracomment>
            <translation>ソフトボディ</translation>
        </message>
        <message>
            <source>設定の数</source>
            <extracomment>ID 41196</extracomment>
            <translation>設定の数</translation>
        </message>
        <message>
            <source>文字コード</source>
            <extracomment>ID 41197</extracomment>
            <translation>文字コード</translation>
        </message>
        <message>
            <source>追加UVの数</source>
            <extracomment>ID 41198</extracomment>
            <translation>追加UVの数</translation>
        </message>
        <message>
            <source>番号のバイト数</source>
            <extracomment>ID 41199</extracomment>
            <translation>番号のバイト数</translation>
        </message>
        <message>
            <source>ウェイトの種類</source>
            <extracomment>ID 41200</extracomment>
            <translation>ウェイトの種類</translation>
        </message>
        <message>
            <source>スフィアモード</source>
            <extracomment>ID 41201</extracomment>
            <translation>スフィアモード</translation>
        </message>
        <message>
            <source>共有トゥーン</source>
            <extracomment>ID 41202</extracomment>
            <translation>共有トゥーン</translation>
        </message>
        <message>
            <source>モーフの種類</source>
            <extracomment>ID 41203</extracomment>
            <translation>モーフの種類</translation>
        </message>
        <message>
            <source>個数</source>
            <extracomment>ID 41204</extracomment>
            <translation>個数</translation>
        </message>
        <message>
            <source>文字列の長さ</source>
            <extracomment>ID 41205</extracomment>
            <translation>文字列の長さ</translation>
        </message>
        <message>
            <source>ジョイントの種類</source>
            <extracomment>ID 41206</extracomment>
            <translation>ジョイントの種類</translation>
        </message>
        <message>
            <source>要素の種類</source>
            <extracomment>ID 41207</extracomment>
            <translation>要素の種類</translation>
        </message>
        <message>
            <source>剛体の形</source>
            <extracomment>ID 41208</extracomment>
            <translation>剛体の形</translation>
        </message>
        <message>
            <source>物理演算の種類</source>
            <extracomment>ID 41209</extracomment>
            <translation>物理演算の種類</translation>
        </message>
        <message>
            <source>演算の種類</source>
            <extracomment>ID 41210</extracomment>
            <translation>演算の種類</translation>
        </message>
        <message>
            <source>ファイルまたはフォルダーがありません</source>
            <extracomment>ID 41211</extracomment>
            <translation>ファイルまたはフォルダーがありません</translation>
        </message>
        <message>
            <source>アクセスが拒否されました</source>
            <extracomment>ID 41212</extracomment>
            <translation>アクセスが拒否されました</translation>
        </message>
        <message>
            <source>この操作は許可されていません</source>
            <extracomment>ID 41213</extracomment>
            <translation>この操作は許可されていません</translation>
        </message>
        <message>
            <source>ディスクの空き領域が足りません</source>
            <extracomment>ID 41214</extracomment>
            <translation>ディスクの空き領域が足りません</translation>
        </message>
        <message>
            <source>ディスクの使用量の上限を超えました</source>
            <extracomment>ID 41215</extracomment>
            <translation>ディスクの使用量の上限を超えました</translation>
        </message>
        <message>
            <source>読み取り専用の場所です</source>
            <extracomment>ID 41216</extracomment>
            <translation>読み取り専用の場所です</translation>
        </message>
        <message>
            <source>フォルダーです</source>
            <extracomment>ID 41217</extracomment>
            <translation>フォルダーです</translation>
        </message>
        <message>
            <source>パスの途中にフォルダーでないものがあります</source>
            <extracomment>ID 41218</extracomment>
            <translation>パスの途中にフォルダーでないものがあります</translation>
        </message>
        <message>
            <source>同じ名前のファイルがすでにあります</source>
            <extracomment>ID 41219</extracomment>
            <translation>同じ名前のファイルがすでにあります</translation>
        </message>
        <message>
            <source>ディスクの読み書き中にエラーが発生しました</source>
            <extracomment>ID 41220</extracomment>
            <translation>ディスクの読み書き中にエラーが発生しました</translation>
        </message>
        <message>
            <source>開いているファイルが多すぎます</source>
            <extracomment>ID 41221</extracomment>
            <translation>開いているファイルが多すぎます</translation>
        </message>
        <message>
            <source>システム全体で開いているファイルが多すぎます</source>
            <extracomment>ID 41222</extracomment>
            <translation>システム全体で開いているファイルが多すぎます</translation>
        </message>
        <message>
            <source>名前が長すぎます</source>
            <extracomment>ID 41223</extracomment>
            <translation>名前が長すぎます</translation>
        </message>
        <message>
            <source>シンボリックリンクが多すぎるか、循環しています</source>
            <extracomment>ID 41224</extracomment>
            <translation>シンボリックリンクが多すぎるか、循環しています</translation>
        </message>
        <message>
            <source>ファイルが大きすぎます</source>
            <extracomment>ID 41225</extracomment>
            <translation>ファイルが大きすぎます</translation>
        </message>
        <message>
            <source>使用中です</source>
            <extracomment>ID 41226</extracomment>
            <translation>使用中です</translation>
        </message>
        <message>
            <source>メモリが不足しています</source>
            <extracomment>ID 41227</extracomment>
            <translation>メモリが不足しています</translation>
        </message>
        <message>
            <source>エラー番号 %d</source>
            <extracomment>ID 41228</extracomment>
            <translation>エラー番号 %d</translation>
        </message>
        <message>
            <source>ダンサーとパッドとスクリーンが全部見えるように視点を動かす
全体表示</source>
            <extracomment>ID 41229</extracomment>
            <translation>ダンサーとパッドとスクリーンが全部見えるように視点を動かす
全体表示</translation>
        </message>
        <message>
            <source>右ドラッグ: 回転　中ドラッグ: 平行移動　ホイール: 近づく/離れる　右ダブルクリック: 視点を戻す　F: 全体表示</source>
            <extracomment>ID 41230</extracomment>
            <translation>右ドラッグ: 回転　中ドラッグ: 平行移動　ホイール: 近づく/離れる　右ダブルクリック: 視点を戻す　F: 全体表示</translation>
        </message>
        <message>
            <source>テクスチャが見つかりません: %s</source>
            <extracomment>ID 41231</extracomment>
            <translation>テクスチャが見つかりません: %s</translation>
        </message>
        <message>
            <source>テクスチャが見つかりません: %s ほか%d個</source>
            <extracomment>ID 41232</extracomment>
            <translation>テクスチャが見つかりません: %s ほか%d個</translation>
        </message>
        <message>
            <source>、</source>
            <extracomment>ID 41233</extracomment>
            <translation>、</translation>
        </message>
        <message>
            <source>&quot;%s&quot; はDWIファイルではありません。</source>
            <extracomment>ID 41234</extracomment>
            <translation>&quot;%s&quot; はDWIファイルではありません。</translation>
        </message>
        <message>
            <source>BPMは0より大きく%s以下の数値を入力してください。</source>
            <extracomment>ID 41235</extracomment>
            <translation>BPMは0より大きく%s以下の数値を入力してください。</translation>
        </message>
        <message>
            <source>ギャップは-%sから%sまでの整数 (ミリ秒) を入力してください。</source>
            <extracomment>ID 41236</extracomment>
            <translation>ギャップは-%sから%sまでの整数 (ミリ秒) を入力してください。</translation>
        </message>
        <message>
            <source>DWIファイルにはワープと位置 0 の遅延を書けないため、それらを除いて書き出しました (ワープ %d 個、位置 0 の遅延 %d 個)。ノートはすべて書き出しています。</source>
            <extracomment>ID 41237</extracomment>
            <translation>DWIファイルにはワープと位置 0 の遅延を書けないため、それらを除いて書き出しました (ワープ %d 個、位置 0 の遅延 %d 個)。ノートはすべて書き出しています。</translation>
        </message>
        <message>
            <source>カーソル行から先のテンポを変える
テンポ変更の挿入</source>
            <extracomment>ID 41238</extracomment>
            <translation>カーソル行から先のテンポを変える
テンポ変更の挿入</translation>
        </message>
        <message>
            <source>カーソル行のノートの後で譜面を止める
停止の挿入</source>
            <extracomment>ID 41239</extracomment>
            <translation>カーソル行のノートの後で譜面を止める
停止の挿入</translation>
        </message>
        <message>
            <source>カーソル行のノートの前で譜面を止める
遅延の挿入</source>
            <extracomment>ID 41240</extracomment>
            <translation>カーソル行のノートの前で譜面を止める
遅延の挿入</translation>
        </message>
        <message>
            <source>カーソル行のテンポ変更、停止、遅延、ワープを削除
テンポ変更の削除</source>
            <extracomment>ID 41241</extracomment>
            <translation>カーソル行のテンポ変更、停止、遅延、ワープを削除
テンポ変更の削除</translation>
        </message>
        <message>
            <source>テンポ変更の挿入(&amp;B)...</source>
            <extracomment>ID 41242</extracomment>
            <translation>テンポ変更の挿入(&amp;B)...</translation>
        </message>
        <message>
            <source>停止の挿入(&amp;O)...</source>
            <extracomment>ID 41243</extracomment>
            <translation>停止の挿入(&amp;O)...</translation>
        </message>
        <message>
            <source>遅延の挿入(&amp;Y)...</source>
            <extracomment>ID 41244</extracomment>
            <translation>遅延の挿入(&amp;Y)...</translation>
        </message>
        <message>
            <source>テンポ変更の削除(&amp;E)</source>
            <extracomment>ID 41245</extracomment>
            <translation>テンポ変更の削除(&amp;E)</translation>
        </message>
        <message>
            <source>テンポ変更の挿入</source>
            <extracomment>ID 41246</extracomment>
            <translation>テンポ変更の挿入</translation>
        </message>
        <message>
            <source>遅延の挿入</source>
            <extracomment>ID 41247</extracomment>
            <translation>遅延の挿入</translation>
        </message>
        <message>
            <source>停止の挿入</source>
            <extracomment>ID 41248</extracomment>
            <translation>停止の挿入</translation>
        </message>
        <message>
            <source>ワープの挿入</source>
            <extracomment>ID 41249</extracomment>
            <translation>ワープの挿入</translation>
        </message>
        <message>
            <source>テンポ変更の編集</source>
            <extracomment>ID 41250</extracomment>
            <translation>テンポ変更の編集</translation>
        </message>
        <message>
            <source>遅延の編集</source>
            <extracomment>ID 41251</extracomment>
            <translation>遅延の編集</translation>
        </message>
        <message>
            <source>停止の編集</source>
            <extracomment>ID 41252</extracomment>
            <translation>停止の編集</translation>
        </message>
        <message>
            <source>ワープの編集</source>
            <extracomment>ID 41253</extracomment>
            <translation>ワープの編集</translation>
        </message>
        <message>
            <source>テンポ変更の削除</source>
            <extracomment>ID 41254</extracomment>
            <translation>テンポ変更の削除</translation>
        </message>
        <message>
            <source>テンポ %s</source>
            <extracomment>ID 41255</extracomment>
            <translation>テンポ %s</translation>
        </message>
        <message>
            <source>遅延 %s秒</source>
            <extracomment>ID 41256</extracomment>
            <translation>遅延 %s秒</translation>
        </message>
        <message>
            <source>停止 %s秒</source>
            <extracomment>ID 41257</extracomment>
            <translation>停止 %s秒</translation>
        </message>
        <message>
            <source>ワープ %d</source>
            <extracomment>ID 41258</extracomment>
            <translation>ワープ %d</translation>
        </message>
        <message>
            <source>位置 %d (%d小節目)</source>
            <extracomment>ID 41259</extracomment>
            <translation>位置 %d (%d小節目)</translation>
        </message>
        <message>
            <source>秒数:</source>
            <extracomment>ID 41260</extracomment>
            <translation>秒数:</translation>
        </message>
        <message>
            <source>長さ (クロック):</source>
            <extracomment>ID 41261</extracomment>
            <translation>長さ (クロック):</translation>
        </message>
        <message>
            <source>秒数は0より大きく%s以下の数値を入力してください。</source>
            <extracomment>ID 41262</extracomment>
            <translation>秒数は0より大きく%s以下の数値を入力してください。</translation>
        </message>
        <message>
            <source>長さは1から%sまでの整数 (クロック) を入力してください。</source>
            <extracomment>ID 41263</extracomment>
            <translation>長さは1から%sまでの整数 (クロック) を入力してください。</translation>
        </message>
        <message>
            <source>譜面ファイル(*.dwi;*.sm;*.ssc)|*.dwi;*.sm;*.ssc</source>
            <extracomment>ID 41264</extracomment>
            <translation>譜面ファイル(*.dwi;*.sm;*.ssc)|*.dwi;*.sm;*.ssc</translation>
        </message>
        <message>
            <source>SMファイル(*.sm)|*.sm</source>
            <extracomment>ID 41265</extracomment>
            <translation>SMファイル(*.sm)|*.sm</translation>
        </message>
        <message>
            <source>SSCファイル(*.ssc)|*.ssc</source>
            <extracomment>ID 41266</extracomment>
            <translation>SSCファイル(*.ssc)|*.ssc</translation>
        </message>
        <message>
            <source>…ほか%d件</source>
            <extracomment>ID 41267</extracomment>
            <translation>…ほか%d件</translation>
        </message>
        <message>
            <source>言語(&amp;L)</source>
            <extracomment>ID 41268</extracomment>
            <translation>言語(&amp;L)</translation>
        </message>
        <message>
            <source>表示する言語は、次にZelvaneを起動したときから切り替わります。</source>
            <extracomment>ID 41269</extracomment>
            <translation>表示する言語は、次にZelvaneを起動したときから切り替わります。</translation>
        </message>
        <message>
            <source>パネルサイズ:</source>
            <extracomment>ID 41270</extracomment>
            <translation>パネルサイズ:</translation>
        </message>
        <message>
            <source>オプション</source>
            <extracomment>ID 41271</extracomment>
            <translation>オプション</translation>
        </message>
        <message>
            <source>捻る</source>
            <extracomment>ID 41272</extracomment>
            <translation>捻る</translation>
        </message>
        <message>
            <source>振り向き抑制</source>
            <extracomment>ID 41273</extracomment>
            <translation>振り向き抑制</translation>
        </message>
        <message>
            <source>足の割り当て</source>
            <extracomment>ID 41274</extracomment>
            <translation>足の割り当て</translation>
        </message>
        <message>
            <source>標準</source>
            <extracomment>ID 41275</extracomment>
            <translation>標準</translation>
        </message>
        <message>
            <source>最適</source>
            <extracomment>ID 41276</extracomment>
            <translation>最適</translation>
        </message>
        <message>
            <source>ビルド: %s</source>
            <extracomment>ID 41277</extracomment>
            <translation>ビルド: %s</translation>
        </message>
        <message>
            <source>曲を聴いてテンポと最初の拍を見つける
テンポ検出</source>
            <extracomment>ID 41278</extracomment>
            <translation>曲を聴いてテンポと最初の拍を見つける
テンポ検出</translation>
        </message>
        <message>
            <source>テンポ検出(&amp;G)...</source>
            <extracomment>ID 41279</extracomment>
            <translation>テンポ検出(&amp;G)...</translation>
        </message>
        <message>
            <source>テンポ検出</source>
            <extracomment>ID 41280</extracomment>
            <translation>テンポ検出</translation>
        </message>
        <message>
            <source>曲「%s」を解析しています...</source>
            <extracomment>ID 41281</extracomment>
            <translation>曲「%s」を解析しています...</translation>
        </message>
        <message>
            <source>適用すると、曲のBPMとギャップがこの値になります。</source>
            <extracomment>ID 41282</extracomment>
            <translation>適用すると、曲のBPMとギャップがこの値になります。</translation>
        </message>
        <message>
            <source>拍が見つかりませんでした。曲が無音か短すぎるか、はっきりした音の立ち上がりが少なすぎます。</source>
            <extracomment>ID 41283</extracomment>
            <translation>拍が見つかりませんでした。曲が無音か短すぎるか、はっきりした音の立ち上がりが少なすぎます。</translation>
        </message>
        <message>
            <source>曲を解析できませんでした。</source>
            <extracomment>ID 41284</extracomment>
            <translation>曲を解析できませんでした。</translation>
        </message>
        <message>
            <source>テンポ (BPM):</source>
            <extracomment>ID 41285</extracomment>
            <translation>テンポ (BPM):</translation>
        </message>
        <message>
            <source>最初の拍 (ギャップ):</source>
            <extracomment>ID 41286</extracomment>
            <translation>最初の拍 (ギャップ):</translation>
        </message>
        <message>
            <source>%s ミリ秒</source>
            <extracomment>ID 41287</extracomment>
            <translation>%s ミリ秒</translation>
        </message>
        <message>
            <source>信頼度 (0～1):</source>
            <extracomment>ID 41288</extracomment>
            <translation>信頼度 (0～1):</translation>
        </message>
        <message>
            <source>この曲には途中のテンポ変更、停止、遅延、ワープがあります。検出したテンポ1つで置き換えますか?
「残す」では最初のテンポとギャップだけが変わります。</source>
            <extracomment>ID 41289</extracomment>
            <translation>この曲には途中のテンポ変更、停止、遅延、ワープがあります。検出したテンポ1つで置き換えますか?
「残す」では最初のテンポとギャップだけが変わります。</translation>
        </message>
        <message>
            <source>適用</source>
            <extracomment>ID 41290</extracomment>
            <translation>適用</translation>
        </message>
        <message>
            <source>閉じる</source>
            <extracomment>ID 41291</extracomment>
            <translation>閉じる</translation>
        </message>
        <message>
            <source>置き換える</source>
            <extracomment>ID 41292</extracomment>
            <translation>置き換える</translation>
        </message>
        <message>
            <source>残す</source>
            <extracomment>ID 41293</extracomment>
            <translation>残す</translation>
        </message>
        <message>
            <source>モデルにダンスで動かすボーンがありません: %s</source>
            <extracomment>ID 41294</extracomment>
            <translation>モデルにダンスで動かすボーンがありません: %s</translation>
        </message>
        <message>
            <source>曲を読み込み中… %d %%</source>
            <extracomment>ID 41295</extracomment>
            <translation>曲を読み込み中… %d %%</translation>
        </message>
        <message>
            <source>曲を読み込めませんでした。</source>
            <extracomment>ID 41296</extracomment>
            <translation>曲を読み込めませんでした。</translation>
        </message>
        <message>
            <source>曲の波形をスコアの横に表示/非表示
波形</source>
            <extracomment>ID 41297</extracomment>
            <translation>曲の波形をスコアの横に表示/非表示
波形</translation>
        </message>
        <message>
            <source>波形(&amp;W)</source>
            <extracomment>ID 41298</extracomment>
            <translation>波形(&amp;W)</translation>
        </message>
        <message>
            <source>Zelvane</source>
            <extracomment>ID 57344</extracomment>
            <translation>Zelvane</translation>
        </message>
        <message>
            <source>レディ</source>
            <extracomment>ID 57345</extracomment>
            <translation>レディ</translation>
        </message>
        <message>
            <source>すべてのファイル (*.*)</source>
            <extracomment>ID 61442</extracomment>
            <translation>すべてのファイル (*.*)</translation>
        </message>
    </context>
    <context>
        <name>Menu</name>
        <message>
            <source>新規作成(&amp;N)	Ctrl+N</source>
            <translation>新規作成(&amp;N)	Ctrl+N</translation>
        </message>
        <message>
            <source>新規にファイルを作成
新規作成</source>
            <translation>新規にファイルを作成
新規作成</translation>
        </message>
        <message>
            <source>開く(&amp;O)...	Ctrl+O</source>
            <translation>開く(&amp;O)...	Ctrl+O</translation>
        </message>
        <message>
            <source>既存のファイルを開く
開く</source>
            <translation>既存のファイルを開く
開く</translation>
        </message>
        <message>
            <source>上書き保存(&amp;S)	Ctrl+S</source>
            <translation>上書き保存(&amp;S)	Ctrl+S</translation>
        </message>
        <message>
            <source>開いているファイルを上書きして保存
上書き保存</source>
            <translation>開いているファイルを上書きして保存
上書き保存</translation>
        </message>
        <message>
            <source>名前を付けて保存(&amp;A)...</source>
            <translation>名前を付けて保存(&amp;A)...</translation>
        </message>
        <message>
            <source>開いているファイルに名前を付けて保存
名前を付けて保存</source>
            <translation>開いているファイルに名前を付けて保存
名前を付けて保存</translation>
        </message>
        <message>
            <source>音声(&amp;U)...</source>
            <translation>音声(&amp;U)...</translation>
        </message>
        <message>
            <source>曲の設定(&amp;G)...</source>
            <translation>曲の設定(&amp;G)...</translation>
        </message>
        <message>
            <source>DWI読み込み(&amp;D)...</source>
            <translation>DWI読み込み(&amp;D)...</translation>
        </message>
        <message>
            <source>DWI作成(&amp;W)...</source>
            <translation>DWI作成(&amp;W)...</translation>
        </message>
        <message>
            <source>モデル(&amp;M)...</source>
            <translation>モデル(&amp;M)...</translation>
        </message>
        <message>
            <source>モーション設定(&amp;T)...</source>
            <translation>モーション設定(&amp;T)...</translation>
        </message>
        <message>
            <source>モーション作成(&amp;I)...</source>
            <translation>モーション作成(&amp;I)...</translation>
        </message>
        <message>
            <source>背景AVI作成(&amp;V)...</source>
            <translation>背景AVI作成(&amp;V)...</translation>
        </message>
        <message>
            <source>最近使ったファイル</source>
            <translation>最近使ったファイル</translation>
        </message>
        <message>
            <source>このファイルを開く</source>
            <translation>このファイルを開く</translation>
        </message>
        <message>
            <source>終了(&amp;X)</source>
            <translation>終了(&amp;X)</translation>
        </message>
        <message>
            <source>アプリケーションを終了し、ファイルの保存を指示
終了</source>
            <translation>アプリケーションを終了し、ファイルの保存を指示
終了</translation>
        </message>
        <message>
            <source>元に戻す(&amp;U)	Ctrl+Z</source>
            <translation>元に戻す(&amp;U)	Ctrl+Z</translation>
        </message>
        <message>
            <source>直前に行った動作を元に戻す
元に戻す</source>
            <translation>直前に行った動作を元に戻す
元に戻す</translation>
        </message>
        <message>
            <source>やり直し(&amp;R)	Ctrl+Y</source>
            <translation>やり直し(&amp;R)	Ctrl+Y</translation>
        </message>
        <message>
            <source>直前に取り消した動作をやり直す
やり直し</source>
            <translation>直前に取り消した動作をやり直す
やり直し</translation>
        </message>
        <message>
            <source>切り取り(&amp;T)	Ctrl+X</source>
            <translation>切り取り(&amp;T)	Ctrl+X</translation>
        </message>
        <message>
            <source>選択範囲を切り取ってクリップボードに移動
切り取り</source>
            <translation>選択範囲を切り取ってクリップボードに移動
切り取り</translation>
        </message>
        <message>
            <source>コピー(&amp;C)	Ctrl+C</source>
            <translation>コピー(&amp;C)	Ctrl+C</translation>
        </message>
        <message>
            <source>選択範囲をコピーしてクリップボードに保存
コピー</source>
            <translation>選択範囲をコピーしてクリップボードに保存
コピー</translation>
        </message>
        <message>
            <source>貼り付け(&amp;P)	Ctrl+V</source>
            <translation>貼り付け(&amp;P)	Ctrl+V</translation>
        </message>
        <message>
            <source>クリップボードの内容を挿入
貼り付け</source>
            <translation>クリップボードの内容を挿入
貼り付け</translation>
        </message>
        <message>
            <source>削除(&amp;D)	Del</source>
            <translation>削除(&amp;D)	Del</translation>
        </message>
        <message>
            <source>選択範囲を削除
削除</source>
            <translation>選択範囲を削除
削除</translation>
        </message>
        <message>
            <source>追加モード(&amp;M)</source>
            <translation>追加モード(&amp;M)</translation>
        </message>
        <message>
            <source>選択モード(&amp;S)</source>
            <translation>選択モード(&amp;S)</translation>
        </message>
        <message>
            <source>行挿入(&amp;I)	Ins</source>
            <translation>行挿入(&amp;I)	Ins</translation>
        </message>
        <message>
            <source>拡大(&amp;I)	Ctrl +</source>
            <translation>拡大(&amp;I)	Ctrl +</translation>
        </message>
        <message>
            <source>縮小(&amp;O)	Ctrl -</source>
            <translation>縮小(&amp;O)	Ctrl -</translation>
        </message>
        <message>
            <source>全体表示(&amp;A)	F</source>
            <translation>全体表示(&amp;A)	F</translation>
        </message>
        <message>
            <source>背景色(&amp;B)...</source>
            <translation>背景色(&amp;B)...</translation>
        </message>
        <message>
            <source>スクリーン色(&amp;S)...</source>
            <translation>スクリーン色(&amp;S)...</translation>
        </message>
        <message>
            <source>先頭から(&amp;H)	Ctrl+F5</source>
            <translation>先頭から(&amp;H)	Ctrl+F5</translation>
        </message>
        <message>
            <source>現在位置から(&amp;P)	F5</source>
            <translation>現在位置から(&amp;P)	F5</translation>
        </message>
        <message>
            <source>停止(&amp;S)	Ctrl+Pause</source>
            <translation>停止(&amp;S)	Ctrl+Pause</translation>
        </message>
        <message>
            <source>アシストクラップ(&amp;C)</source>
            <translation>アシストクラップ(&amp;C)</translation>
        </message>
        <message>
            <source>再生中、ノートの位置でクリック音を鳴らす
アシストクラップ</source>
            <translation>再生中、ノートの位置でクリック音を鳴らす
アシストクラップ</translation>
        </message>
        <message>
            <source>バージョン情報(&amp;A)...</source>
            <translation>バージョン情報(&amp;A)...</translation>
        </message>
        <message>
            <source>プログラムの情報、バージョンを表示
バージョン情報</source>
            <translation>プログラムの情報、バージョンを表示
バージョン情報</translation>
        </message>
        <message>
            <source>次のウィンドウ枠に切り替え
次のペイン</source>
            <translation>次のウィンドウ枠に切り替え
次のペイン</translation>
        </message>
        <message>
            <source>前のウィンドウ枠に切り替え
前のペイン</source>
            <translation>前のウィンドウ枠に切り替え
前のペイン</translation>
        </message>
        <message>
            <source>ファイル(&amp;F)</source>
            <translation>ファイル(&amp;F)</translation>
        </message>
        <message>
            <source>編集(&amp;E)</source>
            <translation>編集(&amp;E)</translation>
        </message>
        <message>
            <source>表示(&amp;V)</source>
            <translation>表示(&amp;V)</translation>
        </message>
        <message>
            <source>再生(&amp;P)</source>
            <translation>再生(&amp;P)</translation>
        </message>
        <message>
            <source>ヘルプ(&amp;H)</source>
            <translation>ヘルプ(&amp;H)</translation>
        </message>
    </context>
</TS>
