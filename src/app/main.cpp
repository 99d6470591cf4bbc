// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "app/command_line.h"
#include "app/display_check.h"
#include "app/game_program.h"
#include "app/game_style.h"
#include "app/message_presenter.h"
#include "app/quit_signals.h"
#include "battle/clock_random_source.h"
#include "battle/dealt_digits_source.h"
#include "common/app_info.h"
#include "common/japanese_fonts.h"
#include "common/language.h"
#include "common/owned_window.h"
#include "common/pictures.h"
#include "save/file_layer.h"
#include "save/record_location.h"
#include "save/record_lock.h"

#include <QCoreApplication>
#include <QApplication>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <utility>
#include <vector>

namespace {

// What must not be lost when the program ends without returning from its loop.
struct LastWords {
    rz6::GameProgram* program = nullptr;
    rz6::RecordLock* lock = nullptr;
};
LastWords lastWords;

// A broken connection to the display (a crashed X server, a dropped remote session) makes
// Qt end the program with exit() from inside the event loop, past every window and every
// destructor on main's stack. Those objects still stand here: the record is written as it
// stands, with this match's landings, and the lock is let go.
void saveWhenEndedUnexpectedly() {
    // Once only. A lost Wayland connection is told by two threads at once, and either may end
    // the program as soon as this returns: the second waits here until the first has saved.
    static std::recursive_mutex saving;
    static bool saved = false;
    const std::lock_guard guard(saving);
    if (std::exchange(saved, true))
        return;
    if (lastWords.program)
        lastWords.program->saveWithoutDisplay();
    if (lastWords.lock)
        lastWords.lock->unlock();
}

// A broken connection to a Wayland compositor (a crashed compositor, a protocol error) ends
// the program harder still: Qt's Wayland library calls _exit(), which runs nothing registered
// with atexit(). Its last words are a message that starts the same way every time; the
// record is saved when it comes, then the message goes on to where it was going.
QtMessageHandler earlierMessageHandler = nullptr;

void saveWhenWaylandConnectionEnds(QtMsgType type, const QMessageLogContext& context,
                                   const QString& message) {
    if (message.startsWith(QLatin1String("The Wayland connection")))
        saveWhenEndedUnexpectedly();
    if (earlierMessageHandler)
        earlierMessageHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

// Runs what can wait until the first window has been drawn: the program's icon (the window
// manager only shows it in title bars and task lists, and unpacking it at every size
// beforehand would hold back the battle screen) and the record lock's sync.
class AfterFirstFrame : public QObject {
public:
    void then(std::function<void()> work) { work_.push_back(std::move(work)); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            QCoreApplication::instance()->removeEventFilter(this);
            // Queued: runs once the whole window has been drawn, not in the middle of it.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    for (const std::function<void()>& work : std::exchange(work_, {}))
                        work();
                },
                Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::vector<std::function<void()>> work_;
};

} // namespace

int main(int argc, char* argv[]) {
    // The command line, read once. It is answered on the terminal, with or without a screen,
    // in the language given on it or else the desktop's: the settings file is not read for
    // it, so whatever lies at its name, --help and --version answer at once.
    const rz6::CommandLine commandLine =
        rz6::parseCommandLine({argv + 1, static_cast<std::size_t>(argc > 0 ? argc - 1 : 0)});
    rz6::LanguageDecision language(rz6::desktopMessagesLocale(), commandLine.language);
    if (const auto status = rz6::answerCommandLine(commandLine, language.language()))
        return *status;
    const rz6::DisplayPlan display =
        rz6::planDisplay(rz6::currentDisplaySetting(), language.language());
    if (!display.problem.empty()) {
        std::fprintf(stderr, "%s: %s\n", rz6::appInfo::applicationName, display.problem.c_str());
        return rz6::exitFailure;
    }
    if (!display.platform.empty())
        qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(display.platform));
    // A write past the file-size limit fails and is reported like any other failed save,
    // rather than killing the game with the record unsaved.
    std::signal(SIGXFSZ, SIG_IGN);
    rz6::DisplayConnectionWatch watch(language.language());
    QApplication app(argc, argv);
    watch.connected();
    QApplication::setApplicationName(QString::fromLatin1(rz6::appInfo::applicationName));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(rz6::appInfo::desktopFileName));
    AfterFirstFrame afterFirstFrame;
    afterFirstFrame.then([] { QApplication::setWindowIcon(rz6::Pictures::appIcon()); });
    app.installEventFilter(&afterFirstFrame);
    rz6::installJapaneseFonts();
    // The desktop's language, unless the player chose one in the 設定 menu.
    // --lang chooses for this run only.
    const QString settingsPath = rz6::defaultSettingsPath();
    const rz6::RememberedLanguage remembered = rz6::readLanguageChoice(settingsPath);
    language.remember(remembered.choice);
    rz6::applyLanguage(language.language());
    rz6::installGameStyle();
    rz6::refuseMaximiseOfFixedSizeWindows(app);
    // A replay file plays on its own: no record, no history, no lock (so it plays beside a
    // running game).
    if (commandLine.action == rz6::CommandAction::Replay)
        return rz6::MatchHistory::playReplayFileAlone(
            QByteArray::fromStdString(commandLine.replayFile));

    const rz6::RecordLocation location = rz6::chooseRecordLocation();
    if (!location.ok()) {
        rz6::showMessageBeforeAnyWindow(location.errorMessage);
        return 1;
    }

    // One copy of the game per record: a second start is refused before it reads or writes
    // anything. A lock nobody holds any more is taken over; one that cannot be had or
    // written ends the game before the record is touched.
    rz6::RecordLock lock(rz6::joinPath(location.nativeFolder, rz6::appInfo::lockFileName));
    if (const auto locked = lock.lock(rz6::RecordLock::TextSync::Later); !locked.locked()) {
        rz6::showMessageBeforeAnyWindow(locked.message);
        return locked.outcome == rz6::RecordLock::Outcome::Unusable ? 1 : 0;
    }
    afterFirstFrame.then([&lock] { lock.syncText(); });

    // Rehearsals of the game by its end-to-end tests deal known boards from a row of digits
    // in RZ6_REHEARSAL_BOARD; a player's game always deals from the clock.
    rz6::ClockRandomSource clockRandom;
    std::optional<rz6::DealtDigitsSource> rehearsal =
        rz6::DealtDigitsSource::fromDigits(qgetenv("RZ6_REHEARSAL_BOARD").toStdString());
    rz6::RandomSource& random = rehearsal ? static_cast<rz6::RandomSource&>(*rehearsal)
                                          : static_cast<rz6::RandomSource&>(clockRandom);
    rz6::GameProgram program(rz6::joinPath(location.nativeFolder, rz6::appInfo::recordFileName),
                             random);
    QObject::connect(
        &program, &rz6::GameProgram::finished, &app,
        [](int exitStatus) { QApplication::exit(exitStatus); }, Qt::QueuedConnection);
    rz6::QuitSignals quitSignals;
    QObject::connect(&quitSignals, &rz6::QuitSignals::quitRequested, &program,
                     &rz6::GameProgram::quitOnSignal);
    // A desktop session that ends the event loop by itself still gets the record saved.
    QObject::connect(&app, &QApplication::aboutToQuit, &program, &rz6::GameProgram::quit);
    app.setQuitOnLastWindowClosed(false);

    program.setSettings({settingsPath, language, remembered.soundEffects});
    program.guardSavesWith(lock);
    lastWords = {&program, &lock};
    std::atexit(saveWhenEndedUnexpectedly);
    earlierMessageHandler = qInstallMessageHandler(saveWhenWaylandConnectionEnds);
    program.start();
    // A settings file that cannot be read leaves the desktop's language for this run.
    if (const QString problem = remembered.problem(); !problem.isEmpty())
        program.tell(problem);
    if (!location.carriedOverFrom.isEmpty())
        program.tell(
            QCoreApplication::translate("rz6::GameProgram",
                                        "プログラムのフォルダにある記録「%1」を引き継ぎました。\n"
                                        "これからの記録は「%2」に保存されます（元のファイルは"
                                        "そのまま残ります）。")
                .arg(location.carriedOverFrom, location.folder));
    const int status = app.exec();
    qInstallMessageHandler(earlierMessageHandler);
    lastWords = {};
    lock.unlock();
    return status;
}
