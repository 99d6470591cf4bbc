// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "common/language.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <unistd.h>

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

// The desktop's language for messages is the first of LC_ALL, LC_MESSAGES and LANG that is set.
TEST(LanguageRule, DesktopLocaleIsTheFirstOneSet) {
    const char* names[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    QByteArray saved[3];
    for (int i = 0; i < 3; ++i)
        saved[i] = qgetenv(names[i]);
    const char* cases[][4] = {{"de_DE.UTF-8", "ja_JP.UTF-8", "en_GB.UTF-8", "de_DE.UTF-8"},
                              {"", "ja_JP.UTF-8", "en_GB.UTF-8", "ja_JP.UTF-8"},
                              {"", "", "en_GB.UTF-8", "en_GB.UTF-8"},
                              {"", "", "", ""}};
    for (const auto& c : cases) {
        for (int i = 0; i < 3; ++i)
            qputenv(names[i], c[i]);
        EXPECT_EQ(desktopMessagesLocale(), QByteArray(c[3]));
    }
    for (int i = 0; i < 3; ++i)
        saved[i].isNull() ? qunsetenv(names[i]) : qputenv(names[i], saved[i]);
}

// The choice is remembered in the settings file, read back as it was written, "the desktop's
// language" leaves no language in the file, and the file's other lines are kept.
TEST(LanguageRule, RemembersTheChoiceInTheSettingsFile) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("rz6/rz6.conf"));
    EXPECT_EQ(readLanguageChoice(path).choice, LanguageChoice::Desktop);
    EXPECT_EQ(readLanguageChoice(path).problem(), QString());
    for (LanguageChoice choice :
         {LanguageChoice::English, LanguageChoice::Japanese, LanguageChoice::Desktop}) {
        ASSERT_EQ(rememberLanguageChoice(path, choice), QString());
        EXPECT_EQ(readLanguageChoice(path).choice, choice);
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Sound]\nvolume=3\n[General]\nlanguage = ja\nother=1\n");
    file.close();
    EXPECT_EQ(readLanguageChoice(path).choice, LanguageChoice::Japanese);
    ASSERT_EQ(rememberLanguageChoice(path, LanguageChoice::English), QString());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("[Sound]\nvolume=3\n[General]\nlanguage=en\nother=1\n"));
    file.close();
    // 効果音 is on until turned off, and is kept beside the language without touching it.
    EXPECT_TRUE(readLanguageChoice(path).soundEffects);
    for (bool on : {false, true, false}) {
        ASSERT_EQ(rememberSoundEffects(path, on), QString());
        EXPECT_EQ(readLanguageChoice(path).soundEffects, on);
        EXPECT_EQ(readLanguageChoice(path).choice, LanguageChoice::English);
    }
}

// The settings file goes through the game's one regular-file check (tested with every kind
// of file in file_layer_test): a link at its name is neither read nor written through, the
// run takes the desktop's language, and the player is told the file and the reason.
TEST(LanguageRule, LinkAtTheSettingsNameIsRefused) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("rz6.conf"));
    const QString target = folder.filePath(QStringLiteral("target"));
    ASSERT_EQ(::symlink(QFile::encodeName(target), QFile::encodeName(path)), 0);
    const QString reason = QStringLiteral("シンボリックリンク");
    const RememberedLanguage read = readLanguageChoice(path);
    EXPECT_EQ(read.choice, LanguageChoice::Desktop);
    EXPECT_TRUE(read.problem().contains(path) && read.problem().contains(reason))
        << read.problem().toStdString();
    const QString written = rememberLanguageChoice(path, LanguageChoice::English);
    EXPECT_TRUE(written.contains(path) && written.contains(reason)) << written.toStdString();
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_TRUE(QFileInfo(path).isSymLink());

    // A folder that cannot be made: the reason is said.
    const QString under = folder.filePath(QStringLiteral("target/rz6.conf"));
    QFile(target).open(QIODevice::WriteOnly);
    EXPECT_TRUE(
        rememberLanguageChoice(under, LanguageChoice::English).contains(QStringLiteral("理由")));
}

} // namespace
} // namespace rz6
