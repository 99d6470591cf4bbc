// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "app/command_line.h"

#include "common/app_info.h"
#include "replay/replay_file.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

namespace rz6 {
namespace {

constexpr std::array options{
    CommandOption{'h', "--help",
                  QT_TRANSLATE_NOOP("rz6::CommandLine", "この使い方を表示して終わります"),
                  CommandAction::Help},
    CommandOption{'v', "--version",
                  QT_TRANSLATE_NOOP("rz6::CommandLine", "版と使用許諾を表示して終わります"),
                  CommandAction::Version},
    CommandOption{
        0, "--lang",
        QT_TRANSLATE_NOOP("rz6::CommandLine", "この回だけ言語を決めます（ja 日本語、en 英語）"),
        CommandAction::Play, "=LANG"},
    CommandOption{0, "--replay",
                  QT_TRANSLATE_NOOP("rz6::CommandLine",
                                    "再生ファイル FILE の試合を再生します（記録には触れません）"),
                  CommandAction::Replay, "=FILE"},
};

const std::string program = appInfo::applicationName;

} // namespace

// A text of the command line in that language, with %1, %2, ... filled in. The command line
// is answered before the program has a Qt application, so the translation is asked directly.
std::string terminalText(Language language, const char* source, const QStringList& arguments) {
    QString translated;
    if (language == Language::English)
        translated = englishText("rz6::CommandLine", source);
    if (translated.isEmpty())
        translated = QString::fromUtf8(source);
    for (const QString& argument : arguments)
        translated = translated.arg(argument);
    return translated.toStdString();
}

namespace {

QString q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

CommandLine mistake(const char* source, const QStringList& arguments) {
    return {CommandAction::Mistake, {source, arguments}, {}, {}};
}

// The value of --lang: "ja" or "en".
CommandLine languageChoice(std::string_view value) {
    if (const auto language = languageFromCode(q(value)))
        return {CommandAction::Play, {}, language, {}};
    return mistake(QT_TRANSLATE_NOOP("rz6::CommandLine", "言語「%1」は選べません（ja か en）"),
                   {q(value)});
}

// A long option, whole or abbreviated, possibly with "=value" glued on.
CommandLine parseLong(std::string_view argument) {
    const auto equals = argument.find('=');
    const std::string_view name = argument.substr(0, equals);
    std::vector<const CommandOption*> matches;
    for (const CommandOption& option : options) {
        if (option.longName == name) {
            matches = {&option};
            break;
        }
        if (option.longName.starts_with(name))
            matches.push_back(&option);
    }
    if (matches.empty())
        return mistake(QT_TRANSLATE_NOOP("rz6::CommandLine", "不明なオプション「%1」です"),
                       {q(name)});
    if (matches.size() > 1)
        return mistake(
            QT_TRANSLATE_NOOP("rz6::CommandLine", "オプション「%1」がどれを指すのか決まりません"),
            {q(name)});
    const CommandOption& option = *matches.front();
    if (!option.value.empty()) {
        if (equals == std::string_view::npos)
            return mistake(
                QT_TRANSLATE_NOOP("rz6::CommandLine", "オプション「%1」には値が要ります（%1%2）"),
                {q(option.longName), q(option.value)});
        const std::string_view value = argument.substr(equals + 1);
        if (option.action != CommandAction::Replay)
            return languageChoice(value);
        if (value.empty())
            return mistake(
                QT_TRANSLATE_NOOP("rz6::CommandLine", "オプション「%1」には値が要ります（%1%2）"),
                {q(option.longName), q(option.value)});
        return {CommandAction::Replay, {}, {}, std::string(value)};
    }
    if (equals != std::string_view::npos)
        return mistake(QT_TRANSLATE_NOOP("rz6::CommandLine", "オプション「%1」は値をとりません"),
                       {q(option.longName)});
    return {option.action, {}, {}, {}};
}

// One or more short options run together ("-hv"); the first one decides.
CommandLine parseShort(std::string_view argument) {
    std::optional<CommandAction> first;
    for (const char letter : argument.substr(1)) {
        const CommandOption* found = nullptr;
        for (const CommandOption& option : options)
            if (option.shortName == letter)
                found = &option;
        if (!found)
            return mistake(QT_TRANSLATE_NOOP("rz6::CommandLine", "不明なオプション「%1」です"),
                           {QStringLiteral("-") + QChar::fromLatin1(letter)});
        if (!first)
            first = found->action;
    }
    return {*first, {}, {}, {}};
}

} // namespace

std::span<const CommandOption> commandOptions() {
    return options;
}

CommandLine parseCommandLine(std::span<const char* const> arguments) {
    CommandLine answer;
    std::optional<Language> language;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string argument = arguments[i];
        CommandLine next;
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
            continue;
        }
        // An option that takes a value may have it in the next argument: "--lang en".
        if (!optionsEnded && argument.starts_with("--") && argument.size() > 2 &&
            argument.find('=') == std::string::npos && i + 1 < arguments.size())
            for (const CommandOption& option : options)
                if (!option.value.empty() && option.longName.starts_with(argument)) {
                    argument += std::string("=") + arguments[++i];
                    break;
                }
        if (!optionsEnded && argument.starts_with("--"))
            next = parseLong(argument);
        else if (!optionsEnded && argument.size() > 1 && argument.starts_with('-'))
            next = parseShort(argument);
        else if (argument.size() > std::string_view(replayFileSuffix).size() &&
                 argument.ends_with(replayFileSuffix))
            // A replay file by itself, as a file manager hands one to the desktop entry.
            next = {CommandAction::Replay, {}, {}, argument};
        else
            next = mistake(QT_TRANSLATE_NOOP("rz6::CommandLine", "引数「%1」はとりません"),
                           {q(argument)});
        // A mistake anywhere wins; otherwise the first option decides, as with -hv.
        if (next.action == CommandAction::Mistake) {
            next.language = language; // told in the language asked for before it
            return next;
        }
        if (next.language)
            language = next.language;
        else if (answer.action == CommandAction::Play)
            answer = next;
    }
    answer.language = language;
    return answer;
}

