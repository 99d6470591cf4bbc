// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
//
// The command line follows GNU conventions, and a start is refused in one line exactly when
// no screen the game could open on is named; the Wayland plugin is looked for as Qt would
// load it.
#include "app/command_line.h"
#include "app/display_check.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace rz6::test {
namespace {

struct Case {
    std::vector<const char*> arguments;
    CommandAction action;
    std::optional<Language> language = std::nullopt; // the language chosen for this run
};

TEST(CommandLine, ReadsOptionsAsGnuProgramsDo) {
    const std::vector<Case> cases{
        {{}, CommandAction::Play},
        {{"--"}, CommandAction::Play},
        {{"-h"}, CommandAction::Help},
        {{"--he"}, CommandAction::Help}, // an unambiguous abbreviation
        {{"-vh"}, CommandAction::Version},
        {{"--version", "--help"}, CommandAction::Version},
        {{"--help=yes"}, CommandAction::Mistake},
        {{"-x"}, CommandAction::Mistake},
        {{"--help", "--nonsense"}, CommandAction::Mistake},
        {{"--", "--help"}, CommandAction::Mistake}, // an operand after "--"
        {{"-"}, CommandAction::Mistake},
        {{"--lang=en"}, CommandAction::Play, Language::English},
        {{"--la", "ja"}, CommandAction::Play, Language::Japanese},
        {{"--lang", "en", "--help"}, CommandAction::Help, Language::English},
        {{"--lang=fr"}, CommandAction::Mistake},
        {{"--lang"}, CommandAction::Mistake}, // no value
        {{"-l", "en"}, CommandAction::Mistake},
        {{"--replay", "a.rz6replay"}, CommandAction::Replay},
        {{"--replay="}, CommandAction::Mistake},
        {{"match.rz6replay"}, CommandAction::Replay}, // as the desktop entry hands a file over
        {{"match.txt"}, CommandAction::Mistake},
        {{".rz6replay"}, CommandAction::Mistake},
    };
    for (const Case& c : cases) {
        const CommandLine answer = parseCommandLine(c.arguments);
        EXPECT_EQ(answer.action, c.action) << (c.arguments.empty() ? "" : c.arguments[0]);
        EXPECT_EQ(answer.language, c.language) << (c.arguments.empty() ? "" : c.arguments[0]);
        // A mistake is one line that names the program and points at --help.
        if (answer.action == CommandAction::Mistake) {
            const std::string line = mistakeLine(answer, Language::Japanese);
            EXPECT_TRUE(line.starts_with("rz6: "));
            EXPECT_NE(line.find("--help"), std::string::npos);
            EXPECT_EQ(line.find('\n'), std::string::npos);
        }
    }
}

TEST(DisplayPlan, RefusesOnlyWhenNoScreenCanBeReached) {
    struct Row {
        DisplaySetting setting;
        bool refused;
        std::string platform;
    };
    const std::vector<Row> rows{
        {{"", "", "", true}, true, ""},
        {{"xcb", "", "", true}, true, ""},
        {{"offscreen", "", "", false}, false, ""},
        {{"", ":0", "", false}, false, "xcb"},
        {{"", ":0", "wayland-0", false}, false, "xcb"}, // Xwayland serves without the plugin
        {{"", ":0", "", true}, false, ""},
        {{"", "", "wayland-0", false}, true, ""},
        {{"", "", "wayland-0", true}, false, "wayland"},
        {{"wayland;xcb", "", "wayland-0", true}, false, ""}, // the player's own choice stays
    };
    for (const Row& row : rows) {
        const DisplayPlan plan = planDisplay(row.setting, Language::Japanese);
        EXPECT_EQ(!plan.problem.empty(), row.refused)
            << row.setting.platform << "|" << row.setting.display << "|"
            << row.setting.waylandDisplay;
        EXPECT_EQ(plan.platform, row.platform);
    }
}

// Sets the screen's variables for one check and puts them back afterwards.
class ScreenEnvironment {
public:
    ScreenEnvironment(const char* platform, const char* display, const char* wayland) {
        for (const auto& [name, value] :
             {std::pair{names_[0], platform}, {names_[1], display}, {names_[2], wayland}}) {
            saved_.push_back(qgetenv(name));
            had_.push_back(qEnvironmentVariableIsSet(name));
            value ? qputenv(name, value) : qunsetenv(name);
        }
    }
    ~ScreenEnvironment() {
        for (std::size_t i = 0; i < 3; ++i)
            had_[i] ? qputenv(names_[i], saved_[i]) : qunsetenv(names_[i]);
    }

private:
    static constexpr const char* names_[3] = {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"};
    std::vector<QByteArray> saved_;
    std::vector<bool> had_;
};

// The Wayland plugin counts as installed when a file by its name, or a link to one, lies in a
// folder Qt loads plugins from (a folder or a dangling link by that name does not), and it is
// looked for only where the plan asks: a Wayland display alone, or an X server with Qt left to
// choose.
TEST(DisplaySetting, FindsTheWaylandPluginWhereQtWouldLoadIt) {
    QTemporaryDir plugins;
    ASSERT_TRUE(plugins.isValid());
    const QString platforms = plugins.filePath(QStringLiteral("platforms"));
    ASSERT_TRUE(QDir().mkpath(platforms + QStringLiteral("/libqwayland-folder.so")));
    ASSERT_TRUE(QFile::link(plugins.filePath(QStringLiteral("gone")),
                            platforms + QStringLiteral("/libqwayland-dangling.so")));
    const QStringList qtFolders = QCoreApplication::libraryPaths();
    QCoreApplication::setLibraryPaths({plugins.path()});
    const auto installed = [](const char* platform, const char* display, const char* wayland) {
        const ScreenEnvironment environment(platform, display, wayland);
        return currentDisplaySetting().waylandPluginInstalled;
    };
    EXPECT_FALSE(installed(nullptr, nullptr, "wayland-0"));

    QFile plugin(plugins.filePath(QStringLiteral("libqwayland-egl.so")));
    ASSERT_TRUE(plugin.open(QIODevice::WriteOnly));
    plugin.close();
    ASSERT_TRUE(QFile::link(plugin.fileName(), platforms + QStringLiteral("/libqwayland-egl.so")));
    EXPECT_TRUE(installed(nullptr, nullptr, "wayland-0"));
    EXPECT_TRUE(installed(nullptr, ":0", "wayland-0"));
    EXPECT_TRUE(installed(nullptr, ":0", nullptr));
    EXPECT_FALSE(installed("xcb", ":0", "wayland-0")); // the plan does not ask
    EXPECT_FALSE(installed("offscreen", nullptr, "wayland-0"));
    EXPECT_FALSE(installed(nullptr, nullptr, nullptr));
    QCoreApplication::setLibraryPaths(qtFolders);
}

} // namespace
} // namespace rz6::test
