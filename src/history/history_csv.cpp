// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "history/history_csv.h"

#include "battle/technique_catalogue.h"
#include "charselect/characters.h"
#include "common/qt_text.h"
#include "history/history_time.h"
#include "result/match_rating.h"
#include "save/file_layer.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QStringList>

#include <cstdlib>
#include <sys/stat.h>

namespace rz6 {

namespace {

QString quoted(QString field) {
    if (!field.contains(QLatin1Char(',')) && !field.contains(QLatin1Char('"')) &&
        !field.contains(QLatin1Char('\n')) && !field.contains(QLatin1Char('\r')))
        return field;
    field.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return QLatin1Char('"') + field + QLatin1Char('"');
}

// The moment the 戦績 screen shows, with the offset the player's clock had then: the screen
// puts every match on one clock, while an ISO 8601 time says its own offset, so a
// spreadsheet reads the same moment and the clock of the time is kept as well.
QString isoTime(const HistoryMatch& match) {
    return atUtcOffset(match.endedUtcMs, match.utcOffsetSeconds).toString(Qt::ISODateWithMs);
}

QString characterName(int index) {
    if (index < 0 || index >= characterCount)
        return QString::number(index);
    return translatedText("Game", characters()[static_cast<std::size_t>(index)].name);
}

// The rank without the spaces that pad it to four characters on the result screen.
QString plainRank(int rankClass) {
    if (rankClass < 1 || rankClass > rankClassCount)
        return QString::number(rankClass);
    QString name = translatedText("Game", rankName(rankClass));
    // Only the Japanese names are padded; an English one keeps the spaces between its words.
    if (name == fromUtf8(rankName(rankClass))) {
        name.remove(QChar(0x3000));
        name.remove(QLatin1Char(' '));
    }
    return name;
}

QString techniquesText(const HistoryMatch& match) {
    QStringList parts;
    for (const LandedTechnique& landed : match.techniques) {
        const auto technique = techniqueById(landed.techniqueId);
        const QString name = technique ? translatedText("Game", technique->name)
                                       : QStringLiteral("#%1").arg(landed.techniqueId);
        parts << QStringLiteral("%1×%2").arg(name).arg(landed.count);
    }
    return parts.join(QLatin1Char(' '));
}

// Each key as "<key>:<ms>", Enter written as "Enter".
QString keysText(const HistoryMatch& match) {
    QStringList parts;
    for (const TimedKey& key : match.keys) {
        const QString name = key.key == u'\r' ? QStringLiteral("Enter") : QString(QChar(key.key));
        parts << QStringLiteral("%1:%2").arg(name).arg(key.atMs);
    }
    return parts.join(QLatin1Char(' '));
}

// A path with its folder resolved through every link and "..", and its own name kept as
// given ("/data/rz6/rz6-history.sqlite-wal" for "link/../rz6/rz6-history.sqlite-wal").
QString exportFailure() {
    return QCoreApplication::translate("rz6::HistoryCsv",
                                       "CSVファイル「%1」に書き出せませんでした。\n理由：%2");
}

} // namespace

QByteArray historyCsv(const std::vector<HistoryMatch>& matches) {
    QString text = QCoreApplication::translate(
        "rz6::HistoryCsv", "終了日時,キャラ,評価点,技術点,総合評価,段位,最大コンボ,"
                           "命中,防御,空振り,反撃,中断,技,盤の種,キー\r\n");
    for (const HistoryMatch& m : matches) {
        const QStringList fields{isoTime(m),
                                 characterName(m.character),
                                 QString::number(m.score),
                                 QString::number(m.techniquePoints),
                                 QString::number(m.overallScore),
                                 plainRank(m.rankClass),
                                 QString::number(m.longestCombo),
                                 QString::number(m.landings),
                                 QString::number(m.blocks),
                                 QString::number(m.misses),
                                 QString::number(m.counters),
                                 QString::number(m.abandons),
                                 techniquesText(m),
                                 QString::number(m.boardSeed),
                                 keysText(m)};
        QStringList row;
        for (const QString& field : fields)
            row << quoted(field);
        text += row.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    return text.toUtf8();
}

FileResult writeHistoryCsv(const QByteArray& csv, const QByteArray& path,
                           const QList<QByteArray>& protectedFiles) {
    const QString shown = QFile::decodeName(path);
    auto failure = [&](const QString& reason) {
        return FileResult{false, exportFailure().arg(shown, reason)};
    };
    if (isProtectedFile(path, protectedFiles))
        return failure(protectedFileReason());
    // Written whole beside the target, then put in its place: never half a file, never through
    // a link or into a pipe. The mode is that of any file the player makes.
    if (const FileProblem problem = replaceWhole(path, csv, usualFileMode()); problem.failed())
        return failure(problem.reason());
    return {};
}

} // namespace rz6
