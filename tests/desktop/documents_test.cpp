// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
//
// What a player reads outside the game agrees with the game: the READMEs, both manual pages
// (as the build fills them in), the AppStream metainfo and the package description state the
// rules as the rules library has them, and what the build cannot fill in (debian/control)
// names the team and the releases page as the top CMakeLists.txt does.
#include "battle/match.h"
#include "charselect/characters.h"
#include "common/app_info.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <initializer_list>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

// Each document, as a bit, so that a fact can name the documents that must state it.
enum Document : unsigned {
    Readme = 1,       // README.md
    PlayerReadme = 2, // doc/README.md, installed beside the game
    ManEnglish = 4,
    ManJapanese = 8,
    Metainfo = 16,
    Control = 32,
};
constexpr unsigned manuals = Readme | PlayerReadme | ManEnglish | ManJapanese;
constexpr unsigned english = Readme | PlayerReadme | ManEnglish | Metainfo | Control;
constexpr unsigned japanese = Readme | PlayerReadme | ManJapanese | Metainfo;

const std::string sourceDir = RZ6_SOURCE_DIR;
const std::string desktopBuildDir = RZ6_DESKTOP_BUILD_DIR;

const std::array<std::pair<Document, std::string>, 6> documents{{
    {Readme, sourceDir + "/README.md"},
    {PlayerReadme, sourceDir + "/doc/README.md"},
    {ManEnglish, desktopBuildDir + "/man/rz6.6"},
    {ManJapanese, desktopBuildDir + "/man/ja/rz6.6"},
    {Metainfo, desktopBuildDir + "/" + rz6::appInfo::desktopId + ".metainfo.xml"},
    {Control, sourceDir + "/debian/control"},
}};

// The characters' English names, in the order of characters().
const std::array<const char*, rz6::characterCount> englishNames{"Ren", "Yukina", "Sakon"};

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void replaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

// The text as a reader sees it: roff's escapes for the characters the pages use written out,
// its break points, joins and font changes dropped, and Markdown's emphasis and code marks.
const std::pair<const char*, const char*> asWritten[] = {
    {"\\c\n", ""},  {"\\:", ""},    {"\\%", ""},    {"\\~", " "},   {"\\-", "-"}, {"\\(mu", "×"},
    {"\\(->", "→"}, {"\\(lq", "“"}, {"\\(rq", "”"}, {"\\(cq", "’"}, {"\\fB", ""}, {"\\fI", ""},
    {"\\fR", ""},   {"\\fP", ""},   {"**", ""},     {"`", ""},
};

std::string asRead(std::string text) {
    for (const auto& [from, to] : asWritten)
        replaceAll(text, from, to);
    return text;
}

std::string literal(const std::string& text) {
    static const std::regex special(R"([.^$|()\[\]{}*+?\\])");
    return std::regex_replace(text, special, R"(\$&)");
}

// A number standing alone: 50, not 150 or 500.
std::string number(const std::string& digits) {
    return "\\D" + digits + "(?!\\d|\\.\\d)";
}

// Each part follows the one before within a short stretch of text (a line or two).
std::string near(std::initializer_list<std::string> parts) {
    std::string pattern;
    for (const std::string& part : parts)
        pattern += (pattern.empty() ? "" : "[\\s\\S]{0,90}?") + part;
    return pattern;
}

struct Fact {
    std::string what;
    unsigned where;
    std::string pattern;
};

