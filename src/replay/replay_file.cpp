// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "replay/replay_file.h"

#include "battle/match.h"
#include "charselect/characters.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <algorithm>
#include <charconv>
#include <limits>
#include <string_view>

namespace rz6 {
namespace {

constexpr std::string_view magic = "rz6-replay";
constexpr std::string_view noVersion = "-";

QString readFailure() {
    return QCoreApplication::translate("rz6::ReplayFile",
                                       "再生ファイル「%1」を読めませんでした。\n理由：%2");
}
QString writeFailure() {
    return QCoreApplication::translate("rz6::ReplayFile",
                                       "再生ファイル「%1」に書き出せませんでした。\n理由：%2");
}
QString damagedReason() {
    return QCoreApplication::translate("rz6::ReplayFile",
                                       "このゲームの再生ファイルではないか、壊れています");
}

// A game version as the file keeps it: a short word of letters, digits and ". + ~ -".
bool plainVersion(std::string_view version) {
    if (version.empty() || version.size() > 32 || version == noVersion)
        return false;
    for (const char c : version)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
              c == '.' || c == '+' || c == '~' || c == '-'))
            return false;
    return true;
}

std::string_view keyName(char16_t key) {
    static constexpr std::string_view digits[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    if (key >= u'0' && key <= u'9')
        return digits[key - u'0'];
    return key == Match::enterKey ? "Enter" : "?";
}

// Reads the text line by line, each exactly as the format writes it.
class LineReader {
public:
    explicit LineReader(std::string_view text) : rest_(text) {}

    // The next line without its line feed; false at the end, or for a last line without one.
    bool line(std::string_view& into) {
        const std::size_t end = rest_.find('\n');
        if (end == std::string_view::npos)
            return false;
        into = rest_.substr(0, end);
        rest_.remove_prefix(end + 1);
        return true;
    }
    // The next line, which must be "<name> <value>".
    bool field(std::string_view name, std::string_view& value) {
        std::string_view text;
        if (!line(text) || text.size() <= name.size() + 1 || !text.starts_with(name) ||
            text[name.size()] != ' ')
            return false;
        value = text.substr(name.size() + 1);
        return true;
    }
    template <typename Number> bool number(std::string_view name, Number& value) {
        std::string_view text;
        return field(name, text) && parse(text, value);
    }
    // Lines still to come, at most.
    std::size_t linesLeft() const {
        return static_cast<std::size_t>(std::count(rest_.begin(), rest_.end(), '\n'));
    }
    bool atEnd() const { return rest_.empty(); }

    // A decimal number written as the format writes one: digits with a minus in front for a
    // negative one, nothing more, in the range of its type.
    template <typename Number> static bool parse(std::string_view text, Number& value) {
        if (text.empty() || text.front() == '+')
            return false;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        return error == std::errc() && end == text.data() + text.size();
    }

private:
    std::string_view rest_;
};

bool parseTechniques(std::string_view text, std::vector<LandedTechnique>& into) {
    if (text == "-")
        return true;
    while (!text.empty()) {
        const std::size_t space = text.find(' ');
        const std::string_view item = text.substr(0, space);
        const std::size_t colon = item.find(':');
        LandedTechnique landed;
        if (colon == std::string_view::npos ||
            !LineReader::parse(item.substr(0, colon), landed.techniqueId) ||
            !LineReader::parse(item.substr(colon + 1), landed.count) || landed.techniqueId < 0 ||
            landed.techniqueId >= techniqueCount || landed.count < 1 ||
            (!into.empty() && into.back().techniqueId >= landed.techniqueId))
            return false;
        into.push_back(landed);
        if (space == std::string_view::npos)
            break;
        text.remove_prefix(space + 1);
        if (text.empty())
            return false; // a space at the end of the line
    }
    return !into.empty();
}

bool parseEvent(std::string_view text, MatchEvent& event) {
    if (text.size() < 3 || text[1] != ' ')
        return false;
    const char kind = text[0];
    std::string_view rest = text.substr(2);
    const std::size_t space = rest.find(' ');
    if (!LineReader::parse(rest.substr(0, space), event.atMs) || event.atMs < 0)
        return false;
    if (kind == 'T' || kind == 'P') {
        event.kind = kind == 'T' ? MatchEventKind::Tick : MatchEventKind::PauseEnd;
        event.key = 0;
        return space == std::string_view::npos;
    }
    if (kind != 'K' || space == std::string_view::npos)
        return false;
    const std::string_view key = rest.substr(space + 1);
    event.kind = MatchEventKind::Key;
    if (key == "Enter")
        event.key = Match::enterKey;
    else if (key.size() == 1 && key[0] >= '0' && key[0] <= '9')
        event.key = static_cast<char16_t>(key[0]);
    else
        return false;
    return true;
}

} // namespace

