#include "charselect/character_select_window.h"

#include "charselect/character_target.h"
#include "charselect/characters.h"
#include "common/accessibility.h"
#include "common/label_button.h"
#include "common/pictures.h"
#include "common/screen_units.h"
#include "common/tiled_background.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScreen>
#include <QWindow>

namespace rz6 {

namespace {

constexpr unsigned int windowBackColor = 0x00FFC0C0;
constexpr unsigned int optionRestColor = 0x00C0FFFF;  // light yellow
constexpr unsigned int optionHoverColor = 0x0080FF80; // light green
// Portrait boxes are opaque, so the ready portrait fully covers the resting one beneath it.
constexpr unsigned int portraitBackColor = 0x00FFF0F0;

struct Column {
    int left;
    int width;
    int height;
};
// The three character columns: the option button, then the portraits below it.
constexpr std::array<Column, characterCount> columns{{
    {720, 2160, 3360},
    {3600, 2160, 3360},
    {6480, 2175, 3375},
}};
constexpr std::array<const char*, characterCount> portraitBoxNames{"Picture1", "Picture2",
                                                                   "Picture3"};

QString text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString indexedName(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

// Writes the back colour only when it differs, so moving about repaints nothing. The colour
// goes on the widget's own background role: buttons fill theirs from Button, not Window.
void setBackColor(QWidget* widget, unsigned int color) {
    const QColor wanted = bgrColor(color);
    const QPalette::ColorRole role = widget->backgroundRole();
    if (widget->palette().color(role) == wanted)
        return;
    QPalette p = widget->palette();
    p.setColor(role, wanted);
    widget->setPalette(p);
}

} // namespace

CharacterSelectWindow::CharacterSelectWindow(CharacterTarget& target, QWidget* owner)
    : QWidget(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), target_(target),
      owner_(owner) {
    setObjectName(QStringLiteral("chrsel"));
    setWindowTitle(QStringLiteral("使用キャラ選択"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twips(9270), twips(6375));
    setMouseTracking(true);
    exposeAsScreen(this);
    setAutoFillBackground(true);
    setBackColor(this, windowBackColor);

    buildWidgets();

    tileBackground(this, tileHolder_->pixmap());
    choose(0);

    if (owner)
        connect(owner, &QObject::destroyed, this, [this] { ownerDestroyed(); });
}

void CharacterSelectWindow::ownerDestroyed() {
    // The target lives with its owner: say nothing more to it, not even on the way out.
    finished_ = true;
    hide();
    deleteLater();
}

void CharacterSelectWindow::buildWidgets() {
    const qreal dpr = devicePixelRatioF();

    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("Image1"));
    title_->setGeometry(twipsRect(1440, 0, 6000, 900));
    title_->setAlignment(Qt::AlignCenter);
    title_->setPixmap(Pictures::pixmap(QStringLiteral("title_character_select"), dpr));
    title_->setAccessibleName(QStringLiteral("きゃらせれくと"));

    QFont optionFont(QStringLiteral("ＭＳ Ｐ明朝"));
    optionFont.setBold(true);
    optionFont.setPointSizeF(14.25);

    for (int i = 0; i < characterCount; ++i) {
        const Character& c = character(i);
        const Column& column = columns[static_cast<std::size_t>(i)];

        auto* option = new QRadioButton(text(c.name), this);
        option->setObjectName(indexedName("Option1", i));
        option->setGeometry(twipsRect(column.left, 1320, 2175, 375));
        option->setFont(optionFont);
        option->setAutoFillBackground(true);
        setBackColor(option, optionRestColor);
        // The choice is made with the mouse or the window's own keys; a button never holds
        // the focus, so none shows a focus frame.
        option->setFocusPolicy(Qt::NoFocus);
        option->setMouseTracking(true);
        option->installEventFilter(this);
        connect(option, &QRadioButton::clicked, this, [this, i] { Option1_Click(i); });
        options_[static_cast<std::size_t>(i)] = option;

        const QRect box = twipsRect(column.left, 1800, column.width, column.height);
        const char* boxName = portraitBoxNames[static_cast<std::size_t>(i)];
        auto makePortrait = [&](int index, std::string_view picture, const QString& pose) {
            auto* label = new QLabel(this);
            label->setObjectName(indexedName(boxName, index));
            label->setGeometry(box);
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            label->setLineWidth(2);
            label->setAlignment(Qt::AlignCenter);
            label->setAutoFillBackground(true);
            setBackColor(label, portraitBackColor);
            label->setPixmap(Pictures::pixmap(text(picture), dpr));
            label->setAccessibleName(text(c.name) + pose);
            return label;
        };
        restPortraits_[static_cast<std::size_t>(i)] =
            makePortrait(0, c.restPicture, QStringLiteral("（平常）"));
        readyPortraits_[static_cast<std::size_t>(i)] =
            makePortrait(1, c.readyPicture, QStringLiteral("（構え）"));
    }
    // Focus that lands on an option button is parked here; it may hold it, the keys then
    // travel on to the window.
    restPortraits_[0]->setFocusPolicy(Qt::ClickFocus);

    tileHolder_ = new QLabel(this);
    tileHolder_->setObjectName(QStringLiteral("Picture1(2)"));
    tileHolder_->setGeometry(twipsRect(480, 5160, 300, 495));
    tileHolder_->setPixmap(Pictures::pixmap(QStringLiteral("tile"), dpr));
    tileHolder_->hide();

    confirmButton_ = new LabelButton(QStringLiteral("決　　定"), this);
    confirmButton_->setObjectName(QStringLiteral("Label1"));
    confirmButton_->setGeometry(twipsRect(3600, 5640, 2175, 375));
    QFont buttonFont(QStringLiteral("ＭＳ 明朝"));
    buttonFont.setBold(true);
    buttonFont.setPointSizeF(15.75);
    confirmButton_->setFont(buttonFont);
    connect(confirmButton_, &LabelButton::clicked, this, [this] { Label1_Click(); });
}

int CharacterSelectWindow::chosenIndex() const {
    for (int i = 0; i < characterCount; ++i) {
        if (options_[static_cast<std::size_t>(i)]->isChecked())
            return i;
    }
    return 0;
}

void CharacterSelectWindow::choose(int index) {
    options_[static_cast<std::size_t>(index)]->setChecked(true);
    Option1_Click(index);
}

void CharacterSelectWindow::Option1_Click(int index) {
    const Character& c = character(index);
    target_.setStatusText(text(c.statusText));
    target_.setWindowLength(c.windowLength);
    target_.setScoreMultiplier(c.scoreMultiplier);
    for (int i = 0; i < characterCount; ++i)
        readyPortraits_[static_cast<std::size_t>(i)]->setVisible(i == index);
}

void CharacterSelectWindow::Label1_Click() {
    close();
}

void CharacterSelectWindow::finish() {
    if (finished_)
        return;
    finished_ = true;
    target_.setPortrait(text(character(chosenIndex()).readyPicture));
    emit confirmed();
}

void CharacterSelectWindow::Option1_MouseMove(int index) {
    setBackColor(options_[static_cast<std::size_t>(index)], optionHoverColor);
}

void CharacterSelectWindow::Form_MouseMove() {
    confirmButton_->setHighlighted(false);
    for (QRadioButton* option : options_)
        setBackColor(option, optionRestColor);
}

void CharacterSelectWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Kept above the owner by the window system, as a dialog of it, before it is first mapped.
    if (owner_ && windowHandle())
        windowHandle()->setTransientParent(owner_->window()->windowHandle());
    if (centred_)
        return;
    centred_ = true;
    if (const QScreen* s = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(s->availableGeometry().center());
        move(frame.topLeft());
    }
}

void CharacterSelectWindow::closeEvent(QCloseEvent* event) {
    // Every way out confirms: "決　　定", the window frame, or the program closing it.
    finish();
    event->accept();
}

void CharacterSelectWindow::keyPressEvent(QKeyEvent* event) {
    const int current = chosenIndex();
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape: // leaving the screen keeps the choice, as every way out does
        Label1_Click();
        return;
    case Qt::Key_Left:
    case Qt::Key_Up:
        choose((current + characterCount - 1) % characterCount);
        return;
    case Qt::Key_Right:
    case Qt::Key_Down:
        choose((current + 1) % characterCount);
        return;
    default:
        break;
    }
    // Read as a character, so the keypad's digits work like the main keyboard's.
    const QString typed = event->text();
    if (typed.size() == 1 && typed[0] >= u'1' && typed[0] < QChar(u'1' + characterCount)) {
        choose(typed[0].unicode() - u'1');
        return;
    }
    QWidget::keyPressEvent(event);
}

void CharacterSelectWindow::mouseMoveEvent(QMouseEvent* event) {
    // Moves over the controls travel up here too; only the bare background resets the colours.
    if (childAt(event->position().toPoint()) == nullptr)
        Form_MouseMove();
    QWidget::mouseMoveEvent(event);
}

bool CharacterSelectWindow::eventFilter(QObject* watched, QEvent* event) {
    const int index = optionIndexOf(watched);
    if (index >= 0) {
        if (event->type() == QEvent::MouseMove)
            Option1_MouseMove(index);
        else if (event->type() == QEvent::FocusIn)
            restPortraits_[0]->setFocus(Qt::OtherFocusReason);
    }
    return QWidget::eventFilter(watched, event);
}

int CharacterSelectWindow::optionIndexOf(const QObject* object) const {
    for (int i = 0; i < characterCount; ++i) {
        if (options_[static_cast<std::size_t>(i)] == object)
            return i;
    }
    return -1;
}

} // namespace rz6
