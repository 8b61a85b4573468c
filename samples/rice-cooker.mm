<map version="1.0.1">
<!-- To view this file, download free mind mapping software FreeMind from http://freemind.sourceforge.net -->
<node CREATED="1733461200000" ID="ID_1000001" MODIFIED="1733547600000" TEXT="炊飯器 RC-550 制御ソフトウェア">
<richcontent TYPE="NOTE"><html>
  <head>
  </head>
  <body>
    <p>
      5.5合 IH 炊飯器 RC-550 のマイコン (RL78/G14) 上で動く制御ソフトウェアの要求仕様。
    </p>
    <p>
      Target: firmware version 2.1, release planned for the autumn model.
    </p>
  </body>
</html>
</richcontent>
<font NAME="SansSerif" SIZE="14"/>
<node CREATED="1733461260000" ID="ID_1000002" MODIFIED="1733461260000" POSITION="right" TEXT="炊飯 Cooking">
<icon BUILTIN="idea"/>
<node CREATED="1733461320000" ID="ID_1000003" MODIFIED="1733461320000" TEXT="炊飯コースを選択する">
<richcontent TYPE="NOTE"><html>
  <head>
  </head>
  <body>
    <p>
      メニューキーで 白米・無洗米・玄米・おかゆ・炊き込み の順に切り替える。
    </p>
    <p>
      The selected course is kept in EEPROM and restored after a power failure.
    </p>
  </body>
</html>
</richcontent>
</node>
<node CREATED="1733461380000" ID="ID_1000004" MODIFIED="1733461380000" TEXT="Soak rice (浸水)">
<richcontent TYPE="NOTE"><html>
  <head>
  </head>
  <body>
    <p>
      Hold the pot at 40 &#176;C for 20 minutes (brown rice: 60 minutes).
    </p>
  </body>
</html>
</richcontent>
</node>
<node CREATED="1733461440000" ID="ID_1000005" MODIFIED="1733461440000" TEXT="加熱する Heat up">
<node CREATED="1733461500000" ID="ID_1000006" MODIFIED="1733461500000" TEXT="IH 出力を制御する">
<richcontent TYPE="NOTE"><html>
  <head>
  </head>
  <body>
    <p>
      IH 出力は 1200 W を上限とし、底面温度センサの値で PWM のデューティを決める。
    </p>
  </body>
</html>
</richcontent>
<attribute NAME="owner" VALUE="power team"/>
</node>
<node CREATED="1733461560000" ID="ID_1000007" MODIFIED="1733461560000" TEXT="沸騰を検知する Detect boiling"/>
</node>
<node CREATED="1733461620000" ID="ID_1000008" MODIFIED="1733461620000" TEXT="Steam (蒸らし)">
<richcontent TYPE="NOTE"><html>
  <head>
  </head>
  <body>
    <p>
      Keep 98 &#176;C for 15 minutes with the lid valve closed.
    </p>
  </body>
</html>
</richcontent>
</node>
<node CREATED="1733461680000" ID="ID_1000009" MODIFIED="1733461680000" TEXT="炊き上がりを知らせる">
<richcontent TYPE="NOTE"><html>
  <head>
  </head>
  <body>
    <p>
      ブザーを 3 回鳴らし、表示を「保温」に切り替える。
    </p>
  </body>
</html>
</richcontent>
</node>
</node>
<node CREATED="1733461740000" ID="ID_1000010" MODIFIED="1733461740000" POSITION="right" TEXT="保温 Keep warm">
<node CREATED="1733461800000" ID="ID_1000011" MODIFIED="1733461800000" TEXT="保温温度を維持する">
<richcontent TYPE="NOTE"><html>
  <head>
  </head>
  <body>
    <p>
      72 &#177; 2 &#176;C. After 12 hours the temperature is lowered to 65 &#176;C (eco keep-warm).
    </p>
  </body>