QByteArray replayFileText(const ReplayMatch& match) {
    std::string out;
    auto line = [&out](std::string_view name, const std::string& value) {
        out.append(name).append(" ").append(value).append("\n");
    };
    const ReplayFigures& f = match.figures;
    line(magic, std::to_string(replayFileVersion));
    line("game",
         match.rules.gameVersion.empty() ? std::string(noVersion) : match.rules.gameVersion);
    char hash[17] = {};
    std::to_chars(hash, hash + 16, match.rules.rulesHash, 16);
    line("rules", std::string(16 - std::char_traits<char>::length(hash), '0') + hash);
    line("log", std::to_string(match.logFormat));
    line("character", std::to_string(match.character));
    line("seed", std::to_string(match.boardSeed));
    line("score", std::to_string(f.score));
    std::string techniques;
    for (const LandedTechnique& landed : f.techniques) {
        if (!techniques.empty())
            techniques += ' ';
        techniques += std::to_string(landed.techniqueId) + ':' + std::to_string(landed.count);
    }
    line("techniques", techniques.empty() ? "-" : techniques);
    line("landings", std::to_string(f.landings));
    line("combo", std::to_string(f.longestCombo));
    line("misses", std::to_string(f.misses));
    line("blocks", std::to_string(f.blocks));
    line("counters", std::to_string(f.counters));
    line("abandons", std::to_string(f.abandons));
    line("events", std::to_string(match.events.size()));
    for (const MatchEvent& event : match.events) {
        switch (event.kind) {
        case MatchEventKind::Key:
            out.append("K ").append(std::to_string(event.atMs)).append(" ");
            out.append(keyName(event.key)).append("\n");
            break;
        case MatchEventKind::Tick:
            line("T", std::to_string(event.atMs));
            break;
        case MatchEventKind::PauseEnd:
            line("P", std::to_string(event.atMs));
            break;
        }
    }
    out.append("end\n");
    return QByteArray(out.data(), static_cast<qsizetype>(out.size()));
}

