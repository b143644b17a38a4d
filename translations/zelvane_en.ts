<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja_JP">
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
Zelvane files (*.zlvm)
.zlvm
Zelvane.Document
Zelvane.Document</translation>
        </message>
        <message>
            <source>長さの変更</source>
            <extracomment>ID 129</extracomment>
            <translation>Change Length</translation>
        </message>
        <message>
            <source>削除</source>
            <extracomment>ID 130</extracomment>
            <translation>Delete</translation>
        </message>
        <message>
            <source>行挿入</source>
            <extracomment>ID 131</extracomment>
            <translation>Insert Rows</translation>
        </message>
        <message>
            <source>移動</source>
            <extracomment>ID 132</extracomment>
            <translation>Move</translation>
        </message>
        <message>
            <source>追加</source>
            <extracomment>ID 133</extracomment>
            <translation>Add</translation>
        </message>
        <message>
            <source>'%c' には対応していません。</source>
            <extracomment>ID 134</extracomment>
            <translation>'%c' is not supported.</translation>
        </message>
        <message>
            <source>&quot;%s&quot; には対応していません。</source>
            <extracomment>ID 135</extracomment>
            <translation>&quot;%s&quot; is not supported.</translation>
        </message>
        <message>
            <source>%d行目:</source>
            <extracomment>ID 136</extracomment>
            <translation>Line %d: </translation>
        </message>
        <message>
            <source>DWIファイル(*.dwi)|*.dwi</source>
            <extracomment>ID 137</extracomment>
            <translation>DWI files (*.dwi)|*.dwi</translation>
        </message>
        <message>
            <source>&quot;%s&quot;というファイルはありません。</source>
            <extracomment>ID 138</extracomment>
            <translation>There is no file named &quot;%s&quot;.</translation>
        </message>
        <message>
            <source>モデルファイル(*.pmd;*.pmx)|*.pmd;*.pmx</source>
            <extracomment>ID 139</extracomment>
            <translation>Model files (*.pmd;*.pmx)|*.pmd;*.pmx</translation>
        </message>
        <message>
            <source>AVIファイル(*.avi)|*.avi</source>
            <extracomment>ID 140</extracomment>
            <translation>AVI files (*.avi)|*.avi</translation>
        </message>
        <message>
            <source>%d/%d フレーム</source>
            <extracomment>ID 141</extracomment>
            <translation>Frame %d of %d</translation>
        </message>
        <message>
            <source>AVIファイルを作成できません</source>
            <extracomment>ID 142</extracomment>
            <translation>Cannot create the AVI file</translation>
        </message>
        <message>
            <source>現在の譜面は消去されます。</source>
            <extracomment>ID 143</extracomment>
            <translation>The present charts will be replaced.</translation>
        </message>
        <message>
            <source>曲の設定</source>
            <extracomment>ID 144</extracomment>
            <translation>Song Settings</translation>
        </message>
        <message>
            <source>モーション設定</source>
            <extracomment>ID 145</extracomment>
            <translation>Motion Settings</translation>
        </message>
        <message>
            <source>モーションファイル(*.vmd)|*.vmd</source>
            <extracomment>ID 146</extracomment>
            <translation>Motion files (*.vmd)|*.vmd</translation>
        </message>
        <message>
            <source>初音ミク</source>
            <extracomment>ID 147</extracomment>
            <translation>Hatsune Miku</translation>
        </message>
        <message>
            <source>音声ファイル(*.wav;*.mp3)|*.wav;*.mp3</source>
            <extracomment>ID 148</extracomment>
            <translation>Audio files (*.wav;*.mp3)|*.wav;*.mp3</translation>
        </message>
        <message>
            <source>センター</source>
            <extracomment>ID 500</extracomment>
            <translation>Center</translation>
        </message>
        <message>
            <source>左足</source>
            <extracomment>ID 501</extracomment>
            <translation>Left leg</translation>
        </message>
        <message>
            <source>右足</source>
            <extracomment>ID 502</extracomment>
            <translation>Right leg</translation>
        </message>
        <message>
            <source>モデル情報</source>
            <extracomment>ID 503</extracomment>
            <translation>Model information</translation>
        </message>
        <message>
            <source>上半身</source>
            <extracomment>ID 504</extracomment>
            <translation>Upper body</translation>
        </message>
        <message>
            <source>複数のMMDが動作しています。</source>
            <extracomment>ID 505</extracomment>
            <translation>More than one MMD is running.</translation>
        </message>
        <message>
            <source>MMDが動作していません。</source>
            <extracomment>ID 506</extracomment>
            <translation>MMD is not running.</translation>
        </message>
        <message>
            <source>左足ＩＫ</source>
            <extracomment>ID 507</extracomment>
            <translation>Left leg IK</translation>
        </message>
        <message>
            <source>右足ＩＫ</source>
            <extracomment>ID 508</extracomment>
            <translation>Right leg IK</translation>
        </message>
        <message>
            <source>左ひざ</source>
            <extracomment>ID 509</extracomment>
            <translation>Left knee</translation>
        </message>
        <message>
            <source>左腕</source>
            <extracomment>ID 510</extracomment>
            <translation>Left arm</translation>
        </message>
        <message>
            <source>左ひじ</source>
            <extracomment>ID 511</extracomment>
            <translation>Left elbow</translation>
        </message>
        <message>
            <source>左手首</source>
            <extracomment>ID 512</extracomment>
            <translation>Left wrist</translation>
        </message>
        <message>
            <source>左人指１</source>
            <extracomment>ID 513</extracomment>
            <translation>Left index finger 1</translation>
        </message>
        <message>
            <source>左人指２</source>
            <extracomment>ID 514</extracomment>
            <translation>Left index finger 2</translation>
        </message>
        <message>
            <source>左人指３</source>
            <extracomment>ID 515</extracomment>
            <translation>Left index finger 3</translation>
        </message>
        <message>
            <source>左中指１</source>
            <extracomment>ID 516</extracomment>
            <translation>Left middle finger 1</translation>
        </message>
        <message>
            <source>左中指２</source>
            <extracomment>ID 517</extracomment>
            <translation>Left middle finger 2</translation>
        </message>
        <message>
            <source>左中指３</source>
            <extracomment>ID 518</extracomment>
            <translation>Left middle finger 3</translation>
        </message>
        <message>
            <source>左薬指１</source>
            <extracomment>ID 519</extracomment>
            <translation>Left ring finger 1</translation>
        </message>
        <message>
            <source>左薬指２</source>
            <extracomment>ID 520</extracomment>
            <translation>Left ring finger 2</translation>
        </message>
        <message>
            <source>左薬指３</source>
            <extracomment>ID 521</extracomment>
            <translation>Left ring finger 3</translation>
        </message>
        <message>
            <source>左小指１</source>
            <extracomment>ID 522</extracomment>
            <translation>Left little finger 1</translation>
        </message>
        <message>
            <source>左小指２</source>
            <extracomment>ID 523</extracomment>
            <translation>Left little finger 2</translation>
        </message>
        <message>
            <source>左小指３</source>
            <extracomment>ID 524</extracomment>
            <translation>Left little finger 3</translation>
        </message>
        <message>
            <source>左親指１</source>
            <extracomment>ID 525</extracomment>
            <translation>Left thumb 1</translation>
        </message>
        <message>
            <source>左親指２</source>
            <extracomment>ID 526</extracomment>
            <translation>Left thumb 2</translation>
        </message>
        <message>
            <source>右ひざ</source>
            <extracomment>ID 527</extracomment>
            <translation>Right knee</translation>
        </message>
        <message>
            <source>首</source>
            <extracomment>ID 528</extracomment>
            <translation>Neck</translation>
        </message>
        <message>
            <source>頭</source>
            <extracomment>ID 529</extracomment>
            <translation>Head</translation>
        </message>
        <message>
            <source>右腕</source>
            <extracomment>ID 530</extracomment>
            <translation>Right arm</translation>
        </message>
        <message>
            <source>右ひじ</source>
            <extracomment>ID 531</extracomment>
            <translation>Right elbow</translation>
        </message>
        <message>
            <source>右手首</source>
            <extracomment>ID 532</extracomment>
            <translation>Right wrist</translation>
        </message>
        <message>
            <source>右人指１</source>
            <extracomment>ID 533</extracomment>
            <translation>Right index finger 1</translation>
        </message>
        <message>
            <source>右人指２</source>
            <extracomment>ID 534</extracomment>
            <translation>Right index finger 2</translation>
        </message>
        <message>
            <source>右人指３</source>
            <extracomment>ID 535</extracomment>
            <translation>Right index finger 3</translation>
        </message>
        <message>
            <source>右中指１</source>
            <extracomment>ID 536</extracomment>
            <translation>Right middle finger 1</translation>
        </message>
        <message>
            <source>右中指２</source>
            <extracomment>ID 537</extracomment>
            <translation>Right middle finger 2</translation>
        </message>
        <message>
            <source>右中指３</source>
            <extracomment>ID 538</extracomment>
            <translation>Right middle finger 3</translation>
        </message>
        <message>
            <source>右薬指１</source>
            <extracomment>ID 539</extracomment>
            <translation>Right ring finger 1</translation>
        </message>
        <message>
            <source>右薬指２</source>
            <extracomment>ID 540</extracomment>
            <translation>Right ring finger 2</translation>
        </message>
        <message>
            <source>右薬指３</source>
            <extracomment>ID 541</extracomment>
            <translation>Right ring finger 3</translation>
        </message>
        <message>
            <source>右小指１</source>
            <extracomment>ID 542</extracomment>
            <translation>Right little finger 1</translation>
        </message>
        <message>
            <source>右小指２</source>
            <extracomment>ID 543</extracomment>
            <translation>Right little finger 2</translation>
        </message>
        <message>
            <source>右小指３</source>
            <extracomment>ID 544</extracomment>
            <translation>Right little finger 3</translation>
        </message>
        <message>
            <source>右親指１</source>
            <extracomment>ID 545</extracomment>
            <translation>Right thumb 1</translation>
        </message>
        <message>
            <source>右親指２</source>
            <extracomment>ID 546</extracomment>
            <translation>Right thumb 2</translation>
        </message>
        <message>
            <source>両目</source>
            <extracomment>ID 547</extracomment>
            <translation>Eyes</translation>
        </message>
        <message>
            <source>左目</source>
            <extracomment>ID 548</extracomment>
            <translation>Left eye</translation>
        </message>
        <message>
            <source>右目</source>
            <extracomment>ID 549</extracomment>
            <translation>Right eye</translation>
        </message>
        <message>
            <source>下半身</source>
            <extracomment>ID 550</extracomment>
            <translation>Lower body</translation>
        </message>
        <message>
            <source>左つま先ＩＫ</source>
            <extracomment>ID 551</extracomment>
            <translation>Left toe IK</translation>
        </message>
        <message>
            <source>右つま先ＩＫ</source>
            <extracomment>ID 552</extracomment>
            <translation>Right toe IK</translation>
        </message>
        <message>
            <source>元に戻す(&amp;U)	Ctrl+Z</source>
            <extracomment>ID 900</extracomment>
            <translation>&amp;Undo	Ctrl+Z</translation>
        </message>
        <message>
            <source>やり直し	Ctrl+Y</source>
            <extracomment>ID 901</extracomment>
            <translation>&amp;Redo	Ctrl+Y</translation>
        </message>
        <message>
            <source>切り取り</source>
            <extracomment>ID 902</extracomment>
            <translation>Cut</translation>
        </message>
        <message>
            <source>貼り付け</source>
            <extracomment>ID 903</extracomment>
            <translation>Paste</translation>
        </message>
        <message>
            <source>拡大表示