</html>
</richcontent>
</node>
<node CREATED="1733461860000" ID="ID_1000012" MODIFIED="1733461860000" TEXT="Show elapsed hours"/>
<node CREATED="1733461920000" ID="ID_1000013" MODIFIED="1733461920000" TEXT="24 時間で保温を終了する"/>
</node>
<node CREATED="1733461980000" ID="ID_1000014" MODIFIED="1733461980000" POSITION="right" TEXT="Timer (予約)">
<node CREATED="1733462040000" ID="ID_1000015" MODIFIED="1733462040000" TEXT="予約時刻を設定する">
<richcontent TYPE="NOTE"><html>
  <head>
  </head>
  <body>
    <p>
      2 件まで登録できる。Reservation times between 1 and 13 hours ahead are accepted.
    </p>
  </body>
</html>
</richcontent>
</node>
<node CREATED="1733462100000" ID="ID_1000016" MODIFIED="1733462100000" TEXT="Start cooking at the reserved time"/>
</node>
<node CREATED="1733462160000" ID="ID_1000017" MODIFIED="1733462160000" POSITION="left" TEXT="操作パネル Control panel">
<node CREATED="1733462220000" ID="ID_1000018" MODIFIED="1733462220000" TEXT="キー入力を読む">
<richcontent TYPE="NOTE"><html>
  <head>
  </head>
  <body>
    <p>
      Keys: 炊飯/Start, 取消/Cancel, メニュー/Menu, 時/Hour, 分/Min. チャタリング除去 20 ms.
    </p>
  </body>
</html>
</richcontent>
</node>
<node CREATED="1733462280000" ID="ID_1000019" MODIFIED="1733462280000">
<richcontent TYPE="NODE"><html>
  <head>
  </head>
  <body>
    <p>
      LCD
    </p>
    <p>
      表示を更新する
    </p>
  </body>
</html>
</richcontent>
</node>
<node CREATED="1733462340000" ID="ID_1000020" MODIFIED="1733462340000" TEXT="Buzzer (ブザー)">
<arrowlink DESTINATION="ID_1000009" ENDARROW="Default" ID="Arrow_ID_1" STARTARROW="None"/>
</node>
</node>
<node CREATED="1733462400000" ID="ID_1000021" MODIFIED="1733462400000" POSITION="left" TEXT="安全 Safety">
<icon BUILTIN="messagebox_warning"/>
<node CREATED="1733462460000" ID="ID_1000022" MODIFIED="1733462460000" TEXT="空焚きを検知する Dry-heating detection">
<richcontent TYPE="NOTE"><html>
  <head>
  </head>
  <body>
    <p>
      底面温度が 10 秒間で 30 &#176;C 以上上昇したら IH 出力を停止し、E1 を表示する。
    </p>
  </body>
</html>
</richcontent>
</node>
<node CREATED="1733462520000" ID="ID_1000023" MODIFIED="1733462520000" TEXT="Lid open detection (ふた開検知)"/>
<node CREATED="1733462580000" ID="ID_1000024" MODIFIED="1733462580000" TEXT="センサ異常を表示する">
<richcontent TYPE="NOTE"><html>
  <head>
  </head>
  <body>
    <p>
      Thermistor open or short: show E2 (bottom) or E3 (lid) and stop heating.
    </p>
  </body>
</html>
</richcontent>
</node>
</node>
<node CREATED="1733462640000" ID="ID_1000025" MODIFIED="1733462640000" POSITION="left" TEXT="Power failure (停電)">
<edge COLOR="#808080" STYLE="bezier" WIDTH="thin"/>
<node CREATED="1733462700000" ID="ID_1000026" MODIFIED="1733462700000" TEXT="状態を EEPROM に保存する"/>
<node CREATED="1733462760000" ID="ID_1000027" MODIFIED="1733462760000" TEXT="Resume within 10 minutes">
<richcontent TYPE="NOTE"><html>
  <head>
  </head>
  <body>
    <p>
      復電が 10 分以内なら炊飯を続け、それより長ければ「炊飯できませんでした」を表示する。
    </p>
  </body>
</html>
</richcontent>
</node>
</node>
</node>
</map>
