// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "help/help_window.h"

#include "common/accessibility.h"
#include "common/app_info.h"
#include "common/screen_units.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace rz6 {
namespace {

constexpr unsigned windowBack = 0x00FFC0C0; // the battle screen's lavender
constexpr unsigned pageBack = 0x00F8F0F0;

} // namespace

// Captions padded with ideographic spaces keep their width, as on the buttons they name.
QString HelpWindow::helpText() {
    return QStringLiteral(
               "<h2>遊び方</h2>"
               "<p>十ターンのあいだに数字の盤から技を打ち込み、得点を競う剣術ゲームです。</p>"

               "<h3>画面</h3>"
               "<p>左は使用キャラの絵、中央はテンキーの絵、右は 4 × 4 の盤です。盤には 1〜9 "
               "の数字が並び、テンキーの絵は今盤にある数字だけを示します。右上の数字は残りの"
               "ターン数、下の横長の棒は連撃ゲージ、いちばん下の欄は使用キャラ、評価、得点です。"
               "</p>"

               "<h3>試合の始め方</h3>"
               "<p><b>F5</b>（メニュー「試合」→「開始」、またはボタン「試合開始」）で試合が"
               "始まります。<b>Ctrl+R</b>（「試合」→「再試」）で試合を初めからやり直します。"
               "やめるときは「試合」→「終了」か「<span "
               "style=\"white-space:pre\">終　　　了</span>」を選びます。</p>"

               "<h3>キー</h3>"
               "<ul>"
               "<li><b>1〜9</b>：盤から数字を拾って並べます。メインキーボードでもテンキーでも"
               "同じです。一つのマスは一度しか使えないので、同じ数字を二度使うには盤にその数字が"
               "二つ必要です。</li>"
               "<li><b>0</b>：3 桁か 6 桁の並びを放ちます。9 桁目を打つと、その場で放たれます。"
               "</li>"
               "<li><b>Enter</b>：並べた数字を取り消します。50 点引かれます。</li>"
               "<li><b>F1</b>：この画面を開きます。<b>Esc</b> で閉じます。</li>"
               "</ul>"

               "<h3>放つ</h3>"
               "<p>並びが技なら命中し、技の点にキャラの倍率を掛けた点が入ります。技でない並びは"
               "受け止められ、点は入りません。盤にない数字を含む並びは空振りで、100 点引かれます。"
               "使ったマスは赤くなり、新しい数字に入れ替わります。</p>"

               "<h3>ターン</h3>"
               "<p>持ちターンは 10 です。連撃ゲージが空のときに放つと 1 ターン使います。ターンを"
               "使い切り、ゲージが空になると試合終了です。</p>"

               "<h3>連撃とゲージ</h3>"
               "<p>技が決まるとゲージが満ち、時とともに減っていきます。ゲージが残っている間に"
               "放つとターンを使わず、得点に連撃数に応じた掛け数が掛かります（2 連撃目は ×1、"
               "3 連撃目は ×2、…）。この間は入力欄が桃色になり、連撃が続くほど時の進みが速く"
               "なります。ゲージが残っている間に技でない並びを放つと反撃を受け、100 点に同じ掛け数"
               "を掛けた点が引かれます。それでも連撃は途切れません。</p>"

               "<h3>キャラクター</h3>"
               "<p>試合の前に「設定」→「使用キャラ」か「キャラ選択」で、三人の剣士から一人を"
               "選びます。ゲージの長さと得点の倍率がそれぞれ違い、ゲージが短い剣士ほど倍率が"
               "高くなります。</p>"
               "<ul>"
               "<li>灰原　蓮：ゲージ 1.2 秒、倍率 ×1</li>"
               "<li>灰原　雪菜：ゲージ 1.1 秒、倍率 ×1.1</li>"
               "<li>真壁　左近：ゲージ 1.0 秒、倍率 ×1.2</li>"
               "</ul>"

               "<h3>結果</h3>"
               "<p>試合が終わると結果画面が開きます。試合の得点（評価点）に、決めた技の種類一つ"
               "ごとに得点の一割が技術点として加わり、その合計が総合点です。総合点によって"
               "十段階の評価が決まります。「再試合」で次の試合へ、「<span "
               "style=\"white-space:pre\">終　了</span>」でゲームを終えます。"
               "</p>"

               "<h3>記録</h3>"
               "<p>技ごとに決めた回数と、総合点の上位五つが記録に残ります。「<span "
               "style=\"white-space:pre\">履　　　歴</span>」"
               "（「試合」→「履歴」）で、いつでも見られます。記録は試合をやり直すときとゲームを"
               "終えるときに保存されます。インストールしたゲームでは "
               "<code>~/.local/share/rz6/rz6.DAT</code> に、持ち運び用に置いたゲームでは"
               "プログラムの隣の <code>rz6.DAT</code> に置かれます。</p>"

               "<h3>技の見つけ方</h3>"
               "<p>技の一覧はどこにもありません。いろいろな並びを放って、自分で見つけてください。"
               "多くの技は、テンキーの上に縦・横・斜めの筋を描く並びです。3 桁の技を二つ"
               "つないだ 6 桁の技や、9 桁の大技もあります。一度決めた技は記録画面の「技履歴」"
               "に加わり、打ち方と説明を確かめられます。</p>"

               "<p>詳しい説明は %1 の README にあります。</p>")
        .arg(QString::fromUtf8(appInfo::installedDocumentationFolder).toHtmlEscaped());
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("help"));
    setWindowTitle(QStringLiteral("遊び方"));
    setAttribute(Qt::WA_DeleteOnClose);
    QPalette back = palette();
    back.setColor(QPalette::Window, bgrColor(windowBack));
    setPalette(back);
    setAutoFillBackground(true);

    text_ = new QTextBrowser(this);
    text_->setObjectName(QStringLiteral("HelpText"));
    text_->setOpenLinks(false);
    text_->setHtml(helpText());
    text_->setAccessibleName(QStringLiteral("遊び方"));
    // Read-only, with a keyboard caret: the arrow keys move through the text line by line,
    // and a screen reader reads each line the caret reaches.
    text_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse |
                                   Qt::LinksAccessibleByKeyboard);
    QPalette page = text_->palette();
    page.setColor(QPalette::Base, bgrColor(pageBack));
    text_->setPalette(page);
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPointSizeF(11);
    text_->setFont(font);

    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName(QStringLiteral("HelpClose"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(close, 0, Qt::AlignRight);
    resize(twips(9270), twips(8400));
    // The text reads at once, to the keyboard and to a screen reader.
    setFocusProxy(text_);
    exposeAsScreen(this);
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace rz6
