#include "battle/game_program.h"

#include "battle/battle_window.h"
#include "result/result_window.h"
#include "save/record_file.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

namespace rz6 {

GameProgram::GameProgram(const QString& recordPath, RandomSource& random, Reporter reporter)
    : recordFile_(std::make_unique<RecordFile>(recordPath)), random_(random),
      reporter_(std::move(reporter)) {}

GameProgram::~GameProgram() {
    if (helpWindow_)
        delete helpWindow_.data();
    if (resultWindow_)
        delete resultWindow_.data();
    if (battleWindow_)
        destroyBattleWindow();
}

void GameProgram::start() {
    loadRecord();
    buildBattleWindow();
}

void GameProgram::buildBattleWindow() {
    battleWindow_ = new BattleWindow(recordTable_, random_);
    // Queued: the window asks from inside its own handlers, and must not be destroyed there.
    connect(battleWindow_, &BattleWindow::restartRequested, this, &GameProgram::rebuildBattleWindow,
            Qt::QueuedConnection);
    connect(battleWindow_, &BattleWindow::quitRequested, this, &GameProgram::quit,
            Qt::QueuedConnection);
    connect(battleWindow_, &BattleWindow::matchEnded, this, &GameProgram::openResultWindow,
            Qt::QueuedConnection);
    connect(battleWindow_, &BattleWindow::helpRequested, this, &GameProgram::openHelpWindow);
    // Centred on the screen, as every battle screen opens.
    battleWindow_->adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = battleWindow_->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        battleWindow_->move(frame.topLeft());
    }
    battleWindow_->show();
    battleWindow_->activateWindow();
    battleWindow_->setFocus();
}

bool GameProgram::destroyBattleWindow() {
    delete battleWindow_.data();
    return saveRecord();
}

void GameProgram::rebuildBattleWindow() {
    if (finished_)
        return;
    // The fresh window reads back what was just written. When the save failed, the record
    // in memory is the only whole copy of this run's landings: keep it rather than read
    // the older file over it.
    if (destroyBattleWindow())
        loadRecord();
    buildBattleWindow();
}

void GameProgram::openResultWindow() {
    if (!battleWindow_ || resultWindow_)
        return;
    const Match& match = battleWindow_->match();
    resultWindow_ = new ResultWindow(match.score(), match.usedThisMatch(), recordTable_);
    connect(resultWindow_, &ResultWindow::rematchRequested, this, &GameProgram::rematch,
            Qt::QueuedConnection);
    connect(resultWindow_, &ResultWindow::quitRequested, this, &GameProgram::quit,
            Qt::QueuedConnection);
    // In front of the battle window, centred over it.
    resultWindow_->adjustSize();
    QRect frame = resultWindow_->frameGeometry();
    frame.moveCenter(battleWindow_->frameGeometry().center());
    resultWindow_->move(frame.topLeft());
    resultWindow_->show();
    resultWindow_->raise();
    resultWindow_->activateWindow();
}

// One help screen at a time; asked again, the open one comes to the front. It outlives
// restarts and rematches, and blocks nothing, so it can be read beside a match.
void GameProgram::openHelpWindow() {
    if (!helpWindow_) {
        helpWindow_ = new HelpWindow;
        if (battleWindow_) {
            QRect frame = helpWindow_->frameGeometry();
            frame.moveCenter(battleWindow_->frameGeometry().center());
            helpWindow_->move(frame.topLeft());
        }
    }
    helpWindow_->show();
    helpWindow_->raise();
    helpWindow_->activateWindow();
}

void GameProgram::rematch() {
    rebuildBattleWindow();
    if (resultWindow_)
        resultWindow_->closeWithoutAction();
}

void GameProgram::quit() {
    if (finished_)
        return;
    // A message box still open runs an event loop of its own inside some window's handler;
    // tearing that window down underneath it would pull the ground from under the handler.
    // Close the box, and finish the quit once its loop has returned.
    if (QWidget* modal = QApplication::activeModalWidget(); modal && deferredQuits_ < 10) {
        ++deferredQuits_;
        modal->close();
        QTimer::singleShot(0, this, &GameProgram::quit);
        return;
    }
    finished_ = true;
    if (helpWindow_)
        helpWindow_->close();
    if (resultWindow_)
        resultWindow_->closeWithoutAction();
    if (battleWindow_)
        destroyBattleWindow();
    emit finished();
}

void GameProgram::loadRecord() {
    const auto result = recordFile_->load(recordTable_);
    if (!result.ok)
        report(result.message);
}

bool GameProgram::saveRecord() {
    const auto result = recordFile_->save(recordTable_);
    if (!result.ok)
        report(result.message);
    return result.ok;
}

void GameProgram::report(const QString& message) {
    if (reporter_) {
        reporter_(message);
        return;
    }
    QMessageBox box(QMessageBox::Warning, QStringLiteral("ソードリズム！　第弐章"), message,
                    QMessageBox::Ok);
    box.exec();
}

} // namespace rz6