ParsedReplay parseReplayFile(QByteArrayView bytes) {
    ParsedReplay parsed;
    if (bytes.size() > maxReplayFileSize)
        return parsed;
    LineReader in(std::string_view(bytes.data(), static_cast<std::size_t>(bytes.size())));
    if (!in.number(magic, parsed.version) || parsed.version < 1)
        return parsed;
    if (parsed.version > replayFileVersion) {
        parsed.status = ParsedReplay::Status::Newer;
        return parsed;
    }
    ReplayMatch& m = parsed.match;
    ReplayFigures& f = m.figures;
    std::string_view game, rules, techniques;
    std::size_t events = 0;
    const bool head =
        in.field("game", game) && (game == noVersion || plainVersion(game)) &&
        in.field("rules", rules) && rules.size() == 16 && in.number("log", m.logFormat) &&
        m.logFormat >= 0 && in.number("character", m.character) && m.character >= -1 &&
        m.character < characterCount && in.number("seed", m.boardSeed) &&
        in.number("score", f.score) && in.field("techniques", techniques) &&
        parseTechniques(techniques, f.techniques) && in.number("landings", f.landings) &&
        in.number("combo", f.longestCombo) && in.number("misses", f.misses) &&
        in.number("blocks", f.blocks) && in.number("counters", f.counters) &&
        in.number("abandons", f.abandons) && in.number("events", events);
    if (!head)
        return parsed;
    const auto [hashEnd, hashError] =
        std::from_chars(rules.data(), rules.data() + rules.size(), m.rules.rulesHash, 16);
    if (hashError != std::errc() || hashEnd != rules.data() + rules.size() ||
        rules.find_first_not_of("0123456789abcdef") != std::string_view::npos)
        return parsed;
    if (game != noVersion)
        m.rules.gameVersion = std::string(game);
    // Counted before anything is kept: a count the file cannot hold is refused at once.
    if (events >= in.linesLeft())
        return parsed;
    m.events.reserve(events);
    std::string_view text;
    for (std::size_t i = 0; i < events; ++i) {
        MatchEvent event;
        if (!in.line(text) || !parseEvent(text, event))
            return parsed;
        m.events.push_back(event);
    }
    if (!in.line(text) || text != "end" || !in.atEnd())
        return parsed;
    parsed.status = ParsedReplay::Status::Ok;
    return parsed;
}

ReplayFileRead readReplayFile(const QByteArray& path) {
    ReplayFileRead read;
    const QString shown = QFile::decodeName(path);
    auto failure = [&](const QString& reason) {
        read.result = {false, readFailure().arg(shown, reason)};
        read.match = {};
        return read;
    };
    const RegularFile file = regularFile(path, FileAccess::Read);
    if (!file.ok())
        return failure(file.problem.reason());
    const QString tooLarge = QCoreApplication::translate(
                                 "rz6::ReplayFile", "大きすぎます（再生ファイルは %1 バイトまで）")
                                 .arg(maxReplayFileSize);
    if (file.info.st_size > maxReplayFileSize)
        return failure(tooLarge);
    // One byte more than may be there: a file that grew since it was looked at shows.
    QByteArray bytes(maxReplayFileSize + 1, Qt::Uninitialized);
    std::size_t got = 0;
    if (!readUpTo(file.fd.get(), bytes.data(), static_cast<std::size_t>(bytes.size()), got))
        return failure(FileProblem{errno, 0}.reason());
    if (got > static_cast<std::size_t>(maxReplayFileSize))
        return failure(tooLarge);
    bytes.truncate(static_cast<qsizetype>(got));
    ParsedReplay parsed = parseReplayFile(bytes);
    switch (parsed.status) {
    case ParsedReplay::Status::Ok:
        read.result = {};
        read.match = std::move(parsed.match);
        return read;
    case ParsedReplay::Status::Newer:
        return failure(QCoreApplication::translate("rz6::ReplayFile",
                                                   "新しい版のゲームで作られたファイルです（版 "
                                                   "%1、このゲームは版 %2 まで）")
                           .arg(parsed.version)
                           .arg(replayFileVersion));
    case ParsedReplay::Status::Damaged:
        break;
    }
    return failure(damagedReason());
}

FileResult writeReplayFile(const ReplayMatch& match, const QByteArray& path,
                           const QList<QByteArray>& protectedFiles) {
    const QString shown = QFile::decodeName(path);
    auto failure = [&](const QString& reason) {
        return FileResult{false, writeFailure().arg(shown, reason)};
    };
    if (isProtectedFile(path, protectedFiles))
        return failure(protectedFileReason());
    // Never a file this game would not read back as the same match.
    const QByteArray text = replayFileText(match);
    const ParsedReplay again = parseReplayFile(text);
    if (again.status != ParsedReplay::Status::Ok || !(again.match == match))
        return failure(damagedReason());
    if (const FileProblem problem = replaceWhole(path, text, usualFileMode()); problem.failed())
        return failure(problem.reason());
    return {};
}

} // namespace rz6
