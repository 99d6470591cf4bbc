// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "common/join_path.h"

#include <gtest/gtest.h>

namespace rz6 {
namespace {

// Exactly one separator ends up between folder and name, whatever the folder ends with.
TEST(JoinPath, PutsExactlyOneSeparatorBetweenFolderAndName) {
    EXPECT_EQ(joinPath("D:\\games\\sword", "rz6.DAT", '\\'), "D:\\games\\sword\\rz6.DAT");
    EXPECT_EQ(joinPath("D:\\", "rz6.DAT", '\\'), "D:\\rz6.DAT");
    EXPECT_EQ(joinPath("/home/player/rz6", "rz6.DAT", '/'), "/home/player/rz6/rz6.DAT");
    EXPECT_EQ(joinPath("/", "rz6.DAT", '/'), "/rz6.DAT");
}

TEST(JoinPath, EmptyFolderGivesSeparatorAndName) {
    EXPECT_EQ(joinPath("", "rz6.DAT", '\\'), "\\rz6.DAT");
    EXPECT_EQ(joinPath("", "rz6.DAT"), std::string(1, nativeSeparator) + "rz6.DAT");
}

// Only the folder's last character counts; the other system's separator is just a character
// and the name is never touched, even when it starts with a separator itself.
TEST(JoinPath, LooksOnlyAtTheFoldersLastCharacter) {
    EXPECT_EQ(joinPath("C:\\data/", "rz6.DAT", '\\'), "C:\\data/\\rz6.DAT");
    EXPECT_EQ(joinPath("/srv", "/rz6.DAT", '/'), "/srv//rz6.DAT");
    EXPECT_EQ(joinPath("/srv/", "", '/'), "/srv/");
}

TEST(JoinPath, UsesTheNativeSeparatorByDefault) {
#ifdef _WIN32
    EXPECT_EQ(nativeSeparator, '\\');
#else
    EXPECT_EQ(nativeSeparator, '/');
#endif
    EXPECT_EQ(joinPath("folder", "rz6.DAT"), std::string("folder") + nativeSeparator + "rz6.DAT");
}

} // namespace
} // namespace rz6