std::vector<Fact> facts() {
    using rz6::Match;
    const std::string enter = std::to_string(Match::enterPenalty);
    const std::string miss = std::to_string(Match::missPenalty);
    const std::string counter = std::to_string(-Match::counterPoints);
    const std::string turns = std::to_string(Match::startTurns);
    const std::string ninth = std::to_string(Match::maxDigits);
    const std::string times1 = "×1(?!\\d|\\.\\d)";
    std::vector<Fact> all{
        {"Enter abandons for " + enter, english & manuals,
         near({"Enter", "Off balance!", number(enter)})},
        {"Enter abandons for " + enter, japanese & manuals,
         near({"Enter", "姿勢を崩した！", number(enter)})},
        {"a miss costs " + miss, english & manuals, near({"miss", number(miss)})},
        {"a miss costs " + miss, japanese & manuals, near({"空振", number(miss)})},
        {"a counter costs " + counter, english, near({"counter", number(counter)})},
        {"a counter costs " + counter, japanese, near({"反撃", number(counter)})},
        {"a combo's second strike is ×1", english, near({"second", times1})},
        {"a combo's second strike is ×1", japanese, "2 連撃目は " + times1},
        {turns + " turns", english, turns + " turns"},
        {turns + " turns", japanese, turns + " ターン"},
        {"the " + ninth + "th digit launches", english & manuals, ninth + "th digit"},
        {"the " + ninth + "th digit launches", japanese & manuals, ninth + " 桁目"},
        {"F10 opens the first menu", english & manuals, near({"F10", "first menu"})},
        {"F10 opens the first menu", japanese & manuals, near({"F10", "最初のメニュー"})},
        {"the record's place", manuals,
         literal(std::string("~/.local/share/") + rz6::appInfo::applicationName + "/" +
                 rz6::appInfo::recordFileName)},
        {"every keyboard layout", manuals, "AZERTY"},
        {"C counts as no language", manuals, literal("LC_ALL=C.UTF-8 LANG=en_US.UTF-8")},
        {"--lang", manuals, "--lang"},
    };
    for (const auto& [key, pattern] :
         {std::pair{"F1", "F1(?!\\d)"}, {"F5", "F5"}, {"F6", "F6"}, {"Ctrl+R", "Ctrl\\+R"}})
        all.push_back({std::string("the key ") + key, manuals, pattern});
    for (int i = 0; i < rz6::characterCount; ++i) {
        const rz6::Character& c = rz6::character(i);
        std::ostringstream seconds, multiplier;
        seconds.precision(1);
        seconds << std::fixed << c.windowLength / 1000.0;
        multiplier << c.scoreMultiplier;
        const std::string times = "×" + literal(multiplier.str()) + "(?!\\d|\\.\\d)";
        all.push_back(
            {std::string(englishNames[i]) + " " + seconds.str() + " s ×" + multiplier.str(),
             english,
             near({std::string("\\b") + englishNames[i] + "\\b",
                   literal(seconds.str()) + " seconds", times})});
        all.push_back(
            {std::string(c.name) + " " + seconds.str() + " 秒 ×" + multiplier.str(), japanese,
             near({literal(std::string(c.name)), literal(seconds.str()) + " 秒", times})});
    }
    // The package description is not made by the build: it must say what CMake says.
    const std::string team = rz6::appInfo::teamEnglish;
    all.push_back(
        {"Homepage", Control, "\\nHomepage: " + literal(rz6::appInfo::releasesUrl) + "\\n"});
    all.push_back({"Maintainer", Control,
                   "\\nMaintainer: " + literal(team + " <" + rz6::appInfo::contact + ">") + "\\n"});
    return all;
}

TEST(Documents, EachStatesTheGamesFactsAsTheGameHasThem) {
    const std::vector<Fact> table = facts();
    for (const auto& [document, path] : documents) {
        const std::string text = asRead(readFile(path));
        ASSERT_FALSE(text.empty()) << path;
        for (const Fact& fact : table) {
            if (!(fact.where & document))
                continue;
            // A space in a fact stands for any white space: the documents wrap their lines.
            const std::regex pattern(std::regex_replace(fact.pattern, std::regex(" "), "\\s+"));
            EXPECT_TRUE(std::regex_search(text, pattern)) << path << " does not say: " << fact.what;
        }
    }
}

// The README names the package by its version, which it cannot be given by the build.
TEST(Documents, ReadmeNamesThePackageOfThisVersion) {
    const std::string text = readFile(sourceDir + "/README.md");
    const std::regex package(R"(rz6_([0-9][^_\s]*)_)");
    int named = 0;
    for (auto found = std::sregex_iterator(text.begin(), text.end(), package);
         found != std::sregex_iterator(); ++found, ++named)
        EXPECT_EQ((*found)[1].str(), rz6::appInfo::version);
    EXPECT_GT(named, 0);
}

} // namespace