拡大</source>
            <extracomment>ID 32771</extracomment>
            <translation>Zoom in
Zoom In</translation>
        </message>
        <message>
            <source>縮小表示
縮小</source>
            <extracomment>ID 32772</extracomment>
            <translation>Zoom out
Zoom Out</translation>
        </message>
        <message>
            <source>新しい行を挿入
行挿入</source>
            <extracomment>ID 32773</extracomment>
            <translation>Insert new rows
Insert Rows</translation>
        </message>
        <message>
            <source>先頭から再生
先頭から</source>
            <extracomment>ID 32776</extracomment>
            <translation>Play from the beginning
From the Beginning</translation>
        </message>
        <message>
            <source>現在位置から再生
現在位置から</source>
            <extracomment>ID 32777</extracomment>
            <translation>Play from the cursor
From the Cursor</translation>
        </message>
        <message>
            <source>再生停止
停止</source>
            <extracomment>ID 32778</extracomment>
            <translation>Stop playing
Stop</translation>
        </message>
        <message>
            <source>矢印を追加
追加</source>
            <extracomment>ID 32781</extracomment>
            <translation>Add arrows
Add</translation>
        </message>
        <message>
            <source>範囲を選択
選択</source>
            <extracomment>ID 32782</extracomment>
            <translation>Select a range
Select</translation>
        </message>
        <message>
            <source>モデルの読み込み
モデル</source>
            <extracomment>ID 32786</extracomment>
            <translation>Load a model
Model</translation>
        </message>
        <message>
            <source>背景AVIファイルを作成
背景AVI作成</source>
            <extracomment>ID 32793</extracomment>
            <translation>Create a background AVI file
Background AVI</translation>
        </message>
        <message>
            <source>DWIファイルを読み込む
DWI読み込み</source>
            <extracomment>ID 32794</extracomment>
            <translation>Import a DWI file
Import DWI</translation>
        </message>
        <message>
            <source>曲名やテンポの設定
曲の設定</source>
            <extracomment>ID 32796</extracomment>
            <translation>Set the song's title, tempo and more
Song Settings</translation>
        </message>
        <message>
            <source>モーション生成の設定
モーション設定</source>
            <extracomment>ID 32798</extracomment>
            <translation>Set how motions are made
Motion Settings</translation>
        </message>
        <message>
            <source>モーションファイルを作成
モーション作成</source>
            <extracomment>ID 32801</extracomment>
            <translation>Create a motion file
Create Motion</translation>
        </message>
        <message>
            <source>背景色の設定
背景色</source>
            <extracomment>ID 32803</extracomment>
            <translation>Set the background color
Background Color</translation>
        </message>
        <message>
            <source>スクリーン色の設定
スクリーン色</source>
            <extracomment>ID 32805</extracomment>
            <translation>Set the screen color
Screen Color</translation>
        </message>
        <message>
            <source>音声ファイルの読み込み
音声</source>
            <extracomment>ID 32806</extracomment>
            <translation>Load an audio file
Audio</translation>
        </message>
        <message>
            <source>DWIファイルを作成
DWI作成</source>
            <extracomment>ID 32808</extracomment>
            <translation>Create a DWI file
