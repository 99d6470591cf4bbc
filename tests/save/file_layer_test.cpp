// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// The small file layer every file of the game is built from: the one regular-file check and
// the one way a file is written.
#include "save/file_layer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <deque>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

// The system's read and write, as the file layer calls them, are wrapped at link time
// (-Wl,--wrap): they pass through, except on the descriptor a test names, where its planned
// answers come first, one a call: -errno fails with that error, 0 answers "nothing done", and
// a positive number lets at most that many bytes through.
namespace {
int faultyFd = -1;
std::deque<long> plannedAnswers;

template <typename Real> ssize_t planned(int fd, std::size_t& size, Real real) {
    if (fd != faultyFd || plannedAnswers.empty())
        return real(size);
    const long answer = plannedAnswers.front();
    plannedAnswers.pop_front();
    if (answer < 0) {
        errno = int(-answer);
        return -1;
    }
    if (answer == 0)
        return 0;
    size = std::min(size, std::size_t(answer));
    return real(size);
}
} // namespace

extern "C" ssize_t __real_write(int fd, const void* data, std::size_t size);
extern "C" ssize_t __real_read(int fd, void* into, std::size_t size);
extern "C" ssize_t __wrap_write(int fd, const void* data, std::size_t size) {
    return planned(fd, size, [&](std::size_t n) { return __real_write(fd, data, n); });
}
extern "C" ssize_t __wrap_read(int fd, void* into, std::size_t size) {
    return planned(fd, size, [&](std::size_t n) { return __real_read(fd, into, n); });
}

