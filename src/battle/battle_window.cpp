#include "battle/battle_window.h"

#include "charselect/character_select_window.h"
#include "charselect/characters.h"
#include "common/label_button.h"
#include "common/picture_label.h"
#include "common/pictures.h"
#include "common/screen_units.h"
#include "common/tiled_background.h"
#include "record/technique_record_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QScreen>

#include <algorithm>

namespace rz6 {
namespace {

// Design values of the battle screen, in twips and 0x00BBGGRR colours.
constexpr int clientWidth = 9270;
constexpr int clientHeight = 6030;
constexpr unsigned windowBack = 0x00FFC0C0;
constexpr unsigned panelFill = 0x00FF8080;
constexpr unsigned cellBack = 0x00C0FFFF;
constexpr unsigned cellSpentBack = 0x000000FF;
constexpr unsigned inputClosedBack = 0x00C0E0FF;
constexpr unsigned inputOpenBack = 0x00FFC0FF;
constexpr unsigned comboBack = 0x00FFFFC0;
constexpr unsigned messageBack = 0x00C0FFC0;

// A fresh battle screen shows the first character until another is chosen.
const Character& firstCharacter = characters().front();
const QString firstCharacterStatus = QString::fromUtf8(
    firstCharacter.statusText.data(), static_cast<qsizetype>(firstCharacter.statusText.size()));
const QString firstPortrait = QString::fromUtf8(
    firstCharacter.readyPicture.data(), static_cast<qsizetype>(firstCharacter.readyPicture.size()));

// Where the installed game keeps its README (compressed by a distribution's package).
QString documentationFolder() {
#ifdef RZ6_INSTALL_DOCDIR
    return QString::fromUtf8(RZ6_INSTALL_DOCDIR);
#else
    return QStringLiteral("/usr/share/doc/rz6");
#endif
}

// The About box: the version line, then the credits of the team that made this game.
QString aboutText() {
    return QStringList{
        QStringLiteral("ソードリズム！第弐章 VER 0.80"),
        QString(),
        QStringLiteral("制作　ソードリズム制作班"),
        QStringLiteral("作画　ソードリズム制作班　美術係"),
        QStringLiteral("設定　ソードリズム制作班　設定係"),
        QString(),
        QStringLiteral("最新版　%1 をご覧ください").arg(documentationFolder()),
        QStringLiteral("2026　ソードリズム制作班"),
    }
        .join(QLatin1Char('\n'));
}

QFont designFont(const QString& family, qreal points, bool italic = false) {
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(true);
    font.setItalic(italic);
    return font;
}

void setBackColor(QWidget* widget, unsigned bgr) {
    const QColor color = bgrColor(bgr);
    if (widget->autoFillBackground() && widget->palette().color(QPalette::Window) == color)
        return; // unchanged: no repaint
    QPalette p = widget->palette();
    p.setColor(QPalette::Window, color);
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

// A label that shows game state has no accessible name of its own, so the bus reads its
// text; setText() then announces the new text, and writing only changes announces each
// change once.
void setTextIfChanged(QLabel* label, const QString& text) {
    if (label->text() != text)
        label->setText(text);
}

void setDescriptionIfChanged(QWidget* widget, const QString& description) {
    if (widget->accessibleDescription() != description)
        widget->setAccessibleDescription(description);
}

QString cellDescription(int cell, bool spent) {
    const QString place = QStringLiteral("盤 %1行%2列").arg(cell / 4 + 1).arg(cell % 4 + 1);
    return spent ? place + QStringLiteral("（使用済み）") : place;
}

// The combo window is shown by the input's pink colour; the bus hears it here.
QString inputDescription(bool windowOpen) {
    return windowOpen ? QStringLiteral("入力（連撃受付中）") : QStringLiteral("入力");
}

QLabel* makeLabel(QWidget* parent, const QString& name, QRect geometry, const QString& text,
                  unsigned back, const QFont& font, Qt::Alignment align, bool border) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setFont(font);
    label->setAlignment(align | Qt::AlignVCenter);
    if (border)
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setBackColor(label, back);
    return label;
}

QLabel* makePicture(QWidget* parent, const QString& name, QRect geometry, const QString& picture) {
    auto* label = new PictureLabel(parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setPixmap(Pictures::pixmap(picture, parent->devicePixelRatioF()));
    label->setAccessibleName(Pictures::accessibleName(picture));
    return label;
}

QWidget* makeShape(QWidget* parent, const QString& name, QRect geometry, unsigned fill) {
    auto* shape = new QWidget(parent);
    shape->setObjectName(name);
    shape->setGeometry(geometry);
    setBackColor(shape, fill);
    // Shapes are drawn on the window's surface: the pointer over them is over the bare
    // background, and they lie under every other widget.
    shape->setAttribute(Qt::WA_TransparentForMouseEvents);
    shape->lower(); // shapes lie on the window's surface, under every other widget
    return shape;
}

} // namespace

BattleWindow::BattleWindow(RecordTable& recordTable, RandomSource& random, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      match_(recordTable, random) {
    setObjectName(QStringLiteral("rz6"));
    setWindowTitle(QStringLiteral("ソードリズム！　第弐章"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFocusPolicy(Qt::StrongFocus);

    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("client"));
    client_->setFixedSize(twips(clientWidth), twips(clientHeight));
    client_->setMouseTracking(true);
    client_->installEventFilter(this);
    setBackColor(client_, windowBack);
    setCentralWidget(client_);
    buildMenus();
    buildWidgets(client_);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    tileBackground(client_, Pictures::pixmap(QStringLiteral("tile"), devicePixelRatioF()));
    // Disabled behind another screen, the battle screen stays exactly as it was.
    keepLookWhenDisabled(client_);

    timer2_.setTimerType(Qt::PreciseTimer);
    timer2_.setInterval(match_.tickInterval());
    connect(&timer2_, &QTimer::timeout, this, &BattleWindow::Timer2_Timer);
    pauseTimer_.setTimerType(Qt::PreciseTimer);
    pauseTimer_.setSingleShot(true);
    connect(&pauseTimer_, &QTimer::timeout, this, &BattleWindow::endPause);

    // The clock stands still until a strike gives it something to do (afterInput).
    showMatch();
}

BattleWindow::~BattleWindow() {
    if (subScreen_)
        delete subScreen_.data();
}

void BattleWindow::buildMenus() {
    auto action = [this](QMenu* menu, const char* name, const QString& text) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    QMenu* mfile = menuBar()->addMenu(QStringLiteral("試合"));
    mfile->setObjectName(QStringLiteral("mfile"));
    mst_ = action(mfile, "mst", QStringLiteral("開始"));
    mst_->setShortcut(QKeySequence(Qt::Key_F5));
    mrst_ = action(mfile, "mrst", QStringLiteral("再試"));
    mrst_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    mfile->addSeparator()->setObjectName(QStringLiteral("mline1"));
    mwhis_ = action(mfile, "mwhis", QStringLiteral("履歴"));
    mend_ = action(mfile, "mend", QStringLiteral("終了"));

    QMenu* mopt = menuBar()->addMenu(QStringLiteral("設定"));
    mopt->setObjectName(QStringLiteral("mopt"));
    mchrch_ = action(mopt, "mchrch", QStringLiteral("使用キャラ"));
    QMenu* mmus = mopt->addMenu(QStringLiteral("効果"));
    mmus->setObjectName(QStringLiteral("mmus"));
    // Sound effects were never part of this game: the items stay visible and disabled.
    action(mmus, "mwav", QStringLiteral("WAV"))->setEnabled(false);
    action(mmus, "mmidi", QStringLiteral("MIDI"))->setEnabled(false);

    mab_ = menuBar()->addAction(QStringLiteral("制作"));
    mab_->setObjectName(QStringLiteral("mab"));
    // The rules, beside the credits: F1 as on any desktop.
    mhelp_ = menuBar()->addAction(QStringLiteral("遊び方"));
    mhelp_->setObjectName(QStringLiteral("mhelp"));
    mhelp_->setShortcut(QKeySequence(Qt::Key_F1));

    connect(mst_, &QAction::triggered, this, &BattleWindow::mst_Click);
    connect(mrst_, &QAction::triggered, this, &BattleWindow::mrst_Click);
    connect(mwhis_, &QAction::triggered, this, &BattleWindow::mwhis_Click);
    connect(mend_, &QAction::triggered, this, &BattleWindow::mend_Click);
    connect(mchrch_, &QAction::triggered, this, &BattleWindow::mchrch_Click);
    connect(mab_, &QAction::triggered, this, &BattleWindow::mab_Click);
    connect(mhelp_, &QAction::triggered, this, &BattleWindow::mhelp_Click);
}

void BattleWindow::buildWidgets(QWidget* client) {
    const QStringList buttonTexts{QStringLiteral("試合開始"), QStringLiteral("履　　　歴"),
                                  QStringLiteral("キャラ選択"), QStringLiteral("終　　　了")};
    for (int i = 0; i < 4; ++i) {
        auto* button = new LabelButton(buttonTexts[i], client);
        button->setObjectName(QStringLiteral("BtnLabel(%1)").arg(i));
        button->setGeometry(twipsRect(120 + 1440 * i, 240, 1335, 255));
        button->setFont(designFont(QStringLiteral("ＭＳ 明朝"), 12));
        connect(button, &LabelButton::clicked, this, [this, i] { BtnLabel_Click(i); });
        connect(button, &LabelButton::pointerMoved, this, [this, i] { BtnLabel_MouseMove(i); });
        button->installEventFilter(this);
        btnLabel_[i] = button;
    }

    makePicture(client, QStringLiteral("Image3"), twipsRect(6000, 240, 2250, 450),
                QStringLiteral("heading_turns_left"));
    turnLabel_ = makeLabel(client, QStringLiteral("TurnLabel"), twipsRect(8520, 240, 525, 435),
                           QStringLiteral("10"), windowBack,
                           designFont(QStringLiteral("ＭＳ 明朝"), 21.75), Qt::AlignHCenter, false);
    turnLabel_->setAccessibleDescription(QStringLiteral("残りターン"));
    turnLabel_->adjustSize();

    makePicture(client, QStringLiteral("Image4"), twipsRect(750, 840, 2250, 450),
                QStringLiteral("heading_character"));
    makeShape(client, QStringLiteral("Shape1(1)"), twipsRect(450, 1080, 2895, 3855), panelFill);
    portraitName_ = firstPortrait;
    chrImg_ = makePicture(client, QStringLiteral("ChrImg"), twipsRect(840, 1440, 2100, 3300),
                          portraitName_);

    makeShape(client, QStringLiteral("Shape1(0)"), twipsRect(3960, 1080, 5055, 2415), panelFill);
    // The keypad: 7 8 9 on the top row, 1 2 3 at the bottom.
    for (int digit = 1; digit <= 9; ++digit) {
        const int column = (digit - 1) % 3;
        const int row = 2 - (digit - 1) / 3;
        keypad_[digit] = makePicture(client, QStringLiteral("Image1(%1)").arg(digit),
                                     twipsRect(4320 + 720 * column, 1440 + 600 * row, 450, 450),
                                     QStringLiteral("keypad_%1").arg(digit));
    }

    for (int i = 0; i < Match::cellCount; ++i) {
        cells_[i] = makeLabel(
            client, QStringLiteral("Label1(%1)").arg(i),
            twipsRect(6720 + 480 * (i % 4), 1320 + 480 * (i / 4), 495, 495), QStringLiteral("1"),
            cellBack, designFont(QStringLiteral("ＭＳ Ｐ明朝"), 26.25), Qt::AlignHCenter, false);
        cells_[i]->setAccessibleDescription(cellDescription(i, false));
    }
    // The board's frame: light from the top left, shadow on the bottom right.
    const QRect board = twipsRect(6720, 1320, 1920, 1920);
    struct Edge {
        const char* name;
        QRect rect;
        unsigned color;
    };
    const Edge edges[] = {
        {"Line1", QRect(board.left(), board.top(), 1, board.height() + 1), 0x00FFFFFF},
        {"Line2", QRect(board.left(), board.top(), board.width() + 1, 1), 0x00FFFFFF},
        {"Line3", QRect(board.left(), board.top() + board.height(), board.width() + 1, 1), 0x0},
        {"Line4", QRect(board.left() + board.width(), board.top(), 1, board.height() + 1), 0x0},
    };
    for (const Edge& edge : edges)
        makeShape(client, QString::fromLatin1(edge.name), edge.rect, edge.color)->raise();

    inputLabel_ = makeLabel(client, QStringLiteral("InputLabel"), twipsRect(3960, 3720, 2775, 495),
                            QString(), inputClosedBack,
                            designFont(QStringLiteral("ＭＳ ゴシック"), 24), Qt::AlignLeft, true);
    inputLabel_->setAccessibleDescription(inputDescription(false));
    renLabel_ = makeLabel(client, QStringLiteral("RenLabel"), twipsRect(6840, 3720, 2295, 495),
                          QString(), comboBack, designFont(QStringLiteral("ＭＳ ゴシック"), 21.75),
                          Qt::AlignRight, true);
    renLabel_->setAccessibleDescription(QStringLiteral("連撃"));
    mesLabel_ =
        makeLabel(client, QStringLiteral("MesLabel"), twipsRect(3960, 4440, 2775, 495), QString(),
                  messageBack, designFont(QStringLiteral("ＭＳ Ｐ明朝"), 15.75, true),
                  Qt::AlignHCenter, true);
    mesLabel_->setAccessibleDescription(QStringLiteral("メッセージ"));
    getPtLabel_ = makeLabel(client, QStringLiteral("GetPtLabel"), twipsRect(6840, 4440, 2295, 495),
                            QString(), messageBack, designFont(QStringLiteral("ＭＳ ゴシック"), 18),
                            Qt::AlignRight, true);
    getPtLabel_->setAccessibleDescription(QStringLiteral("得点"));

    // Holds the background tile; never shown.
    QLabel* tileHolder = makePicture(client, QStringLiteral("Picture1"),
                                     twipsRect(3480, 3720, 300, 495), QStringLiteral("tile"));
    tileHolder->hide();

    progressBar_ = new QProgressBar(client);
    progressBar_->setObjectName(QStringLiteral("ProgressBar1"));
    progressBar_->setGeometry(twipsRect(0, 5160, 9255, 495));
    progressBar_->setTextVisible(false);
    progressBar_->setAccessibleName(QStringLiteral("連撃ゲージ"));

    auto* statusBar = new QFrame(client);
    statusBar->setObjectName(QStringLiteral("StatusBar1"));
    statusBar->setGeometry(twipsRect(0, 5655, 9270, 375));
    statusBar->setAccessibleName(QStringLiteral("ステータスバー"));
    // A status bar has the desktop's own face, not the window's tiled background.
    setBackColor(statusBar, 0);
    QPalette face = statusBar->palette();
    face.setColor(QPalette::Window, QApplication::palette().color(QPalette::Window));
    statusBar->setPalette(face);
    const int panelWidths[] = {2400, 800, 1600};
    const QString panelTexts[] = {firstCharacterStatus, QStringLiteral("評価"),
                                  QStringLiteral("0")};
    int left = 0;
    for (int i = 0; i < 3; ++i) {
        auto* panel = new QLabel(panelTexts[i], statusBar);
        panel->setObjectName(QStringLiteral("Panel(%1)").arg(i + 1));
        panel->setGeometry(twips(left) + 1, 2, twips(panelWidths[i]) - 2, twips(375) - 3);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        panel->setIndent(3);
        panels_[i] = panel;
        left += panelWidths[i];
    }
    panels_[2]->setAccessibleDescription(QStringLiteral("得点"));
}

// Copies the whole visible state of the match into the widgets. Only what changed is
// written, so calling it after every event costs next to nothing.
void BattleWindow::showMatch() {
    for (int i = 0; i < Match::cellCount; ++i) {
        setTextIfChanged(cells_[i], QString::number(match_.cellDigit(i)));
        setBackColor(cells_[i], match_.cellSpent(i) ? cellSpentBack : cellBack);
        setDescriptionIfChanged(cells_[i], cellDescription(i, match_.cellSpent(i)));
    }
    for (int digit = 1; digit <= 9; ++digit)
        keypad_[digit]->setVisible(match_.keypadShown(digit));

    if (turnLabel_->text() != QString::number(match_.turnsLeft())) {
        turnLabel_->setText(QString::number(match_.turnsLeft()));
        turnLabel_->adjustSize(); // sized to its text, anchored at its left edge
    }
    setTextIfChanged(inputLabel_, QString::fromStdString(match_.inputText()));
    setBackColor(inputLabel_, match_.windowOpen() ? inputOpenBack : inputClosedBack);
    setDescriptionIfChanged(inputLabel_, inputDescription(match_.windowOpen()));
    setTextIfChanged(renLabel_, QString::fromStdString(match_.comboText()));
    setTextIfChanged(mesLabel_, QString::fromStdString(match_.message()));
    setTextIfChanged(getPtLabel_, QString::fromStdString(match_.pointsText()));
    setTextIfChanged(panels_[2], QString::number(match_.score()));

    // The gauge's maximum always equals the value it was last filled to; an empty gauge
    // keeps a maximum of 1 so that the bar shows empty rather than busy.
    const int maximum = std::max(1, match_.comboWindowMax());
    if (progressBar_->maximum() != maximum)
        progressBar_->setMaximum(maximum);
    if (progressBar_->value() != match_.comboWindow())
        progressBar_->setValue(match_.comboWindow());

    const bool idle = match_.phase() == MatchPhase::Idle;
    mst_->setEnabled(idle);
    mrst_->setEnabled(!idle);
    mchrch_->setEnabled(idle);
}

// After every call that may have launched a strike or ended a pause: keeps the clock and
// the pause timer in step with the match.
void BattleWindow::afterInput() {
    showMatch();
    if (match_.pausing()) {
        timer2_.stop();
        if (!pauseTimer_.isActive())
            pauseTimer_.start(match_.pauseLength());
        // The outcome must be on screen for the whole pause, not at its end.
        client_->repaint();
    } else if (!match_.clockNeeded()) {
        timer2_.stop();
    } else if (!timer2_.isActive()) {
        timer2_.start(match_.tickInterval());
    }
}

void BattleWindow::mst_Click() {
    if (!isEnabled() || match_.phase() != MatchPhase::Idle)
        return;
    match_.start();
    afterInput();
}

void BattleWindow::mrst_Click() {
    if (!isEnabled() || match_.phase() == MatchPhase::Idle)
        return;
    emit restartRequested();
}

void BattleWindow::mwhis_Click() {
    if (!isEnabled())
        return;
    auto* screen = new TechniqueRecordWindow(match_.recordTable());
    connect(screen, &TechniqueRecordWindow::closed, this, [this] {
        // The clock runs on while the record is open, so the match may have ended meanwhile:
        // then the result screen is in front and this window stays disabled behind it.
        if (match_.phase() == MatchPhase::Ended)
            return;
        setEnabled(true);
        activateWindow();
        setFocus();
    });
    openSubScreen(screen);
}

void BattleWindow::mchrch_Click() {
    if (!isEnabled() || match_.phase() != MatchPhase::Idle)
        return;
    auto* screen = new CharacterSelectWindow(*this, this);
    connect(screen, &CharacterSelectWindow::confirmed, this, [this] { setEnabled(true); });
    openSubScreen(screen);
}

// Shows a screen that keeps this window disabled until the screen gives it back.
void BattleWindow::openSubScreen(QWidget* screen) {
    subScreen_ = screen;
    screen->show();
    screen->activateWindow();
    setEnabled(false);
}

void BattleWindow::mend_Click() {
    if (!isEnabled())
        return;
    emit quitRequested();
}

void BattleWindow::mab_Click() {
    if (!isEnabled())
        return;
    // Window-modal without a nested event loop: the clock and a quit signal carry on.
    auto* box = new QMessageBox(QMessageBox::NoIcon, QStringLiteral("制作"), aboutText(),
                                QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("AboutBox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void BattleWindow::mhelp_Click() {
    if (!isEnabled())
        return;
    emit helpRequested();
}

void BattleWindow::BtnLabel_Click(int index) {
    // A label-button repeats its menu command, and only while that command is available.
    QAction* const commands[] = {mst_, mwhis_, mchrch_, mend_};
    if (index >= 0 && index < 4 && commands[index]->isEnabled())
        commands[index]->trigger();
}

void BattleWindow::BtnLabel_MouseMove(int index) {
    for (int i = 0; i < 4; ++i)
        if (i != index)
            btnLabel_[i]->setHighlighted(false);
    btnLabel_[index]->setHighlighted(true);
}

void BattleWindow::Form_MouseMove() {
    for (LabelButton* button : btnLabel_)
        button->setHighlighted(false);
}

bool BattleWindow::eventFilter(QObject* watched, QEvent* event) {
    // During a match Enter belongs to the match even when a label-button has the focus:
    // it drops the typed sequence, and must not press the button instead.
    if (event->type() == QEvent::KeyPress && match_.phase() != MatchPhase::Idle &&
        std::find(btnLabel_.begin(), btnLabel_.end(), watched) != btnLabel_.end()) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            keyPressEvent(key);
            return true;
        }
    }
    // Only the bare background resets the label-buttons: moves over any other widget (which
    // reach the background too, passed on by the widget) leave the last highlight in place.
    if (watched == client_ && event->type() == QEvent::MouseMove) {
        const auto* move = static_cast<QMouseEvent*>(event);
        if (!client_->childAt(move->position().toPoint()))
            Form_MouseMove();
    }
    return QMainWindow::eventFilter(watched, event);
}

void BattleWindow::Form_KeyPress(char16_t key) {
    if (!isEnabled())
        return;
    match_.press(key);
    afterInput();
}

void BattleWindow::keyPressEvent(QKeyEvent* event) {
    // Keys are read as characters, so the main keyboard's digits and the keypad's are the
    // same; Enter on either block is character 13.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Form_KeyPress(Match::enterKey);
        return;
    }
    const QString text = event->text();
    if (text.isEmpty()) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    for (const QChar c : text)
        Form_KeyPress(c.unicode());
}

void BattleWindow::Timer2_Timer() {
    const TickEffect effect = match_.tick();
    if (!match_.clockNeeded())
        timer2_.stop();
    if (effect == TickEffect::Nothing)
        return;
    if (timer2_.interval() != match_.tickInterval())
        timer2_.setInterval(match_.tickInterval());
    showMatch();
    if (effect == TickEffect::MatchEnded) {
        setEnabled(false);
        emit matchEnded();
    }
}

void BattleWindow::endPause() {
    pauseTimer_.stop();
    match_.endPause();
    // The clock fell due while the outcome was on show: its tick comes right after the keys
    // typed meanwhile, so the combo window opens at once rather than one interval late.
    if (!match_.pausing())
        Timer2_Timer();
    afterInput();
}

void BattleWindow::setStatusText(const QString& text) {
    panels_[0]->setText(text);
}

void BattleWindow::setWindowLength(int length) {
    match_.setWindowLength(length);
}

void BattleWindow::setScoreMultiplier(double multiplier) {
    match_.setScoreMultiplier(multiplier);
}

void BattleWindow::setPortrait(const QString& pictureName) {
    portraitName_ = pictureName;
    chrImg_->setPixmap(Pictures::pixmap(pictureName, devicePixelRatioF()));
    chrImg_->setAccessibleName(Pictures::accessibleName(pictureName));
}

void BattleWindow::closeEvent(QCloseEvent* event) {
    // The window has no close button; a close from the window manager or the desktop
    // session ends the program the proper way, saving the record first.
    event->ignore();
    emit quitRequested();
}

} // namespace rz6
