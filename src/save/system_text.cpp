// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "save/system_text.h"

#include <cerrno>
#include <sys/stat.h>

namespace rz6 {

namespace {

// The reasons a file operation fails, as the player reads them.
struct Reason {
    int error;
    const char* text; // UTF-8
};

constexpr Reason reasons[] = {
    {EACCES, "アクセスが許可されていません"},
    {EPERM, "アクセスが許可されていません"},
    {ENOSPC, "ディスクに空きがありません"},
    {EDQUOT, "ディスクの使用量の上限に達しました"},
    {EROFS, "読み取り専用の場所です"},
    {ENOENT, "ファイルまたはフォルダがありません"},
    {ENOTDIR, "途中のフォルダがフォルダではありません"},
    {EISDIR, "フォルダです"},
    {ENAMETOOLONG, "ファイルの場所を示す名前が長すぎます"},
    {EFBIG, "ファイルの大きさの上限を超えます"},
    {EIO, "読み書きの途中で装置のエラーが起きました"},
    {ELOOP, "シンボリックリンクです"},
    {EMFILE, "開いているファイルが多すぎます"},
    {ENFILE, "開いているファイルが多すぎます"},
    {ENOMEM, "メモリが足りません"},
    {EEXIST, "同じ名前のものが既にあります"},
    {EBUSY, "使用中です"},
    {ETXTBSY, "使用中です"},
    {EAGAIN, "今は使えません"},
    {ENXIO, "装置がありません"},
    {ENODEV, "装置がありません"},
};

} // namespace

QString japaneseReason(int error) {
    for (const Reason& reason : reasons)
        if (reason.error == error)
            return QString::fromUtf8(reason.text);
    return QStringLiteral("システムのエラー（番号 %1）").arg(error);
}

QString fileKindName(mode_t mode) {
    if (S_ISLNK(mode))
        return QStringLiteral("シンボリックリンク");
    if (S_ISDIR(mode))
        return QStringLiteral("フォルダ");
    if (S_ISFIFO(mode))
        return QStringLiteral("名前付きパイプ（FIFO）");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("デバイスファイル");
    if (S_ISSOCK(mode))
        return QStringLiteral("ソケット");
    if (S_ISREG(mode))
        return QStringLiteral("通常のファイル");
    return QStringLiteral("種類のわからないファイル");
}

QString notRegularReason(mode_t mode) {
    return QStringLiteral("通常のファイルではなく、%1です").arg(fileKindName(mode));
}

} // namespace rz6
