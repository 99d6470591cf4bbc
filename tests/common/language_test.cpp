// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "common/language.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace rz6 {
namespace {

// The language the game shows: a language given for the run wins, then the remembered
// choice; otherwise the desktop's, where no language set at all means Japanese.
TEST(LanguageRule, PicksTheLanguageTheGameShows) {
    const auto ja = Language::Japanese;
    const auto en = Language::English;
    const auto desktop = LanguageChoice::Desktop;
    struct Case {
        const char* locale;
        LanguageChoice remembered;
        std::optional<Language> forThisRun;
        Language expected;
    };
    const Case cases[] = {
        {"ja_JP.UTF-8", desktop, {}, ja},
        {"ja", desktop, {}, ja},
        {"", desktop, {}, ja},
        {"C", desktop, {}, ja},
        {"POSIX", desktop, {}, ja},
        {"C.UTF-8", desktop, {}, ja},
        {"en_GB.UTF-8", desktop, {}, en},
        {"de_DE.UTF-8", desktop, {}, en},
        {"jv_ID", desktop, {}, en}, // Javanese is not Japanese
        {"de_DE.UTF-8", LanguageChoice::Japanese, {}, ja},
        {"ja_JP.UTF-8", LanguageChoice::English, {}, en},
        {"C", LanguageChoice::English, {}, en},
        {"ja_JP.UTF-8", desktop, en, en},
        {"en_US.UTF-8", LanguageChoice::English, ja, ja},
    };
    for (const Case& c : cases)
        EXPECT_EQ(chooseLanguage(c.locale, c.remembered, c.forThisRun), c.expected)
            << c.locale << " remembered " << int(c.remembered);
}

// The choice is remembered in the settings file, read back as it was written, and "the
// desktop's language" leaves no language in the file.
TEST(LanguageRule, RemembersTheChoiceInTheSettingsFile) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("rz6/rz6.conf"));
    EXPECT_EQ(rememberedLanguageChoice(path), LanguageChoice::Desktop);
    for (LanguageChoice choice :
         {LanguageChoice::English, LanguageChoice::Japanese, LanguageChoice::Desktop}) {
        ASSERT_TRUE(rememberLanguageChoice(path, choice));
        EXPECT_EQ(rememberedLanguageChoice(path), choice);
    }
}

} // namespace
} // namespace rz6
