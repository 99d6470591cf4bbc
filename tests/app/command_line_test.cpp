// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
//
// The command line follows GNU conventions, and a start is refused in one line exactly when
// no screen the game could open on is named.
#include "app/command_line.h"
#include "app/display_check.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace rz6::test
