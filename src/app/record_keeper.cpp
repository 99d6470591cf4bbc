// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "app/record_keeper.h"

#include "app/message_presenter.h"
#include "common/saturating_add.h"
#include "save/record_file.h"
#include "save/record_lock.h"

namespace rz6 {

RecordKeeper::RecordKeeper(const QByteArray& nativePath, Reporter report)
    : nativePath_(nativePath), report_(std::move(report)),
      file_(std::make_unique<RecordFile>(nativePath)) {}

RecordKeeper::~RecordKeeper() = default;

void RecordKeeper::loadAtStart() {
    removeUnfinishedSaves(nativePath_);
    load();
}

void RecordKeeper::load() {
    if (const FileResult result = file_->load(table_); !result.ok)
        report_(result.message);
}

bool RecordKeeper::save() {
    if (lock_)
        if (const RecordLock::Result held = lock_->confirm(); !held.locked()) {
            report_(held.message);
            return false;
        }
    const FileResult result = file_->save(table_);
    if (!result.ok)
        report_(result.message);
    return result.ok;
}

bool RecordKeeper::saveWithoutDisplay() {
    const RecordLock::Result held = lock_ ? lock_->confirm() : RecordLock::Result{};
    const FileResult result = held.locked() ? file_->save(table_) : FileResult{false, held.message};
    if (!result.ok)
        tellOnStandardError(result.message);
    return result.ok;
}

void RecordKeeper::count(const StrikeResult& result) {
    if (!result.techniqueId)
        return;
    auto& landed = table_.at(static_cast<std::size_t>(*result.techniqueId + firstCountElement));
    landed = saturatingAdd(landed, 1);
}

} // namespace rz6
