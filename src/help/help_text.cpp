// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "help/help_text.h"

#include "battle/match.h"
#include "charselect/characters.h"
#include "common/app_info.h"
#include "common/qt_text.h"
#include "result/match_rating.h"
#include "save/record_table.h"
#include "sound/sound_cues.h"

#include <QCoreApplication>

namespace rz6 {
namespace {

// 「終　　　了」 as the help writes a caption of the screen that shows it (the window's
// translation context): in corner brackets, never broken.
QString caption(const char* context, const char* text) {
    return QCoreApplication::translate("rz6::HelpText", "「%1」")
        .arg(unbrokenCaption(QCoreApplication::translate(context, text)));
}

QString characterList() {
    QString list = QStringLiteral("<ul>");
    for (const Character& c : characters())
        list += QCoreApplication::translate("rz6::HelpText", "<li>%1：ゲージ %2 秒、倍率 ×%3</li>")
                    .arg(unbrokenCaption(translatedText("Game", c.name)))
                    .arg(c.windowLength / 1000.0, 0, 'f', 1)
                    .arg(c.scoreMultiplier);
    return list + QStringLiteral("</ul>");
}

// A path or a command as the help writes it: in the code face, never broken across lines.
QString unbroken(const QString& text) {
    return QStringLiteral("<code style=\"white-space:nowrap\">%1</code>").arg(text.toHtmlEscaped());
}

QString recordPlace() {
    return unbroken(QStringLiteral("~/.local/share/%1/%2")
                        .arg(QString::fromUtf8(appInfo::applicationName),
                             QString::fromUtf8(appInfo::recordFileName)));
}

} // namespace

QString unbrokenCaption(const QString& caption) {
    // Qt lays a line out so that it may always break after a space character, the ideographic
    // space included, whatever joiners stand beside it. Each one is written as a figure space
    // instead: as wide in the game's Japanese fonts, and never a place to break. "pre" keeps
    // them from being folded into one ordinary space.
    QString kept = caption.toHtmlEscaped();
    kept.replace(QChar(0x3000), QChar(0x2007));
    return QStringLiteral("<span style=\"white-space:pre\">%1</span>").arg(kept);
}

QString helpText() {
    const QString turns = QString::number(Match::startTurns);
    return QCoreApplication::translate(
               "rz6::HelpText",
               "<h2>遊び方</h2>"
               "<p>%1 ターンのあいだに数字の盤から技を打ち込み、得点を競う剣術ゲームです。</p>"

               "<h3>画面</h3>"
               "<p>左は使用キャラの絵、中央はテンキーの絵、右は 4 × 4 の盤です。盤には 1〜9 "
               "の数字が並び、テンキーの絵は今盤にある数字だけを示します。右上の数字は残りの"
               "ターン数です。テンキーの絵の下に入力欄と連撃の欄、その下に技の名前と得点の欄が"
               "あり、下の横長の棒は連撃ゲージ、いちばん下の欄は使用キャラと評価（試合の得点）です"
               "。</p>"

               "<h3>試合の始め方</h3>"
               "<p><b>F5</b>（メニュー「試合」→「開始」、またはボタン%2）で試合が"
               "始まります。<b>Ctrl+R</b>（「試合」→「再試」）で試合を初めからやり直します。"
               "やめるときは「試合」→「終了」かボタン%3を選びます。</p>")
               .arg(turns, caption("rz6::BattleWindow", "試合開始"),
                    caption("rz6::BattleWindow", "終　　　了")) +
           QCoreApplication::translate(
               "rz6::HelpText",
               "<h3>キー</h3>"
               "<ul>"
               "<li><b>1〜9</b>：盤から数字を拾って並べます。一つのマスは一度しか使えないので、"
               "同じ数字を二度使うには盤にその数字が二つ必要です。数字はキーの位置で読むので、"
               "数字の段でもテンキーでも、どのキー配列でも Shift の有無にかかわらず打てます。</li>"
               "<li><b>0</b>：3 桁か 6 桁の並びを放ちます。%1 桁目を打つと、その場で放たれます。"
               "</li>"
               "<li><b>Enter</b>：並べた数字を取り消します（「姿勢を崩した！」）。%2 点引かれます。"
               "</li>"
               "<li><b>F1</b>：この画面を開きます。<b>Esc</b> で閉じます。</li>"
               "<li><b>F6</b>：戦績（終えた試合すべての記録）を開きます。</li>"
               "<li><b>F10</b>：最初のメニュー「試合」を開きます。<b>←</b>・<b>→</b> で"
               "ほかのメニューに移ります。</li>"
               "</ul>"
               "<p>マウスなしでも遊べます。<b>Tab</b> でボタンに移り、<b>Space</b> か "
               "<b>Enter</b> で押します（試合中の数字・0・Enter はいつも試合に届きます）。"
               "<b>Esc</b> はキャラ選択では%3、記録画面では「閉じる」と同じです。Orca などの"
               "画面読み上げは、命中・防がれた・反撃・空振・姿勢を崩した・残りターン・試合の結果を"
               "その場で読み上げます。</p>")
               .arg(Match::maxDigits)
               .arg(Match::enterPenalty)
               .arg(caption("rz6::CharacterSelectWindow", "決　　定")) +
           QCoreApplication::translate(
               "rz6::HelpText",
               "<h3>効果音</h3>"
               "<p>一撃の結果と試合の節目は、音でもわかります。</p>"
               "<ul>"
               "<li>命中：風を切る音と、刃の鳴る音。連撃が続くごとに一段ずつ高く鳴ります（%1 "
               "連撃目まで）。</li>"
               "<li>防がれた：木を打つ鈍い音。</li>"
               "<li>反撃：ふくらんで弾ける鋭い音。</li>"
               "<li>空振：空を切る音。</li>"
               "<li>姿勢を崩した（Enter）：よろける足音。</li>"
               "<li>最後のターンを使ったとき：低い銅鑼。</li>"
               "<li>試合終了：拍子木。続いて結果画面が開くと琴の音、総合点が上位 %2 つに"
               "入ると鈴の音が鳴ります。</li>"
               "</ul>"
               "<p>音を消すには「設定」→「効果」→「効果音」のチェックを外します。次に起動した"
               "ときも消えたままです。音を出せない環境でも、ゲームは音なしでそのまま遊べます。"
               "</p>")
               .arg(sound::comboSteps)
               .arg(bestTotalCount) +
           QCoreApplication::translate(
               "rz6::HelpText",
               "<h3>放つ</h3>"
               "<p>並びが技なら命中し、技の点にキャラの倍率を掛けた点が入ります。技でない並びは"
               "防がれ、点は入りません。盤にない数字を含む並びは空振りで、%1 点引かれます。"
               "使ったマスは赤くなり、新しい数字に入れ替わります。</p>"

               "<h3>ターン</h3>"
               "<p>持ちターンは %2 です。連撃ゲージが空のときに放つと 1 ターン使います。ターンを"
               "使い切り、ゲージが空になると試合終了です。</p>"

               "<h3>連撃とゲージ</h3>"
               "<p>技が命中するか反撃を受けると、ゲージが満ちて時とともに減っていきます。ゲージが"
               "減っている間は入力欄が桃色になり、連撃を受け付けます。桃色の間に放つとターンを"
               "使わず連撃が続き、2 連撃目からは得点に「連撃数 − 1」の掛け数が掛かります"
               "（2 連撃目は ×1、3 連撃目は ×2、…）。連撃が続くほど時の進みが速くなります。"
               "桃色の間に技でない並びを放つと反撃を受け、%3 点にキャラの倍率と同じ掛け数を"
               "掛けた点が引かれます。それでも連撃は途切れません。</p>")
               .arg(Match::missPenalty)
               .arg(turns)
               .arg(-Match::counterPoints) +
           QCoreApplication::translate(
               "rz6::HelpText",
               "<h3>キャラクター</h3>"
               "<p>試合の前に「設定」→「使用キャラ」かボタン%1で、%2 人の剣士から一人を"
               "選びます。ゲージの長さと得点の倍率がそれぞれ違い、ゲージが短い剣士ほど倍率が"
               "高くなります。</p>%3"

               "<h3>結果</h3>"
               "<p>試合が終わると結果画面が開きます。試合の得点（評価点）に、決めた技の種類一つ"
               "ごとに得点の一割が技術点として加わり、その合計が総合点です。総合点によって"
               "%4 段階の評価が決まります。%5で次の試合へ、%6でゲームを終えます。</p>")
               .arg(caption("rz6::BattleWindow", "キャラ選択"))
               .arg(characterCount)
               .arg(characterList())
               .arg(rankClassCount)
               .arg(caption("rz6::ResultWindow", "再試合"),
                    caption("rz6::ResultWindow", "終　了")) +
           QCoreApplication::translate(
               "rz6::HelpText",
               "<h3>記録</h3>"
               "<p>技ごとに決めた回数と、総合点の上位 %1 つが記録に残ります。ボタン%2"
               "（「試合」→「履歴」）で、いつでも見られます。記録は結果画面が出たとき（試合の分は"
               "ここで必ず残ります）と、再試・再試合・終了のときに書き込まれます。インストールした"
               "ゲームでは %3 に、持ち運び用に置いたゲームではプログラムの隣の %4 に置かれます。"
               "一つの記録で同時に遊べるゲームは一つだけです。</p>"
               "<p>終えた試合はすべて、記録の隣の %7 に戦績として残ります（F6、"
               "「試合」→「戦績」）。グラフと表で見られ、CSV に書き出せます。記録とは別の"
               "ファイルで、記録には手を触れません。</p>"

               "<h3>技の見つけ方</h3>"
               "<p>技の一覧はどこにもありません。いろいろな並びを放って、自分で見つけてください。"
               "多くの技は、テンキーの上に縦・横・斜めの筋を描く並びです。3 桁の技を二つ"
               "つないだ 6 桁の技や、%5 桁の大技もあります。一度決めた技は記録画面の「技履歴」"
               "に加わり、打ち方と説明を確かめられます。</p>"

               "<p>端末では %6 で、この説明にコマンドライン・ファイル・環境変数の説明を"
               "加えたものが読めます。</p>")
               .arg(bestTotalCount)
               .arg(caption("rz6::BattleWindow", "履　　　歴"), recordPlace(),
                    unbroken(QString::fromUtf8(appInfo::recordFileName)))
               .arg(Match::maxDigits)
               .arg(unbroken(QStringLiteral("man ") + QString::fromUtf8(appInfo::applicationName)),
                    unbroken(QString::fromUtf8(appInfo::historyFileName)));
}

} // namespace rz6
