// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <string_view>
#include <utility>

namespace rz6 {

// The languages the game speaks. Japanese is the language of every text in the code;
// English comes from the translation compiled into the program.
enum class Language { Japanese, English };

// What the player picked in 設定 → 言語 / Language: a language, or whatever the desktop uses.
enum class LanguageChoice { Desktop, Japanese, English };

// The language the game shows. A language given for this run wins, then the player's
// remembered choice, then the desktop's language for messages (a locale name such as
// "ja_JP.UTF-8"): Japanese when it is Japanese, and when none is set ("", "C", "POSIX",
// "C.UTF-8"), so that an unconfigured machine shows the game as it has always been; English
// for any other language.
Language chooseLanguage(std::string_view desktopLocale, LanguageChoice remembered,
                        std::optional<Language> forThisRun = std::nullopt);

// Everything that decides the language of one run, and the one rule that decides it
// (chooseLanguage). Made once at start from the desktop and the command line; the player's
// remembered choice joins it once the settings file has been read, and a choice in the menu
// replaces both that and the language given for this run.
class LanguageDecision {
public:
    LanguageDecision(QByteArray desktopLocale, std::optional<Language> forThisRun)
        : desktopLocale_(std::move(desktopLocale)), forThisRun_(forThisRun) {}

    void remember(LanguageChoice choice) { choice_ = choice; }
    void choose(LanguageChoice choice) {
        choice_ = choice;
        forThisRun_.reset();
    }
    LanguageChoice choice() const { return choice_; }
    Language language() const {
        return chooseLanguage(desktopLocale_.toStdString(), choice_, forThisRun_);
    }

private:
    QByteArray desktopLocale_;
    std::optional<Language> forThisRun_;
    LanguageChoice choice_ = LanguageChoice::Desktop;
};

// The desktop's language for messages, as the C library picks it: LC_ALL, then LC_MESSAGES,
// then LANG; the first one set decides.
QByteArray desktopMessagesLocale();

// "ja" or "en", the way the command line and the settings file write a language; nothing for
// any other text.
std::optional<Language> languageFromCode(QStringView code);

// Where the player's choice is remembered: rz6/rz6.conf in the desktop's settings folder
// (XDG_CONFIG_HOME, else ~/.config).
QString defaultSettingsPath();

// The settings file is treated like the record: only a regular file is read or replaced,
// never through a link, and opening it never waits (a pipe at its name cannot hold the game
// up). It is an INI file whose [General] group holds "language=ja" or "language=en", and
// "sound_effects=off" once the player has turned the sound effects off; other lines are kept
// as they are.

// The player's remembered choice in the settings file at this path: Desktop when there is
// none, and also when the file cannot be read, with a message for the player that names the
// file and the reason.
struct RememberedLanguage {
    LanguageChoice choice = LanguageChoice::Desktop;
    // 効果音: on unless the file says "off" (read in the same read).
    bool soundEffects = true;
    // Why the file could not be read: the system's error, or the kind of thing at its name.
    QString path;
    int error = 0;
    unsigned notRegularMode = 0;
    // The message, in the language the game speaks when it is asked for (so it is read after
    // the language is set); empty when the file was read or is not there.
    QString problem() const;
};
RememberedLanguage readLanguageChoice(const QString& settingsPath);

// Remembers the choice there, replacing the file whole in one step. Returns an empty text, or
// a message for the player that names the file and the reason it could not be written.
QString rememberLanguageChoice(const QString& settingsPath, LanguageChoice choice);

// Remembers whether the sound effects play, the same way.
QString rememberSoundEffects(const QString& settingsPath, bool on);

// The English translation compiled into the program, as a resource path to load a
// QTranslator from (":/i18n/rz6_en.qm").
QString englishTranslationResource();

// The English of one text, from the program's one translator, without installing it: for
// the terminal's answers, given before there is an application. Empty when it has none.
QString englishText(const char* context, const char* source);

// Makes every text of the program speak this language from now on: the English translation
// is installed or taken away, and every open screen is told to write its texts again
// (QEvent::LanguageChange). Returns false if the English translation could not be loaded.
bool applyLanguage(Language language);
// The language applyLanguage last set (Japanese before any call).
Language currentLanguage();

// The game's title in the language it speaks: "ソードリズム！　第弐章", "Sword Rhythm II".
QString gameTitle();

} // namespace rz6
