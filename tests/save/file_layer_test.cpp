// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// The small file layer the record, its lock and its place are built from.
#include "save/file_layer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <deque>
#include <string>
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

} // namespace
} // namespace rz6
