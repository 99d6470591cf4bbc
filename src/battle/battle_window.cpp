// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "battle/battle_window.h"

#include "charselect/characters.h"
#include "common/accessibility.h"
#include "common/app_info.h"
#include "common/back_color.h"
#include "common/language.h"
#include "common/label_button.h"
#include "common/picture_label.h"
#include "common/pictures.h"
#include "common/qt_text.h"
#include "common/screen_units.h"
#include "common/tiled_background.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>

#include <algorithm>
#include <memory>

namespace rz6 {
namespace {

// The battle screen's layout: places in twips, colours as 0x00BBGGRR.
constexpr int clientWidth = 9270;
constexpr int clientHeight = 6030;
constexpr unsigned windowBack = 0x00FFC0C0;
constexpr unsigned panelFill = 0x00FF8080;
// A cell turns red once it is spent.
constexpr unsigned cellBack = 0x00C0FFFF;
constexpr unsigned cellSpentBack = 0x000000FF;
// The input turns pink while the combo window is open.
constexpr unsigned inputClosedBack = 0x00C0E0FF;
constexpr unsigned inputOpenBack = 0x00FFC0FF;
constexpr unsigned messageBack = 0x00C0FFC0;

// A fresh battle screen shows the first character until another is chosen.
constexpr const Character& firstCharacter = characters().front();
constexpr std::string_view firstPortrait = firstCharacter.readyPicture;

constexpr FontFace mincho12{"ＭＳ 明朝", 12};
constexpr FontFace turnsFont{"ＭＳ 明朝", 21.75};
constexpr FontFace cellFont{"ＭＳ Ｐ明朝", 26.25};
constexpr FontFace sequenceFont{"ＭＳ ゴシック", 24};
constexpr FontFace comboFont{"ＭＳ ゴシック", 21.75};
constexpr FontFace messageFont{"ＭＳ Ｐ明朝", 15.75, true, true};
constexpr FontFace pointsFont{"ＭＳ ゴシック", 18};

// The label-buttons BtnLabel(0..3) along the top; each repeats a menu command.
constexpr std::array<LabelButtonPlace, BattleWindow::buttonCount> buttonPlaces{{
    {QT_TRANSLATE_NOOP("rz6::BattleWindow", "試合開始"), {120, 240, 1335, 255}},
    {QT_TRANSLATE_NOOP("rz6::BattleWindow", "履　　　歴"), {1560, 240, 1335, 255}},
    {QT_TRANSLATE_NOOP("rz6::BattleWindow", "キャラ選択"), {3000, 240, 1335, 255}},
    {QT_TRANSLATE_NOOP("rz6::BattleWindow", "終　　　了"), {4440, 240, 1335, 255}},
}};

// The pictures, labels and shapes of the client area, in the order they are stacked from
// the bottom up. A piece with an index is a member of a widget array, Name(index).
enum class PieceKind {
    Picture, // content: the picture's name
    Label,   // content: its first text
    Shape,   // a filled panel on the window's surface, under every other piece
    Line,    // a one-pixel line of the board's frame, over the cells
};
// The pieces the window changes after they are built; the window keeps each as it makes it.
enum class PieceRole {
    None,
    Turns,
    Portrait,
    KeypadMark,
    Cell,
    Sequence,
    Combo,
    Message,
    Points,
    TileHolder
};
struct Piece {
    PieceKind kind = PieceKind::Picture;
    std::string_view name;
    int index = -1;
    TwipsBox box;
    std::string_view content;
    unsigned color = 0;
    FontFace font;
    Qt::AlignmentFlag alignment = Qt::AlignLeft;
    bool sunken = false;
    // What a state label shows, for the accessibility bus; the cells and the input have
    // descriptions that change with the match and get them from showMatch.
    std::string_view description;
    PieceRole role = PieceRole::None;
};

constexpr Piece withRole(Piece piece, PieceRole role) {
    piece.role = role;
    return piece;
}

constexpr Piece picture(std::string_view name, int index, TwipsBox box,
                        std::string_view pictureName) {
    Piece piece;
    piece.name = name;
    piece.index = index;
    piece.box = box;
    piece.content = pictureName;
    return piece;
}

constexpr Piece shape(PieceKind kind, std::string_view name, int index, TwipsBox box,
                      unsigned color) {
    Piece piece = picture(name, index, box, {});
    piece.kind = kind;
    piece.color = color;
    return piece;
}

constexpr Piece label(std::string_view name, int index, TwipsBox box, std::string_view text,
                      unsigned back, FontFace font, Qt::AlignmentFlag alignment, bool sunken,
                      std::string_view description = {}) {
    Piece piece = shape(PieceKind::Label, name, index, box, back);
    piece.content = text;
    piece.font = font;
    piece.alignment = alignment;
    piece.sunken = sunken;
    piece.description = description;
    return piece;
}

constexpr Piece turnsPiece =
    withRole(label("TurnLabel", -1, {8520, 240, 525, 435}, "10", windowBack, turnsFont,
                   Qt::AlignHCenter, false, QT_TRANSLATE_NOOP("rz6::BattleWindow", "残りターン")),
             PieceRole::Turns);

// The keypad marks Image1(1..9), each showing keypad_<digit>: 7 8 9 on the top row, 1 2 3
// at the bottom.
constexpr Piece keypadMark(int digit) {
    const int column = (digit - 1) % 3;
    const int row = 2 - (digit - 1) / 3;
    return withRole(
        picture("Image1", digit, {4320 + 720 * column, 1440 + 600 * row, 450, 450}, "keypad"),
        PieceRole::KeypadMark);
}

// The board Label1(0..15), four rows of four cells.
constexpr Piece boardCell(int cell) {
    return withRole(label("Label1", cell,
                          {6720 + 480 * (cell % 4), 1320 + 480 * (cell / 4), 495, 495}, "1",
                          cellBack, cellFont, Qt::AlignHCenter, false),
                    PieceRole::Cell);
}

constexpr std::array<Piece, 6> upperPieces{
    picture("Image3", -1, {6000, 240, 2250, 450}, "heading_turns_left"),
    turnsPiece,
    picture("Image4", -1, {750, 840, 2250, 450}, "heading_character"),
    shape(PieceKind::Shape, "Shape1", 1, {450, 1080, 2895, 3855}, panelFill),
    withRole(picture("ChrImg", -1, {840, 1440, 2100, 3300}, firstPortrait), PieceRole::Portrait),
    shape(PieceKind::Shape, "Shape1", 0, {3960, 1080, 5055, 2415}, panelFill),
};

// The board's frame: light from the top left, shadow on the bottom right.
constexpr std::array<Piece, 4> boardEdges{
    shape(PieceKind::Line, "Line1", -1, {6720, 1320, 15, 1935}, 0x00FFFFFF),
    shape(PieceKind::Line, "Line2", -1, {6720, 1320, 1935, 15}, 0x00FFFFFF),
    shape(PieceKind::Line, "Line3", -1, {6720, 3240, 1935, 15}, 0x00000000),
    shape(PieceKind::Line, "Line4", -1, {8640, 1320, 15, 1935}, 0x00000000),
};

constexpr std::array<Piece, 5> lowerPieces{
    withRole(label("InputLabel", -1, {3960, 3720, 2775, 495}, {}, inputClosedBack, sequenceFont,
                   Qt::AlignLeft, true),
             PieceRole::Sequence),
    withRole(label("RenLabel", -1, {6840, 3720, 2295, 495}, {}, 0x00FFFFC0, comboFont,
                   Qt::AlignRight, true, QT_TRANSLATE_NOOP("rz6::BattleWindow", "連撃")),
             PieceRole::Combo),
    withRole(label("MesLabel", -1, {3960, 4440, 2775, 495}, {}, messageBack, messageFont,
                   Qt::AlignHCenter, true, QT_TRANSLATE_NOOP("rz6::BattleWindow", "メッセージ")),
             PieceRole::Message),
    withRole(label("GetPtLabel", -1, {6840, 4440, 2295, 495}, {}, messageBack, pointsFont,
                   Qt::AlignRight, true, QT_TRANSLATE_NOOP("rz6::BattleWindow", "得点")),
             PieceRole::Points),
    // Holds the background tile; never shown.
    withRole(picture("Picture1", -1, {3480, 3720, 300, 495}, "tile"), PieceRole::TileHolder),
};

constexpr auto allPieces = [] {
    std::array<Piece,
               upperPieces.size() + 9 + Match::cellCount + boardEdges.size() + lowerPieces.size()>
        all{};
    std::size_t n = 0;
    for (const Piece& piece : upperPieces)
        all[n++] = piece;
    for (int digit = 1; digit <= 9; ++digit)
        all[n++] = keypadMark(digit);
    for (int cell = 0; cell < Match::cellCount; ++cell)
        all[n++] = boardCell(cell);
    for (const Piece& piece : boardEdges)
        all[n++] = piece;
    for (const Piece& piece : lowerPieces)
        all[n++] = piece;
    return all;
}();

constexpr TwipsBox gaugeBox{0, 5160, 9255, 495};
constexpr TwipsBox statusBarBox{0, 5655, 9270, 375};
constexpr std::array<int, BattleWindow::statusPanelCount> statusPanelWidths{2400, 800, 1600};

const QString firstCharacterStatus = fromUtf8(statusText(firstCharacter));

// A status text as the rules write it ("使用キャラ　:　灰原　蓮"), in the player's language.
QString translatedStatus(const QString& status) {
    for (const Character& c : characters())
        if (status == fromUtf8(statusText(c)))
            return BattleWindow::tr("使用キャラ　:　%1").arg(translatedText("Game", c.name));
    return status;
}

// The combo count as the rules write it ("3連撃"), in the player's language.
QString translatedCombo(const std::string& comboText) {
    const QString text = QString::fromStdString(comboText);
    const QString suffix = QStringLiteral("連撃");
    if (!text.endsWith(suffix))
        return text;
    return BattleWindow::tr("%1連撃").arg(text.chopped(suffix.size()));
}

// The battle message (a technique's name, what a failed strike did, or a miss and its digit:
// "空振 5"), in the player's language.
QString translatedMessage(const std::string& message) {
    if (message.empty())
        return {};
    const std::size_t missDigit = message.find_last_not_of("0123456789") + 1;
    if (missDigit > 0 && missDigit < message.size())
        return translatedText("Game", message.substr(0, missDigit)) +
               QString::fromStdString(message.substr(missDigit));
    return translatedText("Game", message);
}

// The About box: the version line, the credits of the team that made this game with how to
// reach it, where each release is published, and the copyright with the licence. In English
// the game's English name leads and the Japanese title stands beside it.
QString aboutText() {
    const bool english = currentLanguage() == Language::English;
    const QString team = fromUtf8(english ? appInfo::teamEnglish : appInfo::team);
    const QString versionLine =
        english ? QStringLiteral("%1 (%2), version %3")
                      .arg(fromUtf8(appInfo::englishTitle), fromUtf8(appInfo::aboutTitle),
                           fromUtf8(appInfo::version))
                : fromUtf8(appInfo::aboutVersionLine);
    return QStringList{
        versionLine,
        QString(),
        BattleWindow::tr("制作　%1（%2）").arg(team, fromUtf8(appInfo::contact)),
        BattleWindow::tr("作画　%1　美術係").arg(team),
        BattleWindow::tr("設定　%1　設定係").arg(team),
        QString(),
        BattleWindow::tr("最新版　%1").arg(fromUtf8(appInfo::releasesUrl)),
        BattleWindow::tr("© %1　%2　%3 ライセンス")
            .arg(fromUtf8(appInfo::copyrightYear), team, fromUtf8(appInfo::licenseName)),
    }
        .join(QLatin1Char('\n'));
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
    const QString place = BattleWindow::tr("盤 %1行%2列").arg(cell / 4 + 1).arg(cell % 4 + 1);
    return spent ? place + BattleWindow::tr("（使用済み）") : place;
}

// The combo window is shown by the input's pink colour; the bus hears it here.
QString inputDescription(bool windowOpen) {
    return windowOpen ? BattleWindow::tr("入力（連撃受付中）") : BattleWindow::tr("入力");
}

// The outcome on screen as one phrase: the message and the points it shows, the combo count
// of a strike that carried the combo on and, when the strike spent a turn, the turns left.
// "金剛撃、100点、残り9ターン", "旋風斬、100点、2連撃", "姿勢を崩した！、-50点".
QString outcomePhrase(const Match& match, const StrikeResult& result) {
    QStringList parts{translatedMessage(match.message())};
    if (!match.pointsText().empty())
        parts << BattleWindow::tr("%1点").arg(QString::fromStdString(match.pointsText()));
    const bool scored =
        result.outcome == StrikeOutcome::Technique || result.outcome == StrikeOutcome::Counter;
    if (scored && !match.comboText().empty())
        parts << translatedCombo(match.comboText());
    if (result.turnSpent)
        parts << BattleWindow::tr("残り%1ターン").arg(result.turnsLeft);
    return parts.join(BattleWindow::tr("、"));
}

QString pieceName(const Piece& piece) {
    return piece.index < 0 ? fromUtf8(piece.name) : indexedName(piece.name, piece.index);
}

QLabel* makeLabel(QWidget* parent, const Piece& piece) {
    auto* label = new QLabel(fromUtf8(piece.content), parent);
    label->setFont(designFont(piece.font));
    label->setAlignment(piece.alignment | Qt::AlignVCenter);
    if (piece.sunken)
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setBackColor(label, piece.color);
    if (!piece.description.empty())
        label->setAccessibleDescription(BattleWindow::tr(piece.description.data()));
    return label;
}

// The picture a piece shows: its content, and for an array member its index ("keypad_7").
QString pictureName(const Piece& piece) {
    return piece.index < 0 ? fromUtf8(piece.content)
                           : QStringLiteral("%1_%2").arg(fromUtf8(piece.content)).arg(piece.index);
}

QLabel* makePicture(QWidget* parent, const Piece& piece) {
    const QString picture = pictureName(piece);
    auto* label = new PictureLabel(parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setPixmap(Pictures::pixmap(picture, parent->devicePixelRatioF()));
    label->setAccessibleName(Pictures::accessibleName(picture));
    return label;
}

QWidget* makeShape(QWidget* parent, const Piece& piece) {
    auto* shape = new QWidget(parent);
    setBackColor(shape, piece.color);
    // Shapes are drawn on the window's surface: the pointer over them is over the bare
    // background. Panels lie under every other widget; the board's lines over its cells.
    shape->setAttribute(Qt::WA_TransparentForMouseEvents);
    if (piece.kind == PieceKind::Shape)
        shape->lower();
    return shape;
}

QWidget* makePiece(QWidget* parent, const Piece& piece) {
    QWidget* widget = piece.kind == PieceKind::Picture ? makePicture(parent, piece)
                      : piece.kind == PieceKind::Label ? makeLabel(parent, piece)
                                                       : makeShape(parent, piece);
    widget->setObjectName(pieceName(piece));
    widget->setGeometry(twipsRect(piece.box));
    return widget;
}

} // namespace

BattleWindow::BattleWindow(MatchSession& session, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      session_(&session), scanCodes_(scanCodesOf(QGuiApplication::platformName().toStdString())) {
    setObjectName(QStringLiteral("rz6"));
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
    retranslate();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    tileBackground(client_, Pictures::pixmap(QStringLiteral("tile"), devicePixelRatioF()));
    // Disabled behind another screen, the battle screen stays exactly as it was.
    keepLookWhenDisabled(client_);

    // From here on the window shows every step of the session.
    session_->listen(*this);
    showMatch();
}

BattleWindow::~BattleWindow() {
    session_->stopListening(*this);
}

void BattleWindow::showSession(MatchSession& session) {
    session_->stopListening(*this);
    session_ = &session;
    session_->listen(*this);
}

void BattleWindow::startFresh(MatchSession& session) {
    showSession(session);
    clearHighlights();
    setEnabled(true);
    showMatch();
}

void BattleWindow::showCharacter(const QString& status, const QString& portraitName) {
    statusSource_ = status;
    statusPanels_[0]->setText(translatedStatus(status));
    if (portraitName != portraitName_)
        showPortrait(portraitName);
}

void BattleWindow::buildMenus() {
    auto action = [this](QMenu* menu, const char* name) {
        QAction* a = menu->addAction(QString());
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    fileMenu_ = menuBar()->addMenu(QString());
    fileMenu_->setObjectName(QStringLiteral("mfile"));
    startAction_ = action(fileMenu_, "mst");
    startAction_->setShortcut(QKeySequence(Qt::Key_F5));
    restartAction_ = action(fileMenu_, "mrst");
    restartAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    fileMenu_->addSeparator()->setObjectName(QStringLiteral("mline1"));
    recordAction_ = action(fileMenu_, "mwhis");
    historyAction_ = action(fileMenu_, "mseki");
    historyAction_->setShortcut(QKeySequence(Qt::Key_F6));
    quitAction_ = action(fileMenu_, "mend");

    optionsMenu_ = menuBar()->addMenu(QString());
    optionsMenu_->setObjectName(QStringLiteral("mopt"));
    characterAction_ = action(optionsMenu_, "mchrch");
    effectsMenu_ = optionsMenu_->addMenu(QString());
    effectsMenu_->setObjectName(QStringLiteral("mmus"));
    // WAV and MIDI were never part of this game: the items stay visible and disabled. The
    // game's own sounds come with 効果音, on until the player turns them off.
    action(effectsMenu_, "mwav")->setText(QStringLiteral("WAV"));
    effectsMenu_->actions().constLast()->setEnabled(false);
    action(effectsMenu_, "mmidi")->setText(QStringLiteral("MIDI"));
    effectsMenu_->actions().constLast()->setEnabled(false);
    soundEffectsAction_ = action(effectsMenu_, "msound");
    soundEffectsAction_->setCheckable(true);
    soundEffectsAction_->setChecked(true);
    connect(soundEffectsAction_, &QAction::triggered, this, &BattleWindow::soundEffectsChosen);
    // The language: its caption is in both languages, so that a player who reads only one
    // of them finds it; each language is named in itself.
    languageMenu_ = optionsMenu_->addMenu(QStringLiteral("言語 / Language"));
    languageMenu_->setObjectName(QStringLiteral("mlang"));
    auto* languages = new QActionGroup(this);
    const std::pair<const char*, LanguageChoice> languageItems[] = {
        {"mlangja", LanguageChoice::Japanese},
        {"mlangen", LanguageChoice::English},
        {"mlangdesktop", LanguageChoice::Desktop},
    };
    for (const auto& [name, choice] : languageItems) {
        QAction* item = action(languageMenu_, name);
        item->setCheckable(true);
        item->setChecked(choice == LanguageChoice::Desktop);
        languages->addAction(item);
        languageActions_[static_cast<std::size_t>(choice)] = item;
        connect(item, &QAction::triggered, this, [this, choice] { emit languageChosen(choice); });
    }
    languageActions_[static_cast<std::size_t>(LanguageChoice::Japanese)]->setText(
        QStringLiteral("日本語"));
    languageActions_[static_cast<std::size_t>(LanguageChoice::English)]->setText(
        QStringLiteral("English"));

    aboutAction_ = menuBar()->addAction(QString());
    aboutAction_->setObjectName(QStringLiteral("mab"));
    // The rules, beside the credits: F1 as on any desktop.
    helpAction_ = menuBar()->addAction(QString());
    helpAction_->setObjectName(QStringLiteral("mhelp"));
    helpAction_->setShortcut(QKeySequence(Qt::Key_F1));

    // F10 opens the first menu, as on the other Linux desktops; Alt and the menus' own
    // keys work as before.
    auto* menuKey = new QAction(this);
    menuKey->setObjectName(QStringLiteral("menuKey"));
    menuKey->setShortcut(QKeySequence(Qt::Key_F10));
    addAction(menuKey);
    connect(menuKey, &QAction::triggered, this, [this] {
        if (isEnabled())
            menuBar()->setActiveAction(menuBar()->actions().constFirst());
    });

    connect(startAction_, &QAction::triggered, this, &BattleWindow::startMatch);
    connect(restartAction_, &QAction::triggered, this, &BattleWindow::restartMatch);
    connect(recordAction_, &QAction::triggered, this, &BattleWindow::showRecord);
    connect(historyAction_, &QAction::triggered, this, &BattleWindow::showHistory);
    connect(quitAction_, &QAction::triggered, this, &BattleWindow::quitGame);
    connect(characterAction_, &QAction::triggered, this, &BattleWindow::chooseCharacter);
    connect(aboutAction_, &QAction::triggered, this, &BattleWindow::showAbout);
    connect(helpAction_, &QAction::triggered, this, &BattleWindow::showHelp);
}

// Writes every fixed text of the window in the player's language: the menus, the
// label-buttons, the status bar and what the bus says about each state label. The match's
// own texts follow in showMatch.
void BattleWindow::retranslate() {
    setWindowTitle(replay_ ? replayTitle_ : gameTitle());
    fileMenu_->setTitle(tr("試合"));
    startAction_->setText(tr("開始"));
    restartAction_->setText(tr("再試"));
    recordAction_->setText(tr("履歴"));
    historyAction_->setText(tr("戦績"));
    quitAction_->setText(tr("終了"));
    optionsMenu_->setTitle(tr("設定"));
    characterAction_->setText(tr("使用キャラ"));
    effectsMenu_->setTitle(tr("効果"));
    soundEffectsAction_->setText(tr("効果音"));
    languageActions_[static_cast<std::size_t>(LanguageChoice::Desktop)]->setText(
        tr("デスクトップの言語"));
    aboutAction_->setText(tr("制作"));
    helpAction_->setText(tr("遊び方"));

    for (std::size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->setCaption(tr(buttonPlaces[i].text.data()));
    for (const Piece& piece : allPieces) {
        if (!piece.description.empty())
            client_->findChild<QWidget*>(pieceName(piece))
                ->setAccessibleDescription(tr(piece.description.data()));
        // Pictures are told in the player's language, and the headings carry lettering drawn
        // for each language.
        if (piece.kind == PieceKind::Picture && piece.role != PieceRole::TileHolder &&
            piece.role != PieceRole::Portrait) {
            auto* picture = client_->findChild<QLabel*>(pieceName(piece));
            const QString name = pictureName(piece);
            picture->setPixmap(Pictures::pixmap(name, devicePixelRatioF()));
            picture->setAccessibleName(Pictures::accessibleName(name));
        }
    }
    showPortrait(portraitName_);
    comboGauge_->setAccessibleName(tr("連撃ゲージ"));
    statusBar_->setAccessibleName(tr("ステータスバー"));
    statusPanels_[0]->setText(translatedStatus(statusSource_));
    statusPanels_[1]->setText(tr("評価"));
    statusPanels_[2]->setAccessibleDescription(tr("得点"));
    // An About box left open speaks the new language too.
    for (QMessageBox* box :
         findChildren<QMessageBox*>(QStringLiteral("AboutBox"), Qt::FindDirectChildrenOnly)) {
        box->setWindowTitle(tr("制作"));
        box->setText(aboutText());
    }
    showMatch();
    if (replay_)
        emit replayTextsNeeded();
}

void BattleWindow::enterReplayMode() {
    replay_ = true;
    setAttribute(Qt::WA_DeleteOnClose);
    menuBar()->hide();
    // Every command off, their shortcuts with them.
    for (QAction* action : findChildren<QAction*>())
        action->setEnabled(false);
    for (LabelButton* button : buttons_)
        button->hide();
    // A line of its own under the status bar, the width of the window: the replay's state and
    // its keys.
    setWindowFlag(Qt::WindowCloseButtonHint);
    client_->setFixedSize(twips(clientWidth), twips(clientHeight + statusBarBox.height));
    replayPanel_ = new QLabel(client_);
    replayPanel_->setObjectName(QStringLiteral("ReplayPanel"));
    replayPanel_->setGeometry(1, twips(clientHeight) + 1, twips(clientWidth) - 2,
                              twips(statusBarBox.height) - 2);
    replayPanel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    replayPanel_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    replayPanel_->setIndent(3);
    setBackColor(replayPanel_, QApplication::palette().color(QPalette::Window));
    replayPanel_->show();
    showMatch();
    emit replayTextsNeeded();
}

void BattleWindow::setReplayTexts(const QString& title, const QString& status) {
    replayTitle_ = title;
    setWindowTitle(title);
    if (replayPanel_)
        setTextIfChanged(replayPanel_, status);
}

void BattleWindow::setLanguageChoice(LanguageChoice choice) {
    languageActions_[static_cast<std::size_t>(choice)]->setChecked(true);
}

void BattleWindow::setSoundEffects(bool on) {
    soundEffectsAction_->setChecked(on);
}

void BattleWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange && fileMenu_)
        retranslate();
    QMainWindow::changeEvent(event);
}

void BattleWindow::buildWidgets(QWidget* client) {
    for (int i = 0; i < static_cast<int>(buttonPlaces.size()); ++i) {
        LabelButton* button = makeLabelButton(client, "BtnLabel", i,
                                              buttonPlaces[static_cast<std::size_t>(i)], mincho12);
        connect(button, &LabelButton::clicked, this, [this, i] { pressButton(i); });
        connect(button, &LabelButton::pointerMoved, this, [this, i] { highlightButton(i); });
        button->installEventFilter(this);
        buttons_[static_cast<std::size_t>(i)] = button;
    }
    for (const Piece& piece : allPieces) {
        QWidget* widget = makePiece(client, piece);
        auto* label = qobject_cast<QLabel*>(widget);
        const auto index = static_cast<std::size_t>(piece.index);
        switch (piece.role) {
        case PieceRole::None:
            break;
        case PieceRole::Turns:
            turnsLabel_ = label;
            turnsLabel_->adjustSize(); // sized to its text, anchored at its left edge
            break;
        case PieceRole::Portrait:
            portrait_ = label;
            break;
        case PieceRole::KeypadMark:
            keypadMarks_.at(index) = label;
            break;
        case PieceRole::Cell:
            cells_.at(index) = label;
            break;
        case PieceRole::Sequence:
            sequenceLabel_ = label;
            break;
        case PieceRole::Combo:
            comboLabel_ = label;
            break;
        case PieceRole::Message:
            messageLabel_ = label;
            break;
        case PieceRole::Points:
            pointsLabel_ = label;
            break;
        case PieceRole::TileHolder:
            widget->hide();
            break;
        }
    }

    comboGauge_ = new QProgressBar(client);
    comboGauge_->setObjectName(QStringLiteral("ProgressBar1"));
    comboGauge_->setGeometry(twipsRect(gaugeBox));
    comboGauge_->setTextVisible(false);

    auto* statusBar = statusBar_ = new QFrame(client);
    statusBar->setObjectName(QStringLiteral("StatusBar1"));
    statusBar->setGeometry(twipsRect(statusBarBox));
    exposeAsStatusBar(statusBar);
    announcer_ = std::make_unique<Announcer>(statusBar, false);
    // A status bar has the desktop's own face, not the window's tiled background.
    setBackColor(statusBar, QApplication::palette().color(QPalette::Window));
    statusSource_ = firstCharacterStatus;
    portraitName_ = fromUtf8(firstPortrait);
    int left = 0;
    for (std::size_t i = 0; i < statusPanels_.size(); ++i) {
        auto* panel = new QLabel(statusBar);
        panel->setObjectName(indexedName("Panel", static_cast<int>(i) + 1));
        panel->setGeometry(twips(left) + 1, 2, twips(statusPanelWidths[i]) - 2,
                           twips(statusBarBox.height) - 3);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        panel->setIndent(3);
        statusPanels_[i] = panel;
        left += statusPanelWidths[i];
    }
}

// Copies the whole visible state of the match into the widgets. Only what changed is
// written, so calling it after every event costs next to nothing.
void BattleWindow::showMatch() {
    const Match& match = session_->match();
    for (int i = 0; i < Match::cellCount; ++i) {
        setTextIfChanged(cells_[i], QString::number(match.cellDigit(i)));
        setBackColor(cells_[i], match.cellSpent(i) ? cellSpentBack : cellBack);
        setDescriptionIfChanged(cells_[i], cellDescription(i, match.cellSpent(i)));
    }
    for (int digit = 1; digit <= 9; ++digit)
        keypadMarks_[digit]->setVisible(match.keypadShown(digit));

    if (turnsLabel_->text() != QString::number(match.turnsLeft())) {
        turnsLabel_->setText(QString::number(match.turnsLeft()));
        turnsLabel_->adjustSize(); // sized to its text, anchored at its left edge
    }
    setTextIfChanged(sequenceLabel_, QString::fromStdString(match.inputText()));
    setBackColor(sequenceLabel_, match.windowOpen() ? inputOpenBack : inputClosedBack);
    setDescriptionIfChanged(sequenceLabel_, inputDescription(match.windowOpen()));
    setTextIfChanged(comboLabel_, translatedCombo(match.comboText()));
    setTextIfChanged(messageLabel_, translatedMessage(match.message()));
    setTextIfChanged(pointsLabel_, QString::fromStdString(match.pointsText()));
    setTextIfChanged(statusPanels_[2], QString::number(match.score()));

    // The gauge's maximum always equals the value it was last filled to; an empty gauge
    // keeps a maximum of 1 so that the bar shows empty rather than busy.
    const int maximum = std::max(1, match.comboWindowMax());
    if (comboGauge_->maximum() != maximum)
        comboGauge_->setMaximum(maximum);
    if (comboGauge_->value() != match.comboWindow())
        comboGauge_->setValue(match.comboWindow());

    const bool idle = match.phase() == MatchPhase::Idle;
    startAction_->setEnabled(!replay_ && idle);
    restartAction_->setEnabled(!replay_ && !idle);
    characterAction_->setEnabled(!replay_ && idle);
}

// After every step of the session: the screen shows it, a strike's outcome is drawn at once
// for the whole pause, a finished match leaves this window disabled, and the screen reader
// hears what the last strike or Enter of the step did.
void BattleWindow::matchUpdated(const MatchSession&, const MatchUpdate& update) {
    showMatch();
    // Drawn once as the pause starts: keys typed meanwhile only queue and change nothing on
    // show, so a burst of them must not redraw the whole window for every key.
    if (update.pauseStarted)
        client_->repaint();
    if (update.ended && !replay_)
        setEnabled(false);
    if (!update.outcomes.empty())
        speak(update.outcomes.back());
}

void BattleWindow::startMatch() {
    if (isEnabled() && session_->phase() == MatchPhase::Idle)
        session_->start();
}

// Asks the program object for something, only while this window takes input and the match
// is in a phase that offers it.
void BattleWindow::request(bool offered, void (BattleWindow::*signal)()) {
    if (isEnabled() && offered)
        emit(this->*signal)();
}

void BattleWindow::restartMatch() {
    request(session_->phase() != MatchPhase::Idle, &BattleWindow::restartRequested);
}

void BattleWindow::showRecord() {
    request(true, &BattleWindow::recordRequested);
}

void BattleWindow::showHistory() {
    request(true, &BattleWindow::historyRequested);
}

void BattleWindow::chooseCharacter() {
    request(session_->phase() == MatchPhase::Idle, &BattleWindow::characterSelectRequested);
}

void BattleWindow::quitGame() {
    request(true, &BattleWindow::quitRequested);
}

void BattleWindow::showAbout() {
    if (!isEnabled())
        return;
    // Owned by this window, which keeps it in front, and without a nested event loop: the
    // clock and a quit signal carry on. It only informs, so it blocks nothing: modal, it would
    // block every screen this window owns, the result screen of a match ending behind it too.
    auto* box =
        new QMessageBox(QMessageBox::NoIcon, tr("制作"), aboutText(), QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("AboutBox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    // Not modal, so nothing activates it on its own: it takes the keyboard (and a screen
    // reader's attention) as it opens.
    box->show();
    box->activateWindow();
}

void BattleWindow::showHelp() {
    request(true, &BattleWindow::helpRequested);
}

void BattleWindow::pressButton(int index) {
    // A label-button repeats its menu command, and only while that command is available.
    QAction* const commands[] = {startAction_, recordAction_, characterAction_, quitAction_};
    if (index >= 0 && index < buttonCount && commands[index]->isEnabled())
        commands[index]->trigger();
}

void BattleWindow::highlightButton(int index) {
    for (int i = 0; i < buttonCount; ++i)
        if (i != index)
            buttons_[i]->setHighlighted(false);
    buttons_[index]->setHighlighted(true);
}

void BattleWindow::clearHighlights() {
    for (LabelButton* button : buttons_)
        button->setHighlighted(false);
}

bool BattleWindow::eventFilter(QObject* watched, QEvent* event) {
    // During a match Enter belongs to the match even when a label-button has the focus:
    // it drops the typed sequence, and must not press the button instead.
    if (event->type() == QEvent::KeyPress && session_->phase() != MatchPhase::Idle &&
        std::find(buttons_.begin(), buttons_.end(), watched) != buttons_.end()) {
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
            clearHighlights();
    }
    return QMainWindow::eventFilter(watched, event);
}

void BattleWindow::pressKey(char16_t key) {
    if (isEnabled())
        session_->press(key);
}

// Called once the screen shows the outcome, so the phrase and the picture agree.
void BattleWindow::speak(const StrikeResult& result) {
    announcer_->announce(outcomePhrase(session_->match(), result));
}

void BattleWindow::keyPressEvent(QKeyEvent* event) {
    if (replay_) {
        const KeyStroke stroke{event->nativeScanCode(), event->text().toStdU16String(), false};
        const std::optional<char16_t> digit = strikeDigit(stroke, scanCodes_);
        emit replayKeyPressed(digit ? Qt::Key_0 + (*digit - u'0') : event->key());
        return;
    }
    // Enter on either block is character 13.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        pressKey(Match::enterKey);
        return;
    }
    // A digit is read from the key's place on the number row or the keypad, whatever the
    // layout makes of it (strikeDigit), so the main keyboard's digits and the keypad's are
    // the same. Keys held with Ctrl, Alt or Meta are commands and never strike.
    const QString text = event->text();
    const KeyStroke stroke{
        event->nativeScanCode(), text.toStdU16String(),
        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0};
    if (const std::optional<char16_t> digit = strikeDigit(stroke, scanCodes_)) {
        pressKey(*digit);
        return;
    }
    if (stroke.shortcut || text.isEmpty()) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    // Any other character goes to the match as it is, which takes only digits from it.
    for (const QChar c : text)
        pressKey(c.unicode());
}

void BattleWindow::showPortrait(const QString& pictureName) {
    portraitName_ = pictureName;
    portrait_->setPixmap(Pictures::pixmap(pictureName, devicePixelRatioF()));
    portrait_->setAccessibleName(Pictures::accessibleName(pictureName));
}

void BattleWindow::closeEvent(QCloseEvent* event) {
    // A replay's window only closes, and gives the keyboard back to the screen it was opened
    // over (戦績), on the control that opened it; left to the window system, the keys would go
    // to whatever window is under the pointer, or to the battle window, disabled behind 戦績.
    if (replay_) {
        event->accept();
        if (QWidget* opener = parentWidget())
            opener->activateWindow();
        return;
    }
    // The window has no close button; a close from the window manager or the desktop
    // session ends the program the proper way, saving the record first.
    event->ignore();
    emit quitRequested();
}

} // namespace rz6
