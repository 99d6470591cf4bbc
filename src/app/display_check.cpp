// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "app/display_check.h"

#include "app/command_line.h"
#include "common/app_info.h"

#include <QCoreApplication>
#include <QFile>

#include <dirent.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace rz6 {
namespace {

// Whether Qt would need a window system for this platform list ("wayland;xcb"); offscreen,
// vnc and the like need none.
bool needsWindowSystem(const std::string& platform) {
    if (platform.empty())
        return true;
    std::size_t start = 0;
    while (start <= platform.size()) {
        const std::size_t end = std::min(platform.find(';', start), platform.size());
        const std::string name = platform.substr(start, end - start);
        if (!(name == "xcb" || name.starts_with("wayland")))
            return false;
        start = end + 1;
    }
    return true;
}

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

void printLine(const std::string& line) {
    std::fprintf(stderr, "%s: %s\n", appInfo::applicationName, line.c_str());
}

// Whether this folder holds one of Qt's Wayland platform plugins (libqwayland-egl.so,
// libqwayland-generic.so, ...): a regular file, or a link to one, by that name.
bool holdsWaylandPlugin(const QByteArray& folder) {
    DIR* const listing = opendir(folder.constData());
    if (!listing)
        return false;
    constexpr std::string_view prefix = "libqwayland-";
    constexpr std::string_view suffix = ".so";
    bool found = false;
    while (const dirent* entry = readdir(listing)) {
        const std::string_view name = entry->d_name;
        if (name.size() < prefix.size() + suffix.size() || !name.starts_with(prefix) ||
            !name.ends_with(suffix))
            continue;
        struct stat status {};
        if (fstatat(dirfd(listing), entry->d_name, &status, 0) == 0 && S_ISREG(status.st_mode)) {
            found = true;
            break;
        }
    }
    closedir(listing);
    return found;
}

// The watch Qt's message handler reports to.
DisplayConnectionWatch* activeWatch = nullptr;

} // namespace

DisplayPlan planDisplay(const DisplaySetting& setting, Language language) {
    if (!needsWindowSystem(setting.platform))
        return {};
    const bool x11 = !setting.display.empty();
    const bool wayland = !setting.waylandDisplay.empty();
    if (!x11 && !wayland)
        return {terminalText(
                    language,
                    QT_TRANSLATE_NOOP("rz6::CommandLine",
                                      "画面がありません（DISPLAY も WAYLAND_DISPLAY も設定されて"
                                      "いません）。デスクトップのセッションから起動してください")),
                {}};
    // Without the Wayland plugin, an X server beside the compositor (Xwayland) shows the game
    // even where Qt would pick Wayland on its own.
    if (x11)
        return {{}, setting.platform.empty() && !setting.waylandPluginInstalled ? "xcb" : ""};
    if (!setting.waylandPluginInstalled)
        return {terminalText(language,
                             QT_TRANSLATE_NOOP("rz6::CommandLine",
                                               "Wayland の画面 WAYLAND_DISPLAY=%1 に映す Qt の"
                                               "プラグインがありません。root で apt install "
                                               "qt6-wayland を実行してください"),
                             {QString::fromStdString(setting.waylandDisplay)}),
                {}};
    return {{}, setting.platform.empty() ? "wayland" : ""};
}

DisplaySetting currentDisplaySetting() {
    DisplaySetting setting{environmentValue("QT_QPA_PLATFORM"), environmentValue("DISPLAY"),
                           environmentValue("WAYLAND_DISPLAY")};
    // The plugin is looked for only where the plan asks about it: an X server with Qt left to
    // choose, or a Wayland display alone.
    const bool x11 = !setting.display.empty();
    if (!needsWindowSystem(setting.platform) ||
        !(x11 ? setting.platform.empty() : !setting.waylandDisplay.empty()))
        return setting;
    // The places Qt itself looks for plugins: QT_PLUGIN_PATH and its own folder (Qt keeps the
    // list for loading its own). Each folder is read directly: QDir's name filter builds a
    // regular expression, a fifth of a millisecond of every start.
    for (const QString& folder : QCoreApplication::libraryPaths())
        if (holdsWaylandPlugin(QFile::encodeName(folder + QStringLiteral("/platforms")))) {
            setting.waylandPluginInstalled = true;
            break;
        }
    return setting;
}

DisplayConnectionWatch::DisplayConnectionWatch(Language language) : language_(language) {
    activeWatch = this;
    previous_ = qInstallMessageHandler(watchMessage);
}

DisplayConnectionWatch::~DisplayConnectionWatch() {
    connected();
}

void DisplayConnectionWatch::watchMessage(QtMsgType type, const QMessageLogContext& context,
                                          const QString& text) {
    DisplayConnectionWatch& watch = *activeWatch;
    const std::string category = context.category ? context.category : "";
    if (category.starts_with("qt.qpa.xcb") || text.contains(QLatin1String("\"xcb\"")))
        watch.xcbFailed_ = watch.xcbFailed_ || type != QtDebugMsg;
    if (category.starts_with("qt.qpa.wayland") || text.contains(QLatin1String("\"wayland")))
        watch.waylandFailed_ = watch.waylandFailed_ || type != QtDebugMsg;
    if (type == QtFatalMsg)
        watch.refused();
    watch.held_.push_back({type, category, text});
}

void DisplayConnectionWatch::refused() const {
    const std::string display = environmentValue("DISPLAY");
    const std::string wayland = environmentValue("WAYLAND_DISPLAY");
    if (xcbFailed_ || (!waylandFailed_ && !display.empty()))
        printLine(
            terminalText(language_,
                         QT_TRANSLATE_NOOP("rz6::CommandLine",
                                           "X の画面 DISPLAY=%1 に接続できません（X サーバーが"
                                           "動いていないか、接続を拒みました）"),
                         {QString::fromStdString(display)}));
    else if (!wayland.empty())
        printLine(
            terminalText(language_,
                         QT_TRANSLATE_NOOP("rz6::CommandLine",
                                           "Wayland の画面 WAYLAND_DISPLAY=%1 に接続できません"),
                         {QString::fromStdString(wayland)}));
    else
        printLine(
            terminalText(language_, QT_TRANSLATE_NOOP("rz6::CommandLine", "画面に接続できません")));
    std::fflush(stderr);
    std::_Exit(exitFailure);
}

void DisplayConnectionWatch::connected() {
    if (!watching_)
        return;
    watching_ = false;
    qInstallMessageHandler(previous_);
    activeWatch = nullptr;
    for (const HeldMessage& message : held_) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.c_str());
        qt_message_output(message.type, context, message.text);
    }
    held_.clear();
}

} // namespace rz6
