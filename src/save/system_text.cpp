// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "save/system_text.h"

#include <QCoreApplication>

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
    {EACCES, QT_TRANSLATE_NOOP("rz6::SystemText", "アクセスが許可されていません")},
    {EPERM, QT_TRANSLATE_NOOP("rz6::SystemText", "アクセスが許可されていません")},
    {ENOSPC, QT_TRANSLATE_NOOP("rz6::SystemText", "ディスクに空きがありません")},
    {EDQUOT, QT_TRANSLATE_NOOP("rz6::SystemText", "ディスクの使用量の上限に達しました")},
    {EROFS, QT_TRANSLATE_NOOP("rz6::SystemText", "読み取り専用の場所です")},
    {ENOENT, QT_TRANSLATE_NOOP("rz6::SystemText", "ファイルまたはフォルダがありません")},
    {ENOTDIR, QT_TRANSLATE_NOOP("rz6::SystemText", "途中のフォルダがフォルダではありません")},
    {EISDIR, QT_TRANSLATE_NOOP("rz6::SystemText", "フォルダです")},
    {ENAMETOOLONG, QT_TRANSLATE_NOOP("rz6::SystemText", "ファイルの場所を示す名前が長すぎます")},
    {EFBIG, QT_TRANSLATE_NOOP("rz6::SystemText", "ファイルの大きさの上限を超えます")},
    {EIO, QT_TRANSLATE_NOOP("rz6::SystemText", "読み書きの途中で装置のエラーが起きました")},
    {ELOOP, QT_TRANSLATE_NOOP("rz6::SystemText", "シンボリックリンクです")},
    {EMFILE, QT_TRANSLATE_NOOP("rz6::SystemText", "開いているファイルが多すぎます")},
    {ENFILE, QT_TRANSLATE_NOOP("rz6::SystemText", "開いているファイルが多すぎます")},
    {ENOMEM, QT_TRANSLATE_NOOP("rz6::SystemText", "メモリが足りません")},
    {EEXIST, QT_TRANSLATE_NOOP("rz6::SystemText", "同じ名前のものが既にあります")},
    {EBUSY, QT_TRANSLATE_NOOP("rz6::SystemText", "使用中です")},
    {ETXTBSY, QT_TRANSLATE_NOOP("rz6::SystemText", "使用中です")},
    {EAGAIN, QT_TRANSLATE_NOOP("rz6::SystemText", "今は使えません")},
    {ENXIO, QT_TRANSLATE_NOOP("rz6::SystemText", "装置がありません")},
    {ENODEV, QT_TRANSLATE_NOOP("rz6::SystemText", "装置がありません")},
};

} // namespace

QString reasonText(int error) {
    for (const Reason& reason : reasons)
        if (reason.error == error)
            return QCoreApplication::translate("rz6::SystemText", reason.text);
    return QCoreApplication::translate("rz6::SystemText", "システムのエラー（番号 %1）").arg(error);
}

QString fileKindName(mode_t mode) {
    if (S_ISLNK(mode))
        return QCoreApplication::translate("rz6::SystemText", "シンボリックリンク");
    if (S_ISDIR(mode))
        return QCoreApplication::translate("rz6::SystemText", "フォルダ");
    if (S_ISFIFO(mode))
        return QCoreApplication::translate("rz6::SystemText", "名前付きパイプ（FIFO）");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QCoreApplication::translate("rz6::SystemText", "デバイスファイル");
    if (S_ISSOCK(mode))
        return QCoreApplication::translate("rz6::SystemText", "ソケット");
    if (S_ISREG(mode))
        return QCoreApplication::translate("rz6::SystemText", "通常のファイル");
    return QCoreApplication::translate("rz6::SystemText", "種類のわからないファイル");
}

QString notRegularReason(mode_t mode) {
    return QCoreApplication::translate("rz6::SystemText", "通常のファイルではなく、%1です")
        .arg(fileKindName(mode));
}

} // namespace rz6