Export DWI</translation>
        </message>
        <message>
            <source>譜面が長さの上限 (曲のテンポで2時間) を超えます。</source>
            <extracomment>ID 40960</extracomment>
            <translation>The chart would be longer than allowed (two hours at the song's tempo).</translation>
        </message>
        <message>
            <source>値が正しくありません。</source>
            <extracomment>ID 40961</extracomment>
            <translation>The value is not valid.</translation>
        </message>
        <message>
            <source>ファイルが途中で終わっています。</source>
            <extracomment>ID 40962</extracomment>
            <translation>The file ends before it is complete.</translation>
        </message>
        <message>
            <source>ファイルの形式が正しくないか、ファイルが壊れています。</source>
            <extracomment>ID 40963</extracomment>
            <translation>The file is not in the right format, or it is damaged.</translation>
        </message>
        <message>
            <source>ファイルを開けないか、読み書きできません。</source>
            <extracomment>ID 40964</extracomment>
            <translation>The file cannot be opened, read or written.</translation>
        </message>
        <message>
            <source>ビデオの圧縮でエラーが発生しました。</source>
            <extracomment>ID 40965</extracomment>
            <translation>An error occurred while compressing the video.</translation>
        </message>
        <message>
            <source>ダンスを作れませんでした。</source>
            <extracomment>ID 40966</extracomment>
            <translation>The dance could not be made.</translation>
        </message>
        <message>
            <source>メモリが足りません。</source>
            <extracomment>ID 40967</extracomment>
            <translation>There is not enough memory.</translation>
        </message>
        <message>
            <source>予期しないエラーが発生しました。</source>
            <extracomment>ID 40968</extracomment>
            <translation>An unexpected error occurred.</translation>
        </message>
        <message>
            <source>&quot;%s&quot; を開けませんでした。</source>
            <extracomment>ID 40969</extracomment>
            <translation>Could not open &quot;%s&quot;.</translation>
        </message>
        <message>
            <source>&quot;%s&quot; を読み込めませんでした。</source>
            <extracomment>ID 40970</extracomment>
            <translation>Could not read &quot;%s&quot;.</translation>
        </message>
        <message>
            <source>&quot;%s&quot; に書き込めませんでした。</source>
            <extracomment>ID 40971</extracomment>
            <translation>Could not write &quot;%s&quot;.</translation>
        </message>
        <message>
            <source>&quot;%s&quot; に保存できませんでした。</source>
            <extracomment>ID 40972</extracomment>
            <translation>Could not save to &quot;%s&quot;.</translation>
        </message>
        <message>
            <source>&quot;%s&quot; をモデルとして読み込めませんでした。</source>
            <extracomment>ID 40973</extracomment>
            <translation>Could not load &quot;%s&quot; as a model.</translation>
        </message>
        <message>
            <source>&quot;%s&quot; は読み込めない形式のファイルです。</source>
            <extracomment>ID 40974</extracomment>
            <translation>&quot;%s&quot; is a kind of file that cannot be opened.</translation>
        </message>
        <message>
            <source>曲の設定を変更できませんでした。</source>
            <extracomment>ID 40975</extracomment>
            <translation>Could not change the song settings.</translation>
        </message>
        <message>
            <source>モーション設定を変更できませんでした。</source>
            <extracomment>ID 40976</extracomment>
            <translation>Could not change the motion settings.</translation>
        </message>
        <message>
            <source>変更を復元できませんでした。</source>
            <extracomment>ID 40977</extracomment>
            <translation>Could not restore the changes.</translation>
        </message>
        <message>
            <source>この編集はできません。</source>
            <extracomment>ID 40978</extracomment>
            <translation>This edit is not possible.</translation>
        </message>
        <message>
            <source>%s への変更を保存しますか?</source>
            <extracomment>ID 40979</extracomment>
            <translation>Save changes to %s?</translation>
        </message>
        <message>
            <source>前回、保存されていない変更を残したまま終了しました。
変更を復元しますか?</source>
            <extracomment>ID 40980</extracomment>
            <translation>Zelvane ended last time with changes that were not saved.
Restore the changes?</translation>
        </message>
        <message>
            <source>音声を出力できる装置がありません。音を出さずに再生します。</source>
            <extracomment>ID 40981</extracomment>
            <translation>There is no device that can play sound. Playing silently.</translation>
        </message>
        <message>
            <source>数値を入力してください。</source>
            <extracomment>ID 40982</extracomment>
            <translation>Please enter a number.</translation>
        </message>
        <message>
            <source>3D表示: このディスプレイではOpenGLを使えません (offscreen)</source>
            <extracomment>ID 40983</extracomment>
            <translation>3D view: OpenGL is not available on this display (offscreen)</translation>
        </message>
        <message>
            <source>3D表示: OpenGLのコンテキストを作成できません</source>
            <extracomment>ID 40984</extracomment>
            <translation>3D view: cannot create an OpenGL context</translation>
        </message>
        <message>
            <source>3D表示: OpenGL 3.3が必要です (このディスプレイは%d.%d)</source>
            <extracomment>ID 40985</extracomment>
            <translation>3D view: OpenGL 3.3 is needed (this display has %d.%d)</translation>
        </message>
        <message>
            <source>3D表示: OpenGLのコンテキストを使えません</source>
            <extracomment>ID 40986</extracomment>
            <translation>3D view: cannot use the OpenGL context</translation>
        </message>
        <message>
            <source>3D表示: OpenGL 3.3のコンテキストを作成できません</source>
            <extracomment>ID 40987</extracomment>
            <translation>3D view: cannot create an OpenGL 3.3 context</translation>
        </message>
        <message>
            <source>3D表示: シェーダーを作成できません</source>
            <extracomment>ID 40988</extracomment>
            <translation>3D view: cannot create the shaders</translation>
        </message>
        <message>
            <source>無題</source>
            <extracomment>ID 40989</extracomment>
            <translation>Untitled</translation>
        </message>
        <message>
            <source>ツール バー</source>
            <extracomment>ID 40990</extracomment>
            <translation>Toolbar</translation>
        </message>
        <message>
            <source>キャンセル</source>
            <extracomment>ID 40991</extracomment>
            <translation>Cancel</translation>
        </message>
        <message>
            <source>はい(&amp;Y)</source>
            <extracomment>ID 40992</extracomment>
            <translation>&amp;Yes</translation>
        </message>
        <message>
            <source>いいえ(&amp;N)</source>
            <extracomment>ID 40993</extracomment>
            <translation>&amp;No</translation>
        </message>
        <message>
            <source>復元</source>
            <extracomment>ID 40994</extracomment>
            <translation>Restore</translation>
        </message>
        <message>
            <source>破棄</source>
            <extracomment>ID 40995</extracomment>
            <translation>Discard</translation>
        </message>
        <message>
            <source>中止</source>
            <extracomment>ID 40996</extracomment>
            <translation>Abort</translation>
        </message>
        <message>
            <source>無視(I)</source>
            <extracomment>ID 40997</extracomment>
            <translation>&amp;Ignore</translation>
        </message>
        <message>
            <source>参照(&amp;B)...</source>
            <extracomment>ID 40998</extracomment>
            <translation>&amp;Browse...</translation>
        </message>
        <message>
            <source>エラー</source>
            <extracomment>ID 40999</extracomment>
            <translation>Error</translation>
        </message>
        <message>
            <source>正常に読めなかったデータがあります。</source>
            <extracomment>ID 41000</extracomment>
            <translation>Some data could not be read correctly.</translation>
        </message>
        <message>
            <source>AVIファイル作成中</source>
            <extracomment>ID 41001</extracomment>
            <translation>Creating the AVI file</translation>
        </message>
        <message>
            <source>ビデオの圧縮</source>
            <extracomment>ID 41002</extracomment>
            <translation>Video Compression</translation>
        </message>
        <message>
            <source>非圧縮 (BGR24)</source>
            <extracomment>ID 41003</extracomment>
            <translation>Uncompressed (BGR24)</translation>
        </message>
        <message>
            <source> (可逆圧縮)</source>
            <extracomment>ID 41004</extracomment>
            <translation> (lossless)</translation>
        </message>
        <message>
            <source> (非可逆圧縮)</source>
            <extracomment>ID 41005</extracomment>
            <translation> (lossy)</translation>
        </message>
        <message>
            <source>既定</source>
            <extracomment>ID 41006</extracomment>
            <translation>Default</translation>
        </message>
        <message>
            <source> フレームごと</source>
            <extracomment>ID 41007</extracomment>
            <translation> frames</translation>
        </message>
        <message>
            <source>指定なし</source>
            <extracomment>ID 41008</extracomment>
            <translation>Not set</translation>
        </message>
        <message>
            <source>圧縮プログラム(&amp;C):</source>
            <extracomment>ID 41009</extracomment>
            <translation>&amp;Compressor:</translation>
        </message>
        <message>
            <source>品質(&amp;Q):</source>
            <extracomment>ID 41010</extracomment>
            <translation>&amp;Quality:</translation>
        </message>
        <message>
            <source>キーフレーム(&amp;K):</source>
            <extracomment>ID 41011</extracomment>
            <translation>&amp;Key frame every:</translation>
        </message>
        <message>
            <source>データレート(&amp;D):</source>
            <extracomment>ID 41012</extracomment>
            <translation>&amp;Data rate:</translation>
        </message>
        <message>
            <source>開く</source>
            <extracomment>ID 41013</extracomment>
            <translation>Open</translation>
        </message>
        <message>
            <source>名前を付けて保存</source>
            <extracomment>ID 41014</extracomment>
            <translation>Save As</translation>
        </message>
        <message>
            <source>開く(&amp;O)</source>
            <extracomment>ID 41015</extracomment>
            <translation>&amp;Open</translation>
        </message>
        <message>
            <source>保存(&amp;S)</source>
            <extracomment>ID 41016</extracomment>
            <translation>&amp;Save</translation>
        </message>
        <message>
            <source>ファイルの場所:</source>
            <extracomment>ID 41017</extracomment>
            <translation>Look in:</translation>
        </message>
        <message>
            <source>ファイル名:</source>
            <extracomment>ID 41018</extracomment>
            <translation>File name:</translation>
        </message>
        <message>
            <source>ファイルの種類:</source>
            <extracomment>ID 41019</extracomment>
            <translation>Files of type:</translation>
        </message>
        <message>
            <source>モード:</source>
            <extracomment>ID 41020</extracomment>
            <translation>Mode:</translation>
        </message>
        <message>
            <source>レベル:</source>
            <extracomment>ID 41021</extracomment>
            <translation>Level:</translation>
        </message>
        <message>
            <source>モーション作成</source>
            <extracomment>ID 41022</extracomment>
            <translation>Create Motion</translation>
        </message>
        <message>
            <source>プレイヤー</source>
            <extracomment>ID 41023</extracomment>
            <translation>Player</translation>
        </message>
        <message>
            <source>タイトル:</source>
            <extracomment>ID 41024</extracomment>
            <translation>Title:</translation>
        </message>
        <message>
            <source>アーティスト:</source>
            <extracomment>ID 41025</extracomment>
            <translation>Artist:</translation>
        </message>
        <message>
            <source>ギャップ:</source>
            <extracomment>ID 41026</extracomment>
            <translation>Gap:</translation>
        </message>
        <message>
            <source>バージョン情報</source>
            <extracomment>ID 41027</extracomment>
            <translation>About Zelvane</translation>
        </message>
        <message>
            <source>データが途中で終わっています。</source>
            <extracomment>ID 41028</extracomment>
            <translation>the data ends before it is complete</translation>
        </message>
        <message>
            <source>データが、記録されている件数の途中で終わっています。</source>
            <extracomment>ID 41029</extracomment>
            <translation>the data ends before the records it counts</translation>
        </message>
        <message>
            <source>文字コードを変換できません (%s から %s)。</source>
            <extracomment>ID 41030</extracomment>
            <translation>text conversion not available: %s to %s</translation>
        </message>
        <message>
            <source>&quot;%s&quot; に書き込めません (%s)。</source>
            <extracomment>ID 41031</extracomment>
            <translation>cannot write &quot;%s&quot;: %s</translation>
        </message>
        <message>
            <source>&quot;%s&quot; はファイルの名前ではないため、書き込めません。</source>
            <extracomment>ID 41032</extracomment>
            <translation>cannot write &quot;%s&quot;: it names no file</translation>
        </message>
        <message>
            <source>&quot;%s&quot; はフォルダーのため、書き込めません。</source>
            <extracomment>ID 41033</extracomment>
            <translation>cannot write &quot;%s&quot;: it is a folder</translation>
        </message>
        <message>
            <source>&quot;%s&quot; はファイルではないため、書き込めません。</source>
            <extracomment>ID 41034</extracomment>
            <translation>cannot write &quot;%s&quot;: it is not a file</translation>
        </message>
        <message>
            <source>&quot;%s&quot; と同じフォルダーにファイルを作成できません (%s)。</source>
            <extracomment>ID 41035</extracomment>
            <translation>cannot create a file beside &quot;%s&quot;: %s</translation>
        </message>
        <message>
            <source>&quot;%s&quot; のアクセス権を引き継げません (%s)。</source>
            <extracomment>ID 41036</extracomment>
            <translation>cannot keep the permissions of &quot;%s&quot;: %s</translation>
        </message>
        <message>
            <source>&quot;%s&quot; を置き換えられません (%s)。</source>
            <extracomment>ID 41037</extracomment>
            <translation>cannot replace &quot;%s&quot;: %s</translation>
        </message>
        <message>
            <source>&quot;%s&quot; のフォルダーの変更をディスクに書き込めません (%s)。</source>
            <extracomment>ID 41038</extracomment>
            <translation>cannot flush the folder of &quot;%s&quot;: %s</translation>
        </message>
        <message>
            <source>PMDモデルではありません。ファイルがモデルのヘッダーより短くなっています。</source>
            <extracomment>ID 41039</extracomment>
            <translation>not a PMD model: the file is shorter than a model's header</translation>
        </message>
        <message>
            <source>モデルファイルが%sの途中で終わっています。</source>
            <extracomment>ID 41040</extracomment>
            <translation>the model file is cut short inside its %s</translation>
        </message>
        <message>
            <source>ヘッダー</source>
            <extracomment>ID 41041</extracomment>
            <translation>header</translation>
        </message>
        <message>
            <source>頂点</source>
            <extracomment>ID 41042</extracomment>
            <translation>vertices</translation>
        </message>
        <message>
            <source>面の頂点番号</source>
            <extracomment>ID 41043</extracomment>
            <translation>face indices</translation>
        </message>
        <message>
            <source>材質</source>
            <extracomment>ID 41044</extracomment>
            <translation>materials</translation>
        </message>
        <message>
            <source>ボーン</source>
            <extracomment>ID 41045</extracomment>
            <translation>bones</translation>
        </message>
        <message>
            <source>IKチェーン</source>
            <extracomment>ID 41046</extracomment>
            <translation>IK chains</translation>
        </message>
        <message>
            <source>表情</source>
            <extracomment>ID 41047</extracomment>
            <translation>morphs</translation>
        </message>
        <message>
            <source>表情の表示枠</source>
            <extracomment>ID 41048</extracomment>
            <translation>morph display list</translation>
        </message>
        <message>
            <source>ボーンの表示枠名</source>
            <extracomment>ID 41049</extracomment>
            <translation>bone groups</translation>
        </message>
        <message>
            <source>ボーンの表示枠</source>
            <extracomment>ID 41050</extracomment>
            <translation>bone display list</translation>
        </message>
        <message>
            <source>英語名</source>
            <extracomment>ID 41051</extracomment>
            <translation>English names</translation>
        </message>
        <message>
            <source>トゥーンテクスチャ名</source>
            <extracomment>ID 41052</extracomment>
            <translation>toon names</translation>
        </message>
        <message>
            <source>剛体</source>
            <extracomment>ID 41053</extracomment>
            <translation>rigid bodies</translation>
        </message>
        <message>
            <source>ジョイント</source>
            <extracomment>ID 41054</extracomment>
            <translation>joints</translation>
        </message>
        <message>
            <source>表情が、基本表情にない頂点を指しています。</source>
            <extracomment>ID 41055</extracomment>
            <translation>a morph names a vertex outside the base morph</translation>
        </message>
        <message>
            <source>ボーンの表示枠が、存在しないボーンを指しています。</source>
            <extracomment>ID 41056</extracomment>
            <translation>a bone display entry names a bone that does not exist</translation>
        </message>
        <message>
            <source>ボーンの表示枠が、存在しない枠を指しています。</source>
            <extracomment>ID 41057</extracomment>
            <translation>a bone display entry names a group that does not exist</translation>
        </message>
        <message>
            <source>ボーンの親が存在しません。</source>
            <extracomment>ID 41058</extracomment>
            <translation>a bone's parent does not exist</translation>
        </message>
        <message>
            <source>ボーンの親子関係が輪になっています。</source>
            <extracomment>ID 41059</extracomment>
            <translation>the bone parents form a loop</translation>
        </message>
        <message>
            <source>IKチェーンが、存在しないボーンを指しています。</source>
            <extracomment>ID 41060</extracomment>
            <translation>an IK chain names a bone that does not exist</translation>
        </message>
        <message>
            <source>頂点が、存在しないボーンに従っています。</source>
            <extracomment>ID 41061</extracomment>
            <translation>a vertex follows a bone that does not exist</translation>
        </message>
        <message>
            <source>表情が、存在しない頂点を動かしています。</source>
            <extracomment>ID 41062</extracomment>
            <translation>a morph moves a vertex that does not exist</translation>
        </message>
        <message>
            <source>キーが多すぎて、VMDファイルに書けません。</source>
            <extracomment>ID 41063</extracomment>
            <translation>too many keys for a VMD file</translation>
        </message>
        <message>
            <source>ダンスの依頼が %d 個のノートを残すよう求めていますが、ノートは %d 個しかありません。</source>
            <extracomment>ID 41064</extracomment>
            <translation>a dance request keeps %d notes of %d</translation>
        </message>
        <message>
            <source>ダンスの計算を始められませんでした。</source>
            <extracomment>ID 41065</extracomment>
            <translation>the dance could not be started</translation>
        </message>
        <message>
            <source>ノートを写すためのメモリが足りませんでした。</source>
            <extracomment>ID 41066</extracomment>
            <translation>there was no memory for a copy of the notes</translation>
        </message>
        <message>
            <source>ダンスの計算が不明なエラーで止まりました。</source>
            <extracomment>ID 41067</extracomment>
            <translation>the dance stopped on an unknown error</translation>
        </message>
        <message>
            <source>%s の譜面のダンスを作れませんでした: %s</source>
            <extracomment>ID 41068</extracomment>
            <translation>the dance of the %s chart failed: %s</translation>
        </message>
        <message>
            <source>%s の譜面のダンスを作れませんでした。</source>
            <extracomment>ID 41069</extracomment>
            <translation>the dance of the %s chart failed</translation>
        </message>
        <message>
            <source>ダンスの計算が失敗しました。理由は記録できませんでした。</source>
            <extracomment>ID 41070</extracomment>
            <translation>the dance failed</translation>
        </message>
        <message>
            <source>ファイルに未知のスタイル (%d) の譜面があります。</source>
            <extracomment>ID 41071</extracomment>
            <translation>the file holds a score of an unknown style (%d)</translation>
        </message>
        <message>
            <source>対応している版のZelvaneドキュメントではありません。</source>
            <extracomment>ID 41072</extracomment>
            <translation>not a Zelvane document of a known version</translation>
        </message>
        <message>
            <source>ドキュメントのテンポが0より大きい数ではありません。</source>
            <extracomment>ID 41073</extracomment>
            <translation>the document's tempo is not a number above 0</translation>
        </message>
        <message>
            <source>ドキュメントファイルに保存できる譜面は65535個までです。</source>
            <extracomment>ID 41074</extracomment>
            <translation>a document file holds at most 65535 scores</translation>
        </message>
        <message>
            <source>%d 個のノートがある譜面は、ドキュメントファイルに保存できません (65535個まで)。</source>
            <extracomment>ID 41075</extracomment>
            <translation>a score of %d notes is more than a document file can hold (65535)</translation>
        </message>
        <message>
            <source>テンポには0より大きい数を指定してください。</source>
            <extracomment>ID 41076</extracomment>
            <translation>the tempo must be a number above 0</translation>
        </message>
        <message>
            <source>譜面がこのドキュメントにありません。</source>
            <extracomment>ID 41077</extracomment>
            <translation>the score is not in this document</translation>
        </message>
        <message>
            <source>クリップボードのデータのノート数が負の値です。</source>
            <extracomment>ID 41078</extracomment>
            <translation>clipboard data with a negative note count</translation>
        </message>
        <message>
            <source>クリップボードのデータの位置か長さが負の値です。</source>
            <extracomment>ID 41079</extracomment>
            <translation>clipboard data with a negative clock or length</translation>
        </message>
        <message>
            <source>ノートの番号が範囲外です。</source>
            <extracomment>ID 41080</extracomment>
            <translation>note index out of range</translation>
        </message>
        <message>
            <source>ノートがこの譜面にありません。</source>
            <extracomment>ID 41081</extracomment>
            <translation>the note is not in this score</translation>
        </message>
        <message>
            <source>取り除くノートがこの譜面にありません。</source>
            <extracomment>ID 41082</extracomment>
            <translation>a note to take out is not in this score</translation>
        </message>
        <message>
            <source>取り除くノートに同じノートが2回含まれています。</source>
            <extracomment>ID 41083</extracomment>
            <translation>a note is named twice among the notes to take out</translation>
        </message>
        <message>
            <source>パネル %d は %s の譜面のパネルではありません。</source>
            <extracomment>ID 41084</extracomment>
            <translation>panel %d is not one of the %s chart's</translation>
        </message>
        <message>
            <source>行の挿入は、0以上の位置に0以上の長さで行います。</source>
            <extracomment>ID 41085</extracomment>
            <translation>rows are inserted at a clock of 0 or more, 0 or more clocks</translation>
        </message>
        <message>
            <source>%d クロックを位置 %d に挿入すると、位置 %d のノートが譜面の上限 (%s BPMで2時間、位置 %d) を超えます。</source>
            <extracomment>ID 41086</extracomment>
            <translation>inserting %d clocks at clock %d would move the note at clock %d past the chart's limit of two hours at %s BPM (clock %d)</translation>
        </message>
        <message>
            <source>行の削除は、0以上の位置から0以上の長さで行います。</source>
            <extracomment>ID 41087</extracomment>
            <translation>rows are deleted from a clock of 0 or more, 0 or more clocks</translation>
        </message>
        <message>
            <source>移動するノートがこの譜面にありません。</source>
            <extracomment>ID 41088</extracomment>
            <translation>the note to move is not in this score</translation>
        </message>
        <message>
            <source>削除するノートがこの譜面にありません。</source>
            <extracomment>ID 41089</extracomment>
            <translation>the note to delete is not in this score</translation>
        </message>
        <message>
            <source>パネルの大きさには0より大きい数を指定してください。</source>
            <extracomment>ID 41090</extracomment>
            <translation>the panel size must be a number above 0</translation>
        </message>
        <message>
            <source>1行のクロック数は0より大きくなければなりません (%d が指定されました)。</source>
            <extracomment>ID 41091</extracomment>
            <translation>clocks per row must be above 0, not %d</translation>
        </message>
        <message>
            <source>譜面の画像は640 x 480ピクセルでなければなりません。</source>
            <extracomment>ID 41092</extracomment>
            <translation>the chart image is 640 x 480 pixels</translation>
        </message>
        <message>
            <source>譜面の画像はRGB32か乗算済みARGB32でなければなりません。</source>
            <extracomment>ID 41093</extracomment>
            <translation>the chart image is painted in RGB32 or premultiplied ARGB32</translation>
        </message>
        <message>
            <source>スプライトの範囲が画像の外にはみ出しています。</source>
            <extracomment>ID 41094</extracomment>
            <translation>a sprite's source rectangle reaches outside its sheet</translation>
        </message>
        <message>
            <source>組み込みの画像 %s を読み込めません。</source>
            <extracomment>ID 41095</extracomment>
            <translation>the embedded image %s cannot be decoded</translation>
        </message>
        <message>
            <source>組み込みの画像 %s の大きさが %d x %d ピクセルです (%d x %d ピクセルのはずです)。</source>
            <extracomment>ID 41096</extracomment>
            <translation>the embedded image %s is %d x %d pixels instead of %d x %d</translation>
        </message>
        <message>
            <source>トゥーンの番号 %d は0から9の範囲にありません。</source>
            <extracomment>ID 41097</extracomment>
            <translation>toon index %d is not 0 to 9</translation>
        </message>
        <message>
            <source>ファイルに音声がありません。</source>
            <extracomment>ID 41098</extracomment>
            <translation>the file holds no sound</translation>
        </message>
        <message>
            <source>&quot;%s&quot; は空のファイルです。</source>
            <extracomment>ID 41099</extracomment>
            <translation>&quot;%s&quot; is empty</translation>
        </message>
        <message>
            <source>&quot;%s&quot; を音声ファイルとして開けません。</source>
            <extracomment>ID 41100</extracomment>
            <translation>Cannot open &quot;%s&quot;</translation>
        </message>
        <message>
            <source>&quot;%s&quot; は音声として読めないファイルです。</source>
            <extracomment>ID 41101</extracomment>
            <translation>Cannot read the streams of &quot;%s&quot;</translation>
        </message>
        <message>
            <source>&quot;%s&quot; には再生できる形式の音声がありません。</source>
            <extracomment>ID 41102</extracomment>
            <translation>No decodable audio in &quot;%s&quot;</translation>
        </message>
        <message>
            <source>&quot;%s&quot; の音声を再生する準備ができません。</source>
            <extracomment>ID 41103</extracomment>
            <translation>Cannot start decoding &quot;%s&quot;</translation>
        </message>
        <message>
            <source>&quot;%s&quot; の音声を読み込めません。</source>
            <extracomment>ID 41104</extracomment>
            <translation>Cannot read &quot;%s&quot;</translation>
        </message>
        <message>
            <source>&quot;%s&quot; の音声はどこも読めませんでした。</source>
            <extracomment>ID 41105</extracomment>
            <translation>No audio could be decoded from &quot;%s&quot;</translation>
        </message>
        <message>
            <source>&quot;%s&quot; の音声を再生用に変換できません。</source>
            <extracomment>ID 41106</extracomment>
            <translation>Cannot convert the audio of &quot;%s&quot;</translation>
        </message>
        <message>
            <source>&quot;%s&quot; の音声にはサンプリング周波数がありません。</source>
            <extracomment>ID 41107</extracomment>
            <translation>No sample rate in &quot;%s&quot;</translation>
        </message>
        <message>
            <source>&quot;%s&quot; には音声のデータがありません。</source>
            <extracomment>ID 41108</extracomment>
            <translation>No audio samples in &quot;%s&quot;</translation>
        </message>
        <message>
            <source>この出力形式には対応していません: %d Hz、%d チャンネル</source>
            <extracomment>ID 41109</extracomment>
            <translation>Unsupported output format: %d Hz, %d channels</translation>
        </message>
        <message>
            <source>&quot;%s&quot; の音声はすでに読み込まれています。</source>
            <extracomment>ID 41110</extracomment>
            <translation>The audio of &quot;%s&quot; has already been decoded</translation>
        </message>
        <message>
            <source>&quot;%s&quot; は長すぎて再生できません。</source>
            <extracomment>ID 41111</extracomment>
            <translation>&quot;%s&quot; is too long to play</translation>
        </message>
        <message>
            <source>&quot;%s&quot; の音声を読み込むメモリが足りません。</source>
            <extracomment>ID 41112</extracomment>
            <translation>Not enough memory to decode &quot;%s&quot;</translation>
        </message>
        <message>
            <source>&quot;%s&quot; の音声を読み込めませんでした。</source>
            <extracomment>ID 41113</extracomment>
            <translation>Cannot decode &quot;%s&quot;</translation>
        </message>
        <message>
            <source>AVIファイルはすでに作成中です。</source>
            <extracomment>ID 41114</extracomment>
            <translation>An AVI file is already being written</translation>
        </message>
        <message>
            <source>フレームを書き込むAVIファイルが開かれていません。</source>
            <extracomment>ID 41115</extracomment>
            <translation>No AVI file is open to write a frame to</translation>
        </message>
        <message>
            <source>ビデオの品質は0から100で指定してください (%d が指定されました)。</source>
            <extracomment>ID 41116</extracomment>
            <translation>The video quality must be 0 to 100, not %d</translation>
        </message>
        <message>
            <source>キーフレームの間隔 %d フレームは範囲外です。</source>
            <extracomment>ID 41117</extracomment>
            <translation>A key frame every %d frames is out of range</translation>
        </message>
        <message>
            <source>データレート %d kbit/s は範囲外です。</source>
            <extracomment>ID 41118</extracomment>
            <translation>A data rate of %d kbit/s is out of range</translation>
        </message>
        <message>
            <source>&quot;%s&quot; は、ここでAVIファイルの作成に使える圧縮プログラムではありません。</source>
            <extracomment>ID 41119</extracomment>
            <translation>&quot;%s&quot; is not a video encoder AVI files can be written with here</translation>
        </message>
        <message>
            <source>圧縮プログラム &quot;%s&quot; は、このプログラムが渡せる画素形式をどれも受け付けません。</source>
            <extracomment>ID 41120</extracomment>
            <translation>The video encoder &quot;%s&quot; takes none of the pixel formats this program can give it</translation>
        </message>
        <message>
            <source>圧縮プログラム &quot;%s&quot; をこの設定で開始できません。</source>
            <extracomment>ID 41121</extracomment>
            <translation>Cannot start the video encoder &quot;%s&quot;</translation>
        </message>
        <message>
            <source>圧縮プログラム &quot;%s&quot; 用にフレームを変換できません。</source>
            <extracomment>ID 41122</extracomment>
            <translation>Cannot convert the frames for the video encoder &quot;%s&quot;</translation>
        </message>
        <message>
            <source>ビデオのフレームには640 x 480ピクセルが必要です (行の長さ %d では足りません)。</source>
            <extracomment>ID 41123</extracomment>
            <translation>A video frame needs 640 x 480 pixels, not a row stride of %d</translation>
        </message>
        <message>
            <source>ビデオのフレームを用意できません。</source>
            <extracomment>ID 41124</extracomment>
            <translation>Cannot allocate a video frame</translation>
        </message>
        <message>
            <source>ビデオのフレームを変換できません。</source>
            <extracomment>ID 41125</extracomment>
            <translation>Cannot convert a video frame</translation>
        </message>
        <message>
            <source>ビデオのフレームを圧縮できません。</source>
            <extracomment>ID 41126</extracomment>
            <translation>Cannot encode a video frame</translation>
        </message>
        <message>
            <source>このFFmpegではAVIファイルを作成できません。</source>
            <extracomment>ID 41127</extracomment>
            <translation>This FFmpeg cannot write AVI files</translation>
        </message>
        <message>
            <source>&quot;%s&quot; の作成を始められません。</source>
            <extracomment>ID 41128</extracomment>
            <translation>Cannot start writing &quot;%s&quot;</translation>
        </message>
        <message>
            <source>&quot;%s&quot; のヘッダーを書き込めません。</source>
            <extracomment>ID 41129</extracomment>
            <translation>Cannot write the header of &quot;%s&quot;</translation>
        </message>
        <message>
            <source>&quot;%s&quot; にフレームを書き込めません。</source>
            <extracomment>ID 41130</extracomment>
            <translation>Cannot write a frame to &quot;%s&quot;</translation>
        </message>
        <message>
            <source>&quot;%s&quot; を書き終えられません。</source>
            <extracomment>ID 41131</extracomment>
            <translation>Cannot finish &quot;%s&quot;</translation>
        </message>
        <message>
            <source>&quot;%s&quot; はフォルダーのため、読み込めません。</source>
            <extracomment>ID 41132</extracomment>
            <translation>cannot read &quot;%s&quot;: it is a folder</translation>
        </message>
        <message>
            <source>&quot;%s&quot; は通常のファイルではないため、読み込めません。</source>
            <extracomment>ID 41133</extracomment>
            <translation>cannot read &quot;%s&quot;: it is not a plain file</translation>
        </message>
        <message>
            <source>&quot;%s&quot; を開けません (%s)。</source>
            <extracomment>ID 41134</extracomment>
            <translation>cannot open &quot;%s&quot;: %s</translation>
        </message>
        <message>
            <source>&quot;%s&quot; を読み込めません (%s)。</source>
            <extracomment>ID 41135</extracomment>
            <translation>cannot read &quot;%s&quot;: %s</translation>
        </message>
        <message>
            <source>&quot;%s&quot; は大きすぎるため、読み込めません (%d バイト。この種類のファイルは %s まで)。</source>
            <extracomment>ID 41136</extracomment>
            <translation>cannot read &quot;%s&quot;: it is too large (%d bytes; a file of its kind may have %s)</translation>
        </message>
        <message>
            <source>%d メガバイト</source>
            <extracomment>ID 41137</extracomment>
            <translation>%d MB</translation>
        </message>
        <message>
            <source>%d バイト</source>
            <extracomment>ID 41138</extracomment>
            <translation>%d bytes</translation>
        </message>
        <message>
            <source>テンポ %s BPM は譜面の上限 %s BPM を超えています。</source>
            <extracomment>ID 41139</extracomment>
            <translation>the tempo of %s BPM is above the chart's limit of %s BPM</translation>
        </message>
        <message>
            <source>ギャップ %d ミリ秒は譜面の上限 (前後それぞれ %d ミリ秒) を超えています。</source>
            <extracomment>ID 41140</extracomment>
            <translation>the gap of %d ms is beyond the chart's limit of %d ms either way</translation>
        </message>
        <message>
            <source>ノートが譜面の始まりより前にあります (位置 %d)。</source>
            <extracomment>ID 41141</extracomment>
            <translation>a note lies before the start of the chart (clock %d)</translation>
        </message>
        <message>
            <source>位置 %d のノートの長さが負の値です (%d)。</source>
            <extracomment>ID 41142</extracomment>
            <translation>a note at clock %d has a negative length (%d)</translation>
        </message>
        <message>
            <source>位置 %d のノートが%sより後にあります。</source>
            <extracomment>ID 41143</extracomment>
            <translation>a note at clock %d lies after %s</translation>
        </message>
        <message>
            <source>位置 %d のフリーズが位置 %d で終わり、%sを超えています。</source>
            <extracomment>ID 41144</extracomment>
            <translation>a freeze at clock %d ends at clock %d, after %s</translation>
        </message>
        <message>
            <source>譜面の上限 (位置 %d)</source>
            <extracomment>ID 41145</extracomment>
            <translation>the chart's limit of clock %d</translation>
        </message>
        <message>
            <source>譜面の上限 (%s BPMで2時間、位置 %d)</source>
            <extracomment>ID 41146</extracomment>
            <translation>the chart's limit of two hours at %s BPM (clock %d)</translation>
        </message>
        <message>
            <source>譜面のノートが %d 個あり、1つの譜面に置ける %d 個を超えています。</source>
            <extracomment>ID 41147</extracomment>
            <translation>the chart has %d notes, more than the %d a chart may hold</translation>
        </message>
        <message>
            <source>%s %s の譜面で、%s</source>
            <extracomment>ID 41148</extracomment>
            <translation>in the %s %s chart, %s</translation>
        </message>
        <message>
            <source>%s BPM にすると、%s %s の譜面で、%s</source>
            <extracomment>ID 41149</extracomment>
            <translation>at %s BPM, in the %s %s chart, %s</translation>
        </message>
        <message>
            <source>&quot;%s&quot; を取り込めません: %s</source>
            <extracomment>ID 41150</extracomment>
            <translation>&quot;%s&quot;: %s</translation>
        </message>
        <message>
            <source>&quot;%s&quot; はDWIファイルではありません。%s</source>
            <extracomment>ID 41151</extracomment>
            <translation>&quot;%s&quot; is not a DWI file: %s</translation>
        </message>
        <message>
            <source>テキストファイルにはないNULバイトを含んでいます。</source>
            <extracomment>ID 41152, 41157</extracomment>
            <translation>it holds NUL bytes, which a text file does not</translation>
        </message>
        <message>
            <source>値の書かれたDWIのタグ (#TITLE、#BPM、#SINGLE など) がひとつもありません。</source>
            <extracomment>ID 41153</extracomment>
            <translation>it has no DWI tag (#TITLE, #BPM, #SINGLE, ...) with its value</translation>
        </message>
        <message>
            <source>#%s の項目 &quot;%s&quot; を読めないため、読み飛ばしました。</source>
            <extracomment>ID 41154</extracomment>
            <translation>the #%s entry &quot;%s&quot; cannot be read and was passed over</translation>
        </message>
        <message>
            <source>#BPMS に読めるテンポがありません。</source>
            <extracomment>ID 41155</extracomment>
            <translation>#BPMS holds no tempo that can be read</translation>
        </message>
        <message>
            <source>位置 %s の負のテンポのあとに正のテンポがないため、読み飛ばしました。</source>
            <extracomment>ID 41156</extracomment>
            <translation>the negative tempo at clock %s is never followed by a positive one and was passed over</translation>
        </message>
        <message>
            <source>StepMania のタグ (#TITLE、#BPMS、#NOTES など) がひとつもありません。</source>
            <extracomment>ID 41158</extracomment>
            <translation>it has no StepMania tag (#TITLE, #BPMS, #NOTES, ...)</translation>
        </message>
        <message>
            <source>譜面 %s は曲と異なる独自のタイミングを持つため、取り込みませんでした。</source>
            <extracomment>ID 41159</extracomment>
            <translation>the chart %s keeps timing of its own, unlike the song, and was left out</translation>
        </message>
        <message>
            <source>%s %s の譜面で、地雷・フェイク・リフト・キー音など踊らない %d 個の記号を除きました。</source>
            <extracomment>ID 41160</extracomment>
            <translation>in the %s %s chart, %d marks that are not danced (mines, fakes, lifts, keysounds, ...) were left out</translation>
        </message>
        <message>
            <source>%s %s の譜面で、ワープの中にある %d 個のノートを除きました。</source>
            <extracomment>ID 41161</extracomment>
            <translation>in the %s %s chart, %d notes inside warps were left out</translation>
        </message>
        <message>
            <source>この種類の譜面は取り込めないため、読み飛ばしました: %s</source>
            <extracomment>ID 41162</extracomment>
            <translation>charts of these types cannot be imported and were passed over: %s</translation>
        </message>
        <message>
            <source>.sm ファイルはワープを持てないため、ワープを除いて書き出しました (ノートは残ります)。</source>
            <extracomment>ID 41163</extracomment>
            <translation>an .sm file cannot hold warps: they were left out (the notes stay)</translation>
        </message>
        <message>
            <source>テンポ変更</source>
            <extracomment>ID 41164</extracomment>
            <translation>tempo change</translation>
        </message>
        <message>
            <source>遅延</source>
            <extracomment>ID 41165</extracomment>
            <translation>delay</translation>
        </message>
        <message>
            <source>停止</source>
            <extracomment>ID 41166</extracomment>
            <translation>stop</translation>
        </message>
        <message>
            <source>ワープ</source>
            <extracomment>ID 41167</extracomment>
            <translation>warp</translation>
        </message>
        <message>
            <source>%sが譜面の始まりより前にあります (位置 %d)。</source>
            <extracomment>ID 41168</extracomment>
            <translation>a %s lies before the start of the chart (clock %d)</translation>
        </message>
        <message>
            <source>位置 %d のテンポ %s BPM は 0 より大きく %s BPM 以下ではありません。</source>
            <extracomment>ID 41169</extracomment>
            <translation>the tempo at clock %d of %s BPM is not above 0 and at most %s BPM</translation>
        </message>
        <message>
            <source>位置 %d のワープの長さ %d は 1 以上ではありません。</source>
            <extracomment>ID 41170</extracomment>
            <translation>a warp at clock %d is %d clocks long, not 1 or more</translation>
        </message>
        <message>
            <source>位置 %d から %d の長さのワープが最後の位置 %d を超えます。</source>
            <extracomment>ID 41171</extracomment>
            <translation>a warp at clock %d of %d clocks ends after the last clock %d</translation>
        </message>
        <message>
            <source>%s (位置 %d) の長さ %s ミリ秒は 0 以上ではありません。</source>
            <extracomment>ID 41172</extracomment>
            <translation>a %s at clock %d lasts %s ms, not 0 ms or more</translation>
        </message>
        <message>
            <source>曲のテンポ %s BPM は 0 より大きく %s BPM 以下ではありません。</source>
            <extracomment>ID 41173</extracomment>
            <translation>the song's tempo of %s BPM is not above 0 and at most %s BPM</translation>
        </message>
        <message>
            <source>テンポの変化が %d 個になり、置ける %d 個を超えます。</source>
            <extracomment>ID 41174</extracomment>
            <translation>the tempo map would hold %d events, more than the %d it may hold</translation>
        </message>
        <message>
            <source>最初のテンポは曲のテンポで、位置 0 のテンポ変更のままでなければなりません。</source>
            <extracomment>ID 41175</extracomment>
            <translation>the first event is the song's tempo and stays a tempo change at clock 0</translation>
        </message>
        <message>
            <source>位置 0 には曲のテンポがあります。</source>
            <extracomment>ID 41176</extracomment>
            <translation>clock 0 already holds the song's tempo</translation>
        </message>
        <message>
            <source>位置 %d にはすでにテンポ変更があります。</source>
            <extracomment>ID 41177</extracomment>
            <translation>clock %d already holds a tempo change</translation>
        </message>
        <message>
            <source>停止と遅延が合わせて %s ミリ秒になり、1時間を超えます。</source>
            <extracomment>ID 41178</extracomment>
            <translation>the stops and delays would last %s ms together, more than an hour</translation>
        </message>
        <message>
            <source>曲のテンポは削除できません。変更だけができます。</source>
            <extracomment>ID 41179</extracomment>
            <translation>the song's tempo cannot be removed, only changed</translation>
        </message>
        <message>
            <source>譜面の上限 (テンポの変化を通して2時間、位置 %d)</source>
            <extracomment>ID 41180</extracomment>
            <translation>the chart's limit of two hours through its tempo changes (clock %d)</translation>
        </message>
        <message>
            <source>テンポの表に未知の種類 (%d) の項目があります。</source>
            <extracomment>ID 41181</extracomment>
            <translation>the tempo map holds an event of an unknown kind (%d)</translation>
        </message>
        <message>
            <source>%s の部分の長さが中身と合いません。</source>
            <extracomment>ID 41182</extracomment>
            <translation>the length of the %s section does not match what it holds</translation>
        </message>
        <message>
            <source>このテンポの変化では、%s %s の譜面で、%s</source>
            <extracomment>ID 41183</extracomment>
            <translation>with these tempo changes, in the %s %s chart, %s</translation>
        </message>
        <message>
            <source>%d クロックを位置 %d に挿入すると、%s</source>
            <extracomment>ID 41184</extracomment>
            <translation>inserting %d clocks at clock %d: %s</translation>
        </message>
        <message>
            <source>%d クロックを位置 %d に挿入すると、位置 %d の%sが最後の位置 %d を超えます。</source>
            <extracomment>ID 41185</extracomment>
            <translation>inserting %d clocks at clock %d would move what is at clock %d (a %s) past the last clock %d</translation>
        </message>
        <message>
            <source>テンポの変化の番号が範囲外です。</source>
            <extracomment>ID 41186</extracomment>
            <translation>no tempo event has this index</translation>
        </message>
        <message>
            <source>PMX モデルではありません (ファイルが PMX のヘッダーで始まっていません)。</source>
            <extracomment>ID 41187</extracomment>
            <translation>not a PMX model: the file does not start with a PMX header</translation>
        </message>
        <message>
            <source>PMX のバージョン %s には対応していません (対応は 2.0 と 2.1 です)。</source>
            <extracomment>ID 41188</extracomment>
            <translation>PMX version %s is not supported (only 2.0 and 2.1 are)</translation>
        </message>
        <message>
            <source>%sの%s %d は無効です。</source>
            <extracomment>ID 41189</extracomment>
            <translation>in the %s, the %s %d is not valid</translation>
        </message>
        <message>
            <source>%sの番号 %d が%sの範囲外です。</source>
            <extracomment>ID 41190</extracomment>
            <translation>in the %s, the index %d is outside the %s</translation>
        </message>
        <message>
            <source>面の頂点番号の数 %d が3の倍数ではありません。</source>
            <extracomment>ID 41191</extracomment>
            <translation>the face index count %d is not a multiple of three</translation>
        </message>
        <message>
            <source>材質の頂点数の合計 %d が面の頂点番号の数 %d と合いません。</source>
            <extracomment>ID 41192</extracomment>
            <translation>the materials' index counts add up to %d, but the faces hold %d indices</translation>
        </message>
        <message>
            <source>テクスチャ</source>
            <extracomment>ID 41193</extracomment>
            <translation>textures</translation>
        </message>
        <message>
            <source>表示枠</source>
            <extracomment>ID 41194</extracomment>
            <translation>display frames</translation>
        </message>
        <message>
            <source>ソフトボディ</source>
            <extracomment>ID 41195</extracomment>
            <translation>soft bodies</translation>
        </message>
        <message>
            <source>設定の数</source>
            <extracomment>ID 41196</extracomment>
            <translation>settings count</translation>
        </message>
        <message>
            <source>文字コード</source>
            <extracomment>ID 41197</extracomment>
            <translation>text encoding</translation>
        </message>
        <message>
            <source>追加UVの数</source>
            <extracomment>ID 41198</extracomment>
            <translation>additional UV count</translation>
        </message>
        <message>
            <source>番号のバイト数</source>
            <extracomment>ID 41199</extracomment>
            <translation>index size</translation>
        </message>
        <message>
            <source>ウェイトの種類</source>
            <extracomment>ID 41200</extracomment>
            <translation>weight type</translation>
        </message>
        <message>
            <source>スフィアモード</source>
            <extracomment>ID 41201</extracomment>
            <translation>sphere mode</translation>
        </message>
        <message>
            <source>共有トゥーン</source>
            <extracomment>ID 41202</extracomment>
            <translation>shared toon</translation>
        </message>
        <message>
            <source>モーフの種類</source>
            <extracomment>ID 41203</extracomment>
            <translation>morph kind</translation>
        </message>
        <message>
            <source>個数</source>
            <extracomment>ID 41204</extracomment>
            <translation>count</translation>
        </message>
        <message>
            <source>文字列の長さ</source>
            <extracomment>ID 41205</extracomment>
            <translation>text length</translation>
        </message>
        <message>
            <source>ジョイントの種類</source>
            <extracomment>ID 41206</extracomment>
            <translation>joint kind</translation>
        </message>
        <message>
            <source>要素の種類</source>
            <extracomment>ID 41207</extracomment>
            <translation>element kind</translation>
        </message>
        <message>
            <source>剛体の形</source>
            <extracomment>ID 41208</extracomment>
            <translation>rigid body shape</translation>
        </message>
        <message>
            <source>物理演算の種類</source>
            <extracomment>ID 41209</extracomment>
            <translation>physics mode</translation>
        </message>
        <message>
            <source>演算の種類</source>
            <extracomment>ID 41210</extracomment>
            <translation>offset operation</translation>
        </message>
        <message>
            <source>ファイルまたはフォルダーがありません</source>
            <extracomment>ID 41211</extracomment>
            <translation>no such file or folder</translation>
        </message>
        <message>
            <source>アクセスが拒否されました</source>
            <extracomment>ID 41212</extracomment>
            <translation>access denied</translation>
        </message>
        <message>
            <source>この操作は許可されていません</source>
            <extracomment>ID 41213</extracomment>
            <translation>operation not permitted</translation>
        </message>
        <message>
            <source>ディスクの空き領域が足りません</source>
            <extracomment>ID 41214</extracomment>
            <translation>no space left on the disk</translation>
        </message>
        <message>
            <source>ディスクの使用量の上限を超えました</source>
            <extracomment>ID 41215</extracomment>
            <translation>disk quota exceeded</translation>
        </message>
        <message>
            <source>読み取り専用の場所です</source>
            <extracomment>ID 41216</extracomment>
            <translation>read-only location</translation>
        </message>
        <message>
            <source>フォルダーです</source>
            <extracomment>ID 41217</extracomment>
            <translation>it is a folder</translation>
        </message>
        <message>
            <source>パスの途中にフォルダーでないものがあります</source>
            <extracomment>ID 41218</extracomment>
            <translation>part of the path is not a folder</translation>
        </message>
        <message>
            <source>同じ名前のファイルがすでにあります</source>
            <extracomment>ID 41219</extracomment>
            <translation>a file of that name already exists</translation>
        </message>
        <message>
            <source>ディスクの読み書き中にエラーが発生しました</source>
            <extracomment>ID 41220</extracomment>
            <translation>input/output error on the disk</translation>
        </message>
        <message>
            <source>開いているファイルが多すぎます</source>
            <extracomment>ID 41221</extracomment>
            <translation>too many open files</translation>
        </message>
        <message>
            <source>システム全体で開いているファイルが多すぎます</source>
            <extracomment>ID 41222</extracomment>
            <translation>too many open files in the system</translation>
        </message>
        <message>
            <source>名前が長すぎます</source>
            <extracomment>ID 41223</extracomment>
            <translation>name too long</translation>
        </message>
        <message>
            <source>シンボリックリンクが多すぎるか、循環しています</source>
            <extracomment>ID 41224</extracomment>
            <translation>too many symbolic links, or a loop of them</translation>
        </message>
        <message>
            <source>ファイルが大きすぎます</source>
            <extracomment>ID 41225</extracomment>
            <translation>file too large</translation>
        </message>
        <message>
            <source>使用中です</source>
            <extracomment>ID 41226</extracomment>
            <translation>in use</translation>
        </message>
        <message>
            <source>メモリが不足しています</source>
            <extracomment>ID 41227</extracomment>
            <translation>out of memory</translation>
        </message>
        <message>
            <source>エラー番号 %d</source>
            <extracomment>ID 41228</extracomment>
            <translation>error number %d</translation>
        </message>
        <message>
            <source>ダンサーとパッドとスクリーンが全部見えるように視点を動かす
全体表示</source>
            <extracomment>ID 41229</extracomment>
            <translation>Move the camera so that the dancers, pads and screen all show
Frame All</translation>
        </message>
        <message>
            <source>右ドラッグ: 回転　中ドラッグ: 平行移動　ホイール: 近づく/離れる　右ダブルクリック: 視点を戻す　F: 全体表示</source>
            <extracomment>ID 41230</extracomment>
            <translation>Right drag: turn   Middle drag: pan   Wheel: nearer/farther   Right double-click: first camera   F: frame all</translation>
        </message>
        <message>
            <source>テクスチャが見つかりません: %s</source>
            <extracomment>ID 41231</extracomment>
            <translation>Textures not found: %s</translation>
        </message>
        <message>
            <source>テクスチャが見つかりません: %s ほか%d個</source>
            <extracomment>ID 41232</extracomment>
            <translation>Textures not found: %s and %d more</translation>
        </message>
        <message>
            <source>、</source>
            <extracomment>ID 41233</extracomment>
            <translation>, </translation>
        </message>
        <message>
            <source>&quot;%s&quot; はDWIファイルではありません。</source>
            <extracomment>ID 41234</extracomment>
            <translation>&quot;%s&quot; is not a DWI file.</translation>
        </message>
        <message>
            <source>BPMは0より大きく%s以下の数値を入力してください。</source>
            <extracomment>ID 41235</extracomment>
            <translation>Please enter a BPM greater than 0 and at most %s.</translation>
        </message>
        <message>
            <source>ギャップは-%sから%sまでの整数 (ミリ秒) を入力してください。</source>
            <extracomment>ID 41236</extracomment>
            <translation>Please enter a gap from -%s to %s (whole milliseconds).</translation>
        </message>
        <message>
            <source>DWIファイルにはワープと位置 0 の遅延を書けないため、それらを除いて書き出しました (ワープ %d 個、位置 0 の遅延 %d 個)。ノートはすべて書き出しています。</source>
            <extracomment>ID 41237</extracomment>
            <translation>A DWI file cannot hold warps or a delay at position 0, so they were left out (%d warps, %d delays at position 0). Every note was written.</translation>
        </message>
        <message>
            <source>カーソル行から先のテンポを変える
テンポ変更の挿入</source>
            <extracomment>ID 41238</extracomment>
            <translation>Change the tempo from the cursor row on
Insert Tempo Change</translation>
        </message>
        <message>
            <source>カーソル行のノートの後で譜面を止める
停止の挿入</source>
            <extracomment>ID 41239</extracomment>
            <translation>Stop the chart after the notes of the cursor row
Insert Stop</translation>
        </message>
        <message>
            <source>カーソル行のノートの前で譜面を止める
遅延の挿入</source>
            <extracomment>ID 41240</extracomment>
            <translation>Stop the chart before the notes of the cursor row
Insert Delay</translation>
        </message>
        <message>
            <source>カーソル行のテンポ変更、停止、遅延、ワープを削除
テンポ変更の削除</source>
            <extracomment>ID 41241</extracomment>
            <translation>Delete the tempo changes, stops, delays and warps of the cursor row
Delete Tempo Events</translation>
        </message>
        <message>
            <source>テンポ変更の挿入(&amp;B)...</source>
            <extracomment>ID 41242</extracomment>
            <translation>Insert Tempo C&amp;hange...</translation>
        </message>
        <message>
            <source>停止の挿入(&amp;O)...</source>
            <extracomment>ID 41243</extracomment>
            <translation>Insert St&amp;op...</translation>
        </message>
        <message>
            <source>遅延の挿入(&amp;Y)...</source>
            <extracomment>ID 41244</extracomment>
            <translation>Insert Dela&amp;y...</translation>
        </message>
        <message>
            <source>テンポ変更の削除(&amp;E)</source>
            <extracomment>ID 41245</extracomment>
            <translation>D&amp;elete Tempo Events</translation>
        </message>
        <message>
            <source>テンポ変更の挿入</source>
            <extracomment>ID 41246</extracomment>
            <translation>Insert Tempo Change</translation>
        </message>
        <message>
            <source>遅延の挿入</source>
            <extracomment>ID 41247</extracomment>
            <translation>Insert Delay</translation>
        </message>
        <message>
            <source>停止の挿入</source>
            <extracomment>ID 41248</extracomment>
            <translation>Insert Stop</translation>
        </message>
        <message>
            <source>ワープの挿入</source>
            <extracomment>ID 41249</extracomment>
            <translation>Insert Warp</translation>
        </message>
        <message>
            <source>テンポ変更の編集</source>
            <extracomment>ID 41250</extracomment>
            <translation>Edit Tempo Change</translation>
        </message>
        <message>
            <source>遅延の編集</source>
            <extracomment>ID 41251</extracomment>
            <translation>Edit Delay</translation>
        </message>
        <message>
            <source>停止の編集</source>
            <extracomment>ID 41252</extracomment>
            <translation>Edit Stop</translation>
        </message>
        <message>
            <source>ワープの編集</source>
            <extracomment>ID 41253</extracomment>
            <translation>Edit Warp</translation>
        </message>
        <message>
            <source>テンポ変更の削除</source>
            <extracomment>ID 41254</extracomment>
            <translation>Delete Tempo Events</translation>
        </message>
        <message>
            <source>テンポ %s</source>
            <extracomment>ID 41255</extracomment>
            <translation>Tempo %s</translation>
        </message>
        <message>
            <source>遅延 %s秒</source>
            <extracomment>ID 41256</extracomment>
            <translation>Delay %s s</translation>
        </message>
        <message>
            <source>停止 %s秒</source>
            <extracomment>ID 41257</extracomment>
            <translation>Stop %s s</translation>
        </message>
        <message>
            <source>ワープ %d</source>
            <extracomment>ID 41258</extracomment>
            <translation>Warp %d</translation>
        </message>
        <message>
            <source>位置 %d (%d小節目)</source>
            <extracomment>ID 41259</extracomment>
            <translation>Position %d (measure %d)</translation>
        </message>
        <message>
            <source>秒数:</source>
            <extracomment>ID 41260</extracomment>
            <translation>Seconds:</translation>
        </message>
        <message>
            <source>長さ (クロック):</source>
            <extracomment>ID 41261</extracomment>
            <translation>Length (clocks):</translation>
        </message>
        <message>
            <source>秒数は0より大きく%s以下の数値を入力してください。</source>
            <extracomment>ID 41262</extracomment>
            <translation>Please enter seconds greater than 0 and at most %s.</translation>
        </message>
        <message>
            <source>長さは1から%sまでの整数 (クロック) を入力してください。</source>
            <extracomment>ID 41263</extracomment>
            <translation>Please enter a length from 1 to %s (whole clocks).</translation>
        </message>
        <message>
            <source>譜面ファイル(*.dwi;*.sm;*.ssc)|*.dwi;*.sm;*.ssc</source>
            <extracomment>ID 41264</extracomment>
            <translation>Chart files (*.dwi;*.sm;*.ssc)|*.dwi;*.sm;*.ssc</translation>
        </message>
        <message>
            <source>SMファイル(*.sm)|*.sm</source>
            <extracomment>ID 41265</extracomment>
            <translation>SM files (*.sm)|*.sm</translation>
        </message>
        <message>
            <source>SSCファイル(*.ssc)|*.ssc</source>
            <extracomment>ID 41266</extracomment>
            <translation>SSC files (*.ssc)|*.ssc</translation>
        </message>
        <message>
            <source>…ほか%d件</source>
            <extracomment>ID 41267</extracomment>
            <translation>…and %d more</translation>
        </message>
        <message>
            <source>言語(&amp;L)</source>
            <extracomment>ID 41268</extracomment>
            <translation>&amp;Language</translation>
        </message>
        <message>
            <source>表示する言語は、次にZelvaneを起動したときから切り替わります。</source>
            <extracomment>ID 41269</extracomment>
            <translation>The language changes the next time Zelvane starts.</translation>
        </message>
        <message>
            <source>パネルサイズ:</source>
            <extracomment>ID 41270</extracomment>
            <translation>Panel size:</translation>
        </message>
        <message>
            <source>オプション</source>
            <extracomment>ID 41271</extracomment>
            <translation>Options</translation>
        </message>
        <message>
            <source>捻る</source>
            <extracomment>ID 41272</extracomment>
            <translation>Twist</translation>
        </message>
        <message>
            <source>振り向き抑制</source>
            <extracomment>ID 41273</extracomment>
            <translation>Suppress turns</translation>
        </message>
        <message>
            <source>足の割り当て</source>
            <extracomment>ID 41274</extracomment>
            <translation>Feet</translation>
        </message>
        <message>
            <source>標準</source>
            <extracomment>ID 41275</extracomment>
            <translation>Standard</translation>
        </message>
        <message>
            <source>最適</source>
            <extracomment>ID 41276</extracomment>
            <translation>Optimal</translation>
        </message>
        <message>
            <source>ビルド: %s</source>
            <extracomment>ID 41277</extracomment>
            <translation>Build: %s</translation>
        </message>
        <message>
            <source>曲を聴いてテンポと最初の拍を見つける
テンポ検出</source>
            <extracomment>ID 41278</extracomment>
            <translation>Listen to the song and find its tempo and first beat
Detect Tempo</translation>
        </message>
        <message>
            <source>テンポ検出(&amp;G)...</source>
            <extracomment>ID 41279</extracomment>
            <translation>Detect Tempo and &amp;Beat...</translation>
        </message>
        <message>
            <source>テンポ検出</source>
            <extracomment>ID 41280</extracomment>
            <translation>Detect Tempo</translation>
        </message>
        <message>
            <source>曲「%s」を解析しています...</source>
            <extracomment>ID 41281</extracomment>
            <translation>Analysing the song &quot;%s&quot;...</translation>
        </message>
        <message>
            <source>適用すると、曲のBPMとギャップがこの値になります。</source>
            <extracomment>ID 41282</extracomment>
            <translation>Apply makes these the song's BPM and gap.</translation>
        </message>
        <message>
            <source>拍が見つかりませんでした。曲が無音か短すぎるか、はっきりした音の立ち上がりが少なすぎます。</source>
            <extracomment>ID 41283</extracomment>
            <translation>No beat was found: the song is silent, too short, or has too few clear attacks.</translation>
        </message>
        <message>
            <source>曲を解析できませんでした。</source>
            <extracomment>ID 41284</extracomment>
            <translation>The song could not be analysed.</translation>
        </message>
        <message>
            <source>テンポ (BPM):</source>
            <extracomment>ID 41285</extracomment>
            <translation>Tempo (BPM):</translation>
        </message>
        <message>
            <source>最初の拍 (ギャップ):</source>
            <extracomment>ID 41286</extracomment>
            <translation>First beat (gap):</translation>
        </message>
        <message>
            <source>%s ミリ秒</source>
            <extracomment>ID 41287</extracomment>
            <translation>%s ms</translation>
        </message>
        <message>
            <source>信頼度 (0～1):</source>
            <extracomment>ID 41288</extracomment>
            <translation>Confidence (0–1):</translation>
        </message>
        <message>
            <source>この曲には途中のテンポ変更、停止、遅延、ワープがあります。検出したテンポ1つで置き換えますか?
「残す」では最初のテンポとギャップだけが変わります。</source>
            <extracomment>ID 41289</extracomment>
            <translation>This song has later tempo changes, stops, delays or warps. Replace them with the one tempo found?
&quot;Keep&quot; changes only the first tempo and the gap.</translation>
        </message>
        <message>
            <source>適用</source>
            <extracomment>ID 41290</extracomment>
            <translation>Apply</translation>
        </message>
        <message>
            <source>閉じる</source>
            <extracomment>ID 41291</extracomment>
            <translation>Close</translation>
        </message>
        <message>
            <source>置き換える</source>
            <extracomment>ID 41292</extracomment>
            <translation>Replace</translation>
        </message>
        <message>
            <source>残す</source>
            <extracomment>ID 41293</extracomment>
            <translation>Keep</translation>
        </message>
        <message>
            <source>モデルにダンスで動かすボーンがありません: %s</source>
            <extracomment>ID 41294</extracomment>
            <translation>The model lacks bones the dance moves: %s</translation>
        </message>
        <message>
            <source>曲を読み込み中… %d %%</source>
            <extracomment>ID 41295</extracomment>
            <translation>Loading the song… %d %%</translation>
        </message>
        <message>
            <source>曲を読み込めませんでした。</source>
            <extracomment>ID 41296</extracomment>
            <translation>The song could not be loaded.</translation>
        </message>
        <message>
            <source>曲の波形をスコアの横に表示/非表示
波形</source>
            <extracomment>ID 41297</extracomment>
            <translation>Show or hide the song's waveform beside the score
Waveform</translation>
        </message>
        <message>
            <source>波形(&amp;W)</source>
            <extracomment>ID 41298</extracomment>
            <translation>&amp;Waveform</translation>
        </message>
        <message>
            <source>Zelvane</source>
            <extracomment>ID 57344</extracomment>
            <translation>Zelvane</translation>
        </message>
        <message>
            <source>レディ</source>
            <extracomment>ID 57345</extracomment>
            <translation>Ready</translation>
        </message>
        <message>
            <source>すべてのファイル (*.*)</source>
            <extracomment>ID 61442</extracomment>
            <translation>All files (*.*)</translation>
        </message>
    </context>
    <context>
        <name>Menu</name>
        <message>
            <source>新規作成(&amp;N)	Ctrl+N</source>
            <translation>&amp;New	Ctrl+N</translation>
        </message>
        <message>
            <source>新規にファイルを作成
新規作成</source>
            <translation>Create a new file
New</translation>
        </message>
        <message>
            <source>開く(&amp;O)...	Ctrl+O</source>
            <translation>&amp;Open...	Ctrl+O</translation>
        </message>
        <message>
            <source>既存のファイルを開く
開く</source>
            <translation>Open an existing file
Open</translation>
        </message>
        <message>
            <source>上書き保存(&amp;S)	Ctrl+S</source>
            <translation>&amp;Save	Ctrl+S</translation>
        </message>
        <message>
            <source>開いているファイルを上書きして保存
上書き保存</source>
            <translation>Save the open file
Save</translation>
        </message>
        <message>
            <source>名前を付けて保存(&amp;A)...</source>
            <translation>Save &amp;As...</translation>
        </message>
        <message>
            <source>開いているファイルに名前を付けて保存
名前を付けて保存</source>
            <translation>Save the open file under a new name
Save As</translation>
        </message>
        <message>
            <source>音声(&amp;U)...</source>
            <translation>A&amp;udio...</translation>
        </message>
        <message>
            <source>曲の設定(&amp;G)...</source>
            <translation>Son&amp;g Settings...</translation>
        </message>
        <message>
            <source>DWI読み込み(&amp;D)...</source>
            <translation>Import &amp;DWI...</translation>
        </message>
        <message>
            <source>DWI作成(&amp;W)...</source>
            <translation>Export D&amp;WI...</translation>
        </message>
        <message>
            <source>モデル(&amp;M)...</source>
            <translation>&amp;Model...</translation>
        </message>
        <message>
            <source>モーション設定(&amp;T)...</source>
            <translation>Mo&amp;tion Settings...</translation>
        </message>
        <message>
            <source>モーション作成(&amp;I)...</source>
            <translation>Create Mot&amp;ion...</translation>
        </message>
        <message>
            <source>背景AVI作成(&amp;V)...</source>
            <translation>Background A&amp;VI...</translation>
        </message>
        <message>
            <source>最近使ったファイル</source>
            <translation>Recent Files</translation>
        </message>
        <message>
            <source>このファイルを開く</source>
            <translation>Open this file</translation>
        </message>
        <message>
            <source>終了(&amp;X)</source>
            <translation>E&amp;xit</translation>
        </message>
        <message>
            <source>アプリケーションを終了し、ファイルの保存を指示
終了</source>
            <translation>Quit the application, offering to save the file
Exit</translation>
        </message>
        <message>
            <source>元に戻す(&amp;U)	Ctrl+Z</source>
            <translation>&amp;Undo	Ctrl+Z</translation>
        </message>
        <message>
            <source>直前に行った動作を元に戻す
元に戻す</source>
            <translation>Undo the last action
Undo</translation>
        </message>
        <message>
            <source>やり直し(&amp;R)	Ctrl+Y</source>
            <translation>&amp;Redo	Ctrl+Y</translation>
        </message>
        <message>
            <source>直前に取り消した動作をやり直す
やり直し</source>
            <translation>Redo the last action undone
Redo</translation>
        </message>
        <message>
            <source>切り取り(&amp;T)	Ctrl+X</source>
            <translation>Cu&amp;t	Ctrl+X</translation>
        </message>
        <message>
            <source>選択範囲を切り取ってクリップボードに移動
切り取り</source>
            <translation>Cut the selection to the clipboard
Cut</translation>
        </message>
        <message>
            <source>コピー(&amp;C)	Ctrl+C</source>
            <translation>&amp;Copy	Ctrl+C</translation>
        </message>
        <message>
            <source>選択範囲をコピーしてクリップボードに保存
コピー</source>
            <translation>Copy the selection to the clipboard
Copy</translation>
        </message>
        <message>
            <source>貼り付け(&amp;P)	Ctrl+V</source>
            <translation>&amp;Paste	Ctrl+V</translation>
        </message>
        <message>
            <source>クリップボードの内容を挿入
貼り付け</source>
            <translation>Insert the clipboard's contents
Paste</translation>
        </message>
        <message>
            <source>削除(&amp;D)	Del</source>
            <translation>&amp;Delete	Del</translation>
        </message>
        <message>
            <source>選択範囲を削除
削除</source>
            <translation>Delete the selection
Delete</translation>
        </message>
        <message>
            <source>追加モード(&amp;M)</source>
            <translation>Add &amp;Mode</translation>
        </message>
        <message>
            <source>選択モード(&amp;S)</source>
            <translation>&amp;Select Mode</translation>
        </message>
        <message>
            <source>行挿入(&amp;I)	Ins</source>
            <translation>&amp;Insert Rows	Ins</translation>
        </message>
        <message>
            <source>拡大(&amp;I)	Ctrl +</source>
            <translation>Zoom &amp;In	Ctrl +</translation>
        </message>
        <message>
            <source>縮小(&amp;O)	Ctrl -</source>
            <translation>Zoom &amp;Out	Ctrl -</translation>
        </message>
        <message>
            <source>全体表示(&amp;A)	F</source>
            <translation>Frame &amp;All	F</translation>
        </message>
        <message>
            <source>背景色(&amp;B)...</source>
            <translation>&amp;Background Color...</translation>
        </message>
        <message>
            <source>スクリーン色(&amp;S)...</source>
            <translation>&amp;Screen Color...</translation>
        </message>
        <message>
            <source>先頭から(&amp;H)	Ctrl+F5</source>
            <translation>From the &amp;Beginning	Ctrl+F5</translation>
        </message>
        <message>
            <source>現在位置から(&amp;P)	F5</source>
            <translation>From the &amp;Cursor	F5</translation>
        </message>
        <message>
            <source>停止(&amp;S)	Ctrl+Pause</source>
            <translation>&amp;Stop	Ctrl+Pause</translation>
        </message>
        <message>
            <source>アシストクラップ(&amp;C)</source>
            <translation>Assist Cl&amp;ap</translation>
        </message>
        <message>
            <source>再生中、ノートの位置でクリック音を鳴らす
アシストクラップ</source>
            <translation>Click at each note while playing
Assist Clap</translation>
        </message>
        <message>
            <source>バージョン情報(&amp;A)...</source>
            <translation>&amp;About Zelvane...</translation>
        </message>
        <message>
            <source>プログラムの情報、バージョンを表示
バージョン情報</source>
            <translation>Show the program's information and version
About</translation>
        </message>
        <message>
            <source>次のウィンドウ枠に切り替え
次のペイン</source>
            <translation>Switch to the next pane
Next Pane</translation>
        </message>
        <message>
            <source>前のウィンドウ枠に切り替え
前のペイン</source>
            <translation>Switch to the previous pane
Previous Pane</translation>
        </message>
        <message>
            <source>ファイル(&amp;F)</source>
            <translation>&amp;File</translation>
        </message>
        <message>
            <source>編集(&amp;E)</source>
            <translation>&amp;Edit</translation>
        </message>
        <message>
            <source>表示(&amp;V)</source>
            <translation>&amp;View</translation>
        </message>
        <message>
            <source>再生(&amp;P)</source>
            <translation>&amp;Play</translation>
        </message>
        <message>
            <source>ヘルプ(&amp;H)</source>
            <translation>&amp;Help</translation>
        </message>
    </context>
</TS>
