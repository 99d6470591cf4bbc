// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "save/system_text.h"

#include <cerrno>
#include <sys/stat.h>

namespace rz6 {

QString japaneseReason(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
        return QStringLiteral("アクセスが許可されていません");
    case ENOSPC:
        return QStringLiteral("ディスクに空きがありません");
    case EDQUOT:
        return QStringLiteral("ディスクの使用量の上限に達しました");
    case EROFS:
        return QStringLiteral("読み取り専用の場所です");
    case ENOENT:
        return QStringLiteral("ファイルまたはフォルダがありません");
    case ENOTDIR:
        return QStringLiteral("途中のフォルダがフォルダではありません");
    case EISDIR:
        return QStringLiteral("フォルダです");
    case ENAMETOOLONG:
        return QStringLiteral("ファイルの場所を示す名前が長すぎます");
    case EFBIG:
        return QStringLiteral("ファイルの大きさの上限を超えます");
    case EIO:
        return QStringLiteral("読み書きの途中で装置のエラーが起きました");
    case ELOOP:
        return QStringLiteral("シンボリックリンクです");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("開いているファイルが多すぎます");
    case ENOMEM:
        return QStringLiteral("メモリが足りません");
    case EEXIST:
        return QStringLiteral("同じ名前のものが既にあります");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("使用中です");
    case EAGAIN:
        return QStringLiteral("今は使えません");
    case ENXIO:
    case ENODEV:
        return QStringLiteral("装置がありません");
    default:
        return QStringLiteral("システムのエラー（番号 %1）").arg(error);
    }
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
