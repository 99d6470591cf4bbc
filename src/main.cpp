#include "battle/battle_window.h"
#include "battle/clock_random_source.h"
#include "battle/game_program.h"
#include "common/app_info.h"
#include "common/game_style.h"
#include "common/japanese_fonts.h"
#include "common/join_path.h"
#include "common/pictures.h"
#include "common/quit_signals.h"
#include "save/record_location.h"

#include <QApplication>
#include <QDir>
#include <QLockFile>
#include <QMessageBox>

namespace {

QString pathIn(const QString& folder, const char* name) {
    return QString::fromStdString(
        rz6::joinPath(QDir::toNativeSeparators(folder).toStdString(), name));
}

void showMessage(const QString& text) {
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(rz6::appInfo::displayTitle), text,
                    QMessageBox::Ok);
    box.exec();
}

// Gives the program its icon once the first window has been drawn. The window manager only
// shows the icon in title bars and task lists, and unpacking it at every size beforehand would
// hold back the battle screen.
class IconAfterFirstFrame : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            QCoreApplication::instance()->removeEventFilter(this);
            // Queued: runs once the whole window has been drawn, not in the middle of it.
            QMetaObject::invokeMethod(
                this, [] { QApplication::setWindowIcon(rz6::Pictures::appIcon()); },
                Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(rz6::appInfo::applicationName));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(rz6::appInfo::desktopFileName));
    IconAfterFirstFrame icon;
    app.installEventFilter(&icon);
    rz6::installJapaneseFonts();
    rz6::installGameStyle();

    const rz6::RecordLocation location = rz6::chooseRecordLocation();
    if (!location.ok()) {
        showMessage(location.errorMessage);
        return 1;
    }

    // One copy of the game per record: a second start is refused before it reads or writes
    // anything. The lock names the running process, so one left behind by a crash or a kill
    // is recognised as stale and taken over.
    QLockFile lock(pathIn(location.folder, rz6::appInfo::lockFileName));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(0) && lock.error() == QLockFile::LockFailedError) {
        QMessageBox box(QMessageBox::Information, QString::fromUtf8(rz6::appInfo::displayTitle),
                        QStringLiteral("既に起動されています。"), QMessageBox::Ok);
        box.exec();
        return 0;
    }

    rz6::ClockRandomSource random;
    rz6::GameProgram program(pathIn(location.folder, rz6::appInfo::recordFileName), random,
                             showMessage);
    QObject::connect(&program, &rz6::GameProgram::finished, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    rz6::QuitSignals quitSignals;
    QObject::connect(&quitSignals, &rz6::QuitSignals::quitRequested, &program,
                     &rz6::GameProgram::quit);
    // A desktop session that ends the event loop by itself still gets the record saved.
    QObject::connect(&app, &QApplication::aboutToQuit, &program, &rz6::GameProgram::quit);
    app.setQuitOnLastWindowClosed(false);

    program.start();
    return app.exec();
}
