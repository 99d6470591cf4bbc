// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// The history store behind HistoryKeeper, and the door into the store's library.
#include "history/history_csv.h"
#include "history/history_entry.h"
#include "history/history_keeper.h"
#include "history/history_store.h"

#include <QCoreApplication>

namespace rz6 {
namespace {

class StoreKeeper final : public HistoryKeeper {
public:
    explicit StoreKeeper(const QByteArray& nativePath) : store_(nativePath) {}

    FileResult append(const HistoryMatch& match) override { return store_.append(match); }

    std::vector<HistoryMatch> matches(Detail detail, FileResult& result) override {
        return store_.matches(detail == Detail::Whole ? HistoryStore::Detail::Whole
                                                      : HistoryStore::Detail::Figures,
                              &result);
    }

    QString problem() const override { return store_.problem(); }

    FileResult exportCsv(const QByteArray& path, const QList<QByteArray>& protectedFiles,
                         std::size_t& written) override {
        FileResult result;
        const std::vector<HistoryMatch> all = store_.matches(HistoryStore::Detail::Whole, &result);
        written = 0;
        if (!result.ok)
            return result;
        result = writeHistoryCsv(historyCsv(all), path,
                                 protectedFiles + HistoryStore::files(store_.nativePath()));
        if (result.ok)
            written = all.size();
        return result;
    }

    std::optional<HistoryMatch> wholeMatch(std::size_t index, FileResult& result) override {
        std::optional<HistoryMatch> match = store_.match(index, &result);
        if (!result.ok)
            return std::nullopt;
        if (!match) {
            // Only a history changed under the screen's feet comes here.
            result = {false, QCoreApplication::translate("rz6::HistoryScreen",
                                                         "この試合は戦績にもうありません。")};
            return std::nullopt;
        }
        return match;
    }

    FileResult exportReplay(std::size_t index, const QByteArray& path,
                            const QList<QByteArray>& protectedFiles) override {
        FileResult result;
        const std::optional<HistoryMatch> match = wholeMatch(index, result);
        if (!match)
            return result;
        return writeReplayFile(replayMatch(*match), path,
                               protectedFiles + HistoryStore::files(store_.nativePath()));
    }

    ReplayFileRead readReplay(const QByteArray& path) override { return readReplayFile(path); }

private:
    HistoryStore store_;
};

} // namespace

std::unique_ptr<HistoryKeeper> makeStoreKeeper(const QByteArray& nativePath) {
    return std::make_unique<StoreKeeper>(nativePath);
}

} // namespace rz6

extern "C" Q_DECL_EXPORT rz6::HistoryKeeper* rz6_open_history(int interface,
                                                              const QByteArray* nativePath) {
    if (interface != rz6::historyKeeperInterface || !nativePath)
        return nullptr;
    return rz6::makeStoreKeeper(*nativePath).release();
}
