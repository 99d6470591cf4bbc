// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "app/command_line.h"

#include "common/app_info.h"

#include <array>
#include <cstdio>
#include <vector>

namespace rz6 {
namespace {

constexpr std::array options{
    CommandOption{'h', "--help", "この使い方を表示して終わります", CommandAction::Help},
    CommandOption{'v', "--version", "版と使用許諾を表示して終わります", CommandAction::Version},
};

const std::string program = appInfo::applicationName;
const std::string seeHelp = "（使い方は " + program + " --help）";

CommandLine mistake(const std::string& what) {
    return {CommandAction::Mistake, program + ": " + what + seeHelp};
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
        return mistake("不明なオプション「" + std::string(name) + "」です");
    if (matches.size() > 1)
        return mistake("オプション「" + std::string(name) + "」がどれを指すのか決まりません");
    if (equals != std::string_view::npos)
        return mistake("オプション「" + std::string(matches.front()->longName) +
                       "」は値をとりません");
    return {matches.front()->action, {}};
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
            return mistake("不明なオプション「-" + std::string(1, letter) + "」です");
        if (!first)
            first = found->action;
    }
    return {*first, {}};
}

} // namespace

std::span<const CommandOption> commandOptions() {
    return options;
}

CommandLine parseCommandLine(std::span<const char* const> arguments) {
    CommandLine answer;
    bool optionsEnded = false;
    for (const char* raw : arguments) {
        const std::string_view argument = raw;
        CommandLine next;
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && argument.starts_with("--"))
            next = parseLong(argument);
        else if (!optionsEnded && argument.size() > 1 && argument.starts_with('-'))
            next = parseShort(argument);
        else
            next = mistake("引数「" + std::string(argument) + "」はとりません");
        // A mistake anywhere wins; otherwise the first option decides, as with -hv.
        if (next.action == CommandAction::Mistake)
            return next;
        if (answer.action == CommandAction::Play)
            answer = next;
    }
    return answer;
}

std::string usageText() {
    std::string text = "使い方: " + program + " [オプション]\n" +
                       "数字キーで技を打ち込む一人用の剣術ゲーム「" + appInfo::displayTitle +
                       "」を始めます。\n\nオプション:\n";
    for (const CommandOption& option : options) {
        std::string names =
            std::string("  -") + option.shortName + ", " + std::string(option.longName);
        names.resize(std::max<std::size_t>(names.size() + 2, 18), ' ');
        text += names + std::string(option.summary) + "\n";
    }
    text += std::string("\n遊び方はゲームの中の F1（メニュー「遊び方」）か、man ") + program +
            " で読めます。\n記録はインストールしたゲームでは $XDG_DATA_HOME/" + program + "/" +
            appInfo::recordFileName + "（既定は ~/.local/share/" + program +
            "/）に、持ち運び用に置いたゲームではプログラムの隣に置かれます。\n"
            "終了ステータス: 0 正常、1 画面に接続できない・記録のフォルダが使えない、"
            "2 コマンドラインの誤り。\n";
    return text;
}

std::string versionText() {
    return program + " " + appInfo::version + "\nCopyright © " + appInfo::copyrightYear + " " +
           appInfo::team + "　" + appInfo::licenseName +
           " ライセンス: 無保証で、自由に使い、写し、変え、配ることができます。\n";
}

std::optional<int> answerCommandLine(int argc, const char* const* argv) {
    const CommandLine answer =
        parseCommandLine({argv + 1, static_cast<std::size_t>(argc > 0 ? argc - 1 : 0)});
    switch (answer.action) {
    case CommandAction::Play:
        return std::nullopt;
    case CommandAction::Help:
        std::fputs(usageText().c_str(), stdout);
        break;
    case CommandAction::Version:
        std::fputs(versionText().c_str(), stdout);
        break;
    case CommandAction::Mistake:
        std::fputs((answer.mistake + "\n").c_str(), stderr);
        return exitBadCommand;
    }
    // A full disk or a closed pipe is a failure, as GNU programs report it.
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? exitOk : exitFailure;
}

} // namespace rz6