namespace rz6 {
namespace {

TEST(JoinPath, PutsExactlyOneSlashBetweenFolderAndName) {
    EXPECT_EQ(joinPath("/home/player/rz6", "rz6.DAT"), "/home/player/rz6/rz6.DAT");
    EXPECT_EQ(joinPath("/", "rz6.DAT"), "/rz6.DAT");
    EXPECT_EQ(joinPath("", "rz6.DAT"), "/rz6.DAT");
    // Only the folder's last character counts; the name is taken as it stands.
    EXPECT_EQ(joinPath("/srv", "/rz6.DAT"), "/srv//rz6.DAT");
    EXPECT_EQ(joinPath("/srv/", ""), "/srv/");
}

// A file larger than any single read or write the system may do at once goes out and comes
// back whole; a read stops at the end of the file or at the size asked for.
TEST(FileLayer, WritesAllAndReadsUpToTheSizeAskedFor) {
    char name[] = "/tmp/rz6-file-layer-XXXXXX";
    FileDescriptor fd(::mkstemp(name));
    ASSERT_TRUE(fd.valid());
    ::unlink(name);
    std::string data(3 * 1024 * 1024 + 7, '\0');
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<char>(i * 31 % 251);
    ASSERT_TRUE(writeAll(fd.get(), data.data(), data.size()));
    EXPECT_TRUE(syncToDisk(fd.get()));

    std::string back(data.size() + 100, '\0');
    std::size_t got = 0;
    ASSERT_EQ(::lseek(fd.get(), 0, SEEK_SET), 0);
    ASSERT_TRUE(readUpTo(fd.get(), back.data(), back.size(), got));
    EXPECT_EQ(got, data.size());
    EXPECT_EQ(back.substr(0, got), data);
    ASSERT_EQ(::lseek(fd.get(), 0, SEEK_SET), 0);
    ASSERT_TRUE(readUpTo(fd.get(), back.data(), 10, got));
    EXPECT_EQ(got, 10u);
}

// Short writes and reads and calls interrupted by a signal are gone on with until the whole
// is done; a write that makes no progress fails as an input/output error, not for ever.
TEST(FileLayer, GoesOnAfterShortAndInterruptedCalls) {
    char name[] = "/tmp/rz6-file-layer-XXXXXX";
    FileDescriptor fd(::mkstemp(name));
    ASSERT_TRUE(fd.valid());
    ::unlink(name);
    faultyFd = fd.get();
    const std::string data = "0123456789abcdef";
    plannedAnswers = {-EINTR, 3, -EINTR, 1, 5};
    ASSERT_TRUE(writeAll(fd.get(), data.data(), data.size()));
    EXPECT_TRUE(plannedAnswers.empty());

    std::string back(data.size(), '\0');
    std::size_t got = 0;
    ASSERT_EQ(::lseek(fd.get(), 0, SEEK_SET), 0);
    plannedAnswers = {2, -EINTR, 7, -EINTR};
    ASSERT_TRUE(readUpTo(fd.get(), back.data(), back.size(), got));
    EXPECT_EQ(back.substr(0, got), data);

    plannedAnswers = {4, 0};
    errno = 0;
    EXPECT_FALSE(writeAll(fd.get(), data.data(), data.size()));
    EXPECT_EQ(errno, EIO);
    plannedAnswers = {-ENOSPC};
    EXPECT_FALSE(writeAll(fd.get(), data.data(), data.size()));
    EXPECT_EQ(errno, ENOSPC);
    faultyFd = -1;
}

// The folder of a path, at the root and for a bare name too.
TEST(FileLayer, FolderOfAPath) {
    EXPECT_EQ(folderOf("/home/player/rz6.DAT"), "/home/player");
    EXPECT_EQ(folderOf("/x"), "/");
    EXPECT_EQ(folderOf("rz6.DAT"), ".");
}

// A refusal is reported with the system's reason, and every descriptor closes itself.
TEST(FileLayer, RefusalsCarryTheirReasonAndDescriptorsCloseThemselves) {
    int raw = -1;
    {
        FileDescriptor readOnly(::open("/dev/null", O_RDONLY | O_CLOEXEC));
        ASSERT_TRUE(readOnly.valid());
        raw = readOnly.get();
        errno = 0;
        EXPECT_FALSE(writeAll(raw, "x", 1));
        EXPECT_EQ(errno, EBADF);
        FileDescriptor moved(std::move(readOnly));
        EXPECT_FALSE(readOnly.valid());
        EXPECT_EQ(moved.get(), raw);
    }
    EXPECT_EQ(::fcntl(raw, F_GETFD), -1);
    EXPECT_EQ(errno, EBADF);

    std::size_t got = 1;
    EXPECT_FALSE(readUpTo(-1, nullptr, 1, got));
    EXPECT_EQ(errno, EBADF);
}

QByteArray bytesAt(const QByteArray& path) {
    QFile file(QFile::decodeName(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool writeBytes(const QByteArray& path, const QByteArray& bytes) {
    QFile file(QFile::decodeName(path));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList entriesOf(const QTemporaryDir& dir) {
    return QDir(dir.path())
        .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
}

// Only a regular file passes the check, looked at or opened, and an opened one reads and
// writes as usual (blocking, in the mode asked for). A link (to a file or nowhere), a pipe, a
// device and a folder are refused with their kind and never opened, so a pipe cannot hold
// the game up; nothing at the name is told apart as missing.
TEST(RegularFile, OnlyARegularFileIsLookedAtOrOpened) {
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path());
    const QByteArray name = folder + "/rz6.DAT";
    const QByteArray victim = folder + "/victim";
    ASSERT_TRUE(writeBytes(victim, "not to be opened"));
    struct Case {
        const char* what;
        std::function<QByteArray()> make; // the path to look at
        mode_t kind;                      // 0: nothing there
    };
    const auto madeAtName = [&](bool made) { return made ? name : QByteArray(); };
    const Case cases[] = {
        {"regular file", [&] { return madeAtName(writeBytes(name, "record")); }, S_IFREG},
        {"nothing", [&] { return name; }, 0},
        {"link to a file",
         [&] { return madeAtName(::symlink(victim.constData(), name.constData()) == 0); }, S_IFLNK},
        {"dangling link", [&] { return madeAtName(::symlink("nowhere", name.constData()) == 0); },
         S_IFLNK},
        {"named pipe", [&] { return madeAtName(::mkfifo(name.constData(), 0600) == 0); }, S_IFIFO},
        {"device", [] { return QByteArray("/dev/null"); }, S_IFCHR},
        {"folder", [&] { return madeAtName(::mkdir(name.constData(), 0700) == 0); }, S_IFDIR},
    };
    for (const Case& c : cases) {
        for (const FileAccess access :
             {FileAccess::Look, FileAccess::Read, FileAccess::ReadWrite}) {
            SCOPED_TRACE(std::string(c.what) + ", access " + std::to_string(int(access)));
            ::unlink(name.constData());
            ::rmdir(name.constData());
            const QByteArray path = c.make();
            ASSERT_FALSE(path.isEmpty());
            const RegularFile found = regularFile(path, access);
            if (c.kind != S_IFREG) {
                EXPECT_FALSE(found.ok());
                EXPECT_FALSE(found.fd.valid());
                EXPECT_EQ(found.problem.missing(), c.kind == 0);
                EXPECT_EQ(found.problem.notRegularMode & S_IFMT, c.kind);
                EXPECT_FALSE(FileIdentity::at(path).known);
                continue;
            }
            ASSERT_TRUE(found.ok()) << found.problem.reason().toStdString();
            EXPECT_TRUE(FileIdentity::of(found.info).isAt(path));
            ASSERT_EQ(found.fd.valid(), access != FileAccess::Look);
            if (!found.fd.valid())
                continue;
            const int status = ::fcntl(found.fd.get(), F_GETFL);
            EXPECT_EQ(status & O_NONBLOCK, 0);
            EXPECT_EQ(status & O_ACCMODE, access == FileAccess::Read ? O_RDONLY : O_RDWR);
            char back[6] = {};
            std::size_t got = 0;
            ASSERT_TRUE(readUpTo(found.fd.get(), back, sizeof back, got));
            EXPECT_EQ(std::string(back, got), "record");
        }
    }
    EXPECT_EQ(bytesAt(victim), QByteArray("not to be opened"));
}

// A file is replaced whole, in one step, with the mode asked for whatever the umask: the old
// file is never written in place (a second name of it keeps the old bytes), and nothing is
// left beside it.
TEST(ReplaceWhole, ReplacesTheFileInOneStepWithTheModeAskedFor) {
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.filePath(QStringLiteral("rz6.conf")));
    const QByteArray oldName = QFile::encodeName(dir.filePath(QStringLiteral("old")));
    const mode_t mask = ::umask(077);
    EXPECT_FALSE(replaceWhole(path, "first", 0600).failed());
    ASSERT_EQ(::link(path.constData(), oldName.constData()), 0);
    const FileProblem second = replaceWhole(path, "second, longer", 0664);
    ::umask(mask);
    EXPECT_FALSE(second.failed()) << second.reason().toStdString();
    EXPECT_EQ(bytesAt(path), QByteArray("second, longer"));
    EXPECT_EQ(bytesAt(oldName), QByteArray("first"));
    struct stat made {};
    ASSERT_EQ(::stat(path.constData(), &made), 0);
    EXPECT_EQ(made.st_mode & 07777, 0664u);
    EXPECT_EQ(entriesOf(dir), (QStringList{QStringLiteral("old"), QStringLiteral("rz6.conf")}));
}

// A write that fails leaves whatever was at the name as it was, and no new file beside it:
// a content that cannot be written (a full disk), anything but a regular file at the name,
// also one put there while the new file was being written, and a folder that is not there.
TEST(ReplaceWhole, FailureLeavesTheNameAsItWasAndNoNewFile) {
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path());
    const QByteArray path = folder + "/rz6.DAT";
    const QByteArray victim = folder + "/victim";
    // What must be at the name afterwards: what was there before the write, or what was put
    // there meanwhile.
    struct stat kept {};
    bool keptThere = false;
    const auto remember = [&](const QByteArray& at) {
        kept = {};
        keptThere = ::lstat(at.constData(), &kept) == 0;
    };
    const auto written = [](int fd) { return writeAll(fd, "new", 3); };
    struct Case {
        const char* what;
        std::function<void()> make;
        std::function<bool(int)> fill;
        int error;
        mode_t kind;
        QByteArray at = {}; // where the write goes, when not at path
    };
    const Case cases[] = {
        {"full disk", [&] { writeBytes(path, "old"); },
         [](int) {
             errno = ENOSPC;
             return false;
         },
         ENOSPC, 0},
        {"link at the name", [&] { ::symlink(victim.constData(), path.constData()); }, written, 0,
         S_IFLNK},
        {"pipe at the name", [&] { ::mkfifo(path.constData(), 0600); }, written, 0, S_IFIFO},
        {"folder at the name", [&] { ::mkdir(path.constData(), 0700); }, written, 0, S_IFDIR},
        {"pipe put there meanwhile", [&] { writeBytes(path, "old"); },
         [&](int fd) {
             ::unlink(path.constData());
             const bool made = ::mkfifo(path.constData(), 0600) == 0;
             remember(path);
             return made && writeAll(fd, "new", 3);
         },
         0, S_IFIFO},
        {"no folder", [] {}, written, ENOENT, 0, folder + "/gone/rz6.DAT"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ::unlink(path.constData());
        ::rmdir(path.constData());
        ASSERT_TRUE(writeBytes(victim, "not the record"));
        c.make();
        const QByteArray at = c.at.isEmpty() ? path : c.at;
        remember(at);
        const QStringList before = entriesOf(dir);
        const FileProblem problem = replaceWhole(at, c.fill, {0600, std::nullopt});
        EXPECT_EQ(problem.error, c.error);
        EXPECT_EQ(problem.notRegularMode & S_IFMT, c.kind);
        EXPECT_EQ(entriesOf(dir), before);
        struct stat now {};
        ASSERT_EQ(::lstat(at.constData(), &now) == 0, keptThere);
        EXPECT_EQ(now.st_ino, kept.st_ino);
        EXPECT_EQ(now.st_mode, kept.st_mode);
        if (S_ISREG(now.st_mode)) {
            EXPECT_EQ(bytesAt(at), QByteArray("old"));
        }
        EXPECT_EQ(bytesAt(victim), QByteArray("not the record"));
    }
}

} // namespace
} // namespace rz6