std::string mistakeLine(const CommandLine& answer, Language language) {
    return program + ": " +
           terminalText(language, answer.mistake.source, answer.mistake.arguments) +
           terminalText(language, QT_TRANSLATE_NOOP("rz6::CommandLine", "（使い方は %1 --help）"),
                        {q(program)});
}

std::string usageText(Language language) {
    const auto text = [language](const char* source, const QStringList& arguments = {}) {
        return terminalText(language, source, arguments);
    };
    std::string usage = text(
        QT_TRANSLATE_NOOP("rz6::CommandLine",
                          "使い方: %1 [オプション]...\n"
                          "数字キーで技を打ち込む一人用の剣術ゲーム「%2」を始めます。\n\n"
                          "オプション:\n"),
        {q(program), language == Language::English ? QString::fromUtf8(appInfo::englishTitle)
                                                   : QString::fromUtf8(appInfo::displayTitle)});
    // Every summary starts in the same column, two spaces after the longest option.
    const auto names = [](const CommandOption& option) {
        std::string written =
            option.shortName ? std::string("  -") + option.shortName + ", " : std::string(6, ' ');
        return written + std::string(option.longName) + std::string(option.value);
    };
    std::size_t column = 0;
    for (const CommandOption& option : options)
        column = std::max(column, names(option).size() + 2);
    for (const CommandOption& option : options) {
        std::string written = names(option);
        written.resize(column, ' ');
        usage += written + text(std::string(option.summary).c_str()) + "\n";
    }
    // Each line fits an 80-column terminal (a Japanese character takes two columns).
    usage += text(QT_TRANSLATE_NOOP("rz6::CommandLine",
                                    "\n遊び方はゲームの中の F1（メニュー「遊び方」）か、man %1 で"
                                    "読めます。\n"
                                    "記録はインストールしたゲームでは $XDG_DATA_HOME/%1/%2\n"
                                    "（既定は ~/.local/share/%1/%2）に、持ち運び用に置いた\n"
                                    "ゲームではプログラムの隣の %2 に置かれます。\n"
                                    "終了ステータス: 0 正常、1 画面に接続できない・記録のフォルダや"
                                    "\n再生ファイルが使えない、2 コマンドラインの誤り。\n"),
                  {q(program), QString::fromUtf8(appInfo::recordFileName)});
    return usage;
}

std::string versionText(Language language) {
    const bool english = language == Language::English;
    return program + " " + appInfo::version + "\n" +
           terminalText(
               language,
               QT_TRANSLATE_NOOP("rz6::CommandLine",
                                 "Copyright © %1 %2\n"
                                 "%3 ライセンス: 無保証で、自由に使い、写し、変え、配ることが"
                                 "できます。\n"),
               {q(appInfo::copyrightYear), q(english ? appInfo::teamEnglish : appInfo::team),
                q(appInfo::licenseName)});
}

std::optional<int> answerCommandLine(const CommandLine& answer, Language language) {
    switch (answer.action) {
    case CommandAction::Play:
    case CommandAction::Replay:
        return std::nullopt;
    case CommandAction::Help:
        std::fputs(usageText(language).c_str(), stdout);
        break;
    case CommandAction::Version:
        std::fputs(versionText(language).c_str(), stdout);
        break;
    case CommandAction::Mistake:
        std::fputs((mistakeLine(answer, language) + "\n").c_str(), stderr);
        return exitBadCommand;
    }
    // A full disk or a closed pipe is a failure, as GNU programs report it.
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? exitOk : exitFailure;
}

} // namespace rz6
