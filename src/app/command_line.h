// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "common/language.h"

#include <QStringList>

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace rz6 {

// What the command line asks of the program. Help, Version and Mistake are answered on the
// terminal and end the program before anything needs a display; Replay plays a replay file
// alone (no record, no history, no lock).
enum class CommandAction { Play, Help, Version, Mistake, Replay };

// One option the program understands, as the usage screen lists it. A new option is one more
// row in commandOptions() and one more action.
struct CommandOption {
    char shortName;            // "-h"; none (0) for an option with a value
    std::string_view longName; // "--help"
    std::string_view summary;  // the usage screen's line, in Japanese (translated when shown)
    CommandAction action;
    std::string_view value{}; // "=LANG", "=FILE" for an option that takes a value
};

std::span<const CommandOption> commandOptions();

// A mistake on the command line: its text (marked QT_TRANSLATE_NOOP("rz6::CommandLine", ...))
// and what fills its %1, %2, ...; written out in the language of the answer.
struct CommandMistake {
    const char* source = nullptr;
    QStringList arguments;
};

// The answer to a command line: what to do, and for a mistake why.
struct CommandLine {
    CommandAction action = CommandAction::Play;
    CommandMistake mistake;
    // --lang=ja|en (or "--lang en"): the language for this run only.
    std::optional<Language> language;
    // --replay=FILE (or "--replay FILE"): the replay file to watch, as the system's bytes.
    std::string replayFile;
};

// GNU conventions: long options may be abbreviated as long as they stay unambiguous, "--"
// ends the options, and the program takes no operands. Parsed once; the language the answer
// is written in comes from the result (--lang) and the desktop.
CommandLine parseCommandLine(std::span<const char* const> arguments);

// A text for the terminal, marked QT_TRANSLATE_NOOP("rz6::CommandLine", ...), in that
// language, with %1, %2, ... filled in from the arguments.
std::string terminalText(Language language, const char* source, const QStringList& arguments = {});

// The one line that tells a mistake: the program's name, what is wrong, where help is.
std::string mistakeLine(const CommandLine& answer, Language language);

// The texts printed for --help and --version, each ending in a newline.
std::string usageText(Language language);
std::string versionText(Language language);

// Exit statuses, as the manual page lists them.
inline constexpr int exitOk = 0;
inline constexpr int exitFailure = 1; // no display, the record's folder or a replay file unusable
inline constexpr int exitBadCommand = 2; // a mistake on the command line

// Answers --help, --version and mistakes on the terminal in that language and returns the
// exit status; for an ordinary start (no options but --lang) and a replay returns nothing and
// the game goes on.
std::optional<int> answerCommandLine(const CommandLine& answer, Language language);

} // namespace rz6
