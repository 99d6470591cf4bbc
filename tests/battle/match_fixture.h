// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include "battle/match.h"
#include "scripted_random_source.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace rz6::test {

// A match on a board the test deals itself. Keys are typed as text: '\r' is Enter.
class MatchFixture : public ::testing::Test {
protected:
    ScriptedRandomSource random;
    Match match{random};
    // What every strike and Enter handed back, in order.
    std::vector<StrikeResult> results;

    // Deals the 16 cells in index order and starts the match.
    void start(std::string_view board) {
        ASSERT_EQ(board.size(), 16u);
        random.queueDigits(board);
        match.start();
        ASSERT_EQ(random.remaining(), 0u);
    }

    void type(std::string_view keys) {
        for (char key : keys)
            if (auto result = match.press(static_cast<char16_t>(static_cast<unsigned char>(key))))
                results.push_back(*result);
    }

    void endPause() {
        for (StrikeResult& result : match.endPause())
            results.push_back(std::move(result));
    }

    // Types a key sequence and launches it (with 0 unless it has nine digits). The cells it
    // spends are refilled in cell order with `refill`, which must be exactly what is drawn.
    void launch(std::string_view digits, std::string_view refill) {
        random.queueDigits(refill);
        type(digits);
        if (digits.size() != 9)
            type("0");
        EXPECT_TRUE(match.pausing()) << digits;
        EXPECT_EQ(random.remaining(), 0u) << digits << ": spent cells and refill differ";
    }

    // Launches a key sequence, gives every spent cell its old digit back and ends the pause.
    void strikeKeepingBoard(std::string_view digits) {
        const std::string before = board();
        std::string refill;
        for (int cell : cellsTakenBy(digits))
            refill += before[cell];
        launch(digits, refill);
        endPause();
        EXPECT_EQ(board(), before);
    }

    // The cells a strike would take: for each digit, the first unspent cell showing it, up to
    // the first digit missing from the board. Returned in cell order.
    std::vector<int> cellsTakenBy(std::string_view digits) const {
        std::string cells = board();
        std::vector<bool> taken(16, false);
        for (char digit : digits) {
            const auto cell = cells.find(digit);
            if (cell == std::string::npos)
                break;
            taken[cell] = true;
            cells[cell] = '-';
        }
        std::vector<int> result;
        for (int cell = 0; cell < 16; ++cell)
            if (taken[cell])
                result.push_back(cell);
        return result;
    }

    // The digits that can be taken, as a 16-character text.
    std::string board() const {
        std::string text;
        for (std::uint8_t digit : match.boardDigits())
            text += static_cast<char>('0' + digit);
        return text;
    }

    // The digits the cells show.
    std::string shownBoard() const {
        std::string text;
        for (int cell = 0; cell < Match::cellCount; ++cell)
            text += static_cast<char>('0' + match.cellDigit(cell));
        return text;
    }

    std::string spentCells() const {
        std::string text;
        for (int cell = 0; cell < Match::cellCount; ++cell)
            text += match.cellSpent(cell) ? 'R' : '.';
        return text;
    }

    void ticks(int count) {
        for (int i = 0; i < count; ++i)
            match.tick();
    }

    void expectKeypadMatchesBoard() const {
        const std::string shown = shownBoard();
        for (int digit = 1; digit <= 9; ++digit)
            EXPECT_EQ(match.keypadShown(digit),
                      shown.find(static_cast<char>('0' + digit)) != std::string::npos)
                << "keypad mark " << digit;
    }
};

} // namespace rz6::test
