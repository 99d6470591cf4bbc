// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#pragma once

#include <array>
#include <string_view>

#include "battle/technique_catalogue.h"
#include "common/translatable_text.h"
#include "common/twips_box.h"
#include "save/record_table.h"

namespace rz6 {

// Where a technique's row sits: one of the two columns of the technique tab (children of
// that tab's frame), or the "四天六門" frame that gathers the techniques no key sequence
// reaches (children of that frame).
enum class RecordGroup { LeftColumn, RightColumn, HiddenGates };

// One row of the technique tab. The captions are this screen's own texts; some differ from
// the battle's messages and are never compared with them. The description is several lines
// joined by CR LF: the name with its reading, then lines that each open with U+3000.
struct TechniqueRecordEntry {
    std::string_view nameCaption;
    std::string_view sequenceCaption; // empty for the techniques no sequence reaches
    std::string_view description;
    RecordGroup group = RecordGroup::LeftColumn;
    TwipsBox nameBox;
    TwipsBox countBox;
    TwipsBox sequenceBox;
};

// The forty rows, indexed by techniqueId.
const std::array<TechniqueRecordEntry, techniqueCount>& techniqueRecordEntries();

// The description of the "四天六門" frame itself, shown when the frame is pointed at or
// clicked outside its labels.
std::string_view hiddenGatesDescription();

// The fixed layout of the record screen: sizes in twips, colours as 0x00BBGGRR.
namespace recordLayout {

inline constexpr int clientWidth = 9270;
inline constexpr int clientHeight = 6375;
inline constexpr int labelHeight = 255;

inline constexpr TwipsBox tabStrip{0, 0, 9255, 6375};
inline constexpr TwipsBox scoreFrame{240, 360, 8895, 1815};     // tab 1, the five best totals
inline constexpr TwipsBox techniqueFrame{240, 360, 8895, 5895}; // tab 2, the techniques
inline constexpr TwipsBox closeButton{8160, 0, 735, 375};       // in either frame

// The rectangles that frame the two columns, and the "四天六門" frame, in the technique tab.
inline constexpr TwipsBox leftColumnShape{0, 0, 3975, 4455};
inline constexpr TwipsBox rightColumnTopShape{4080, 0, 3975, 1455};
inline constexpr TwipsBox rightColumnBottomShape{4080, 1560, 4335, 2895};
inline constexpr TwipsBox hiddenGatesFrame{0, 4560, 8895, 1335};

// One caption for each of the best totals, best first.
inline constexpr std::array<std::string_view, bestTotalCount> bestTotalCaptions{
    RZ6_TRANSLATABLE("Game", "壱"), RZ6_TRANSLATABLE("Game", "弐"), RZ6_TRANSLATABLE("Game", "参"),
    RZ6_TRANSLATABLE("Game", "四"), RZ6_TRANSLATABLE("Game", "五")};

constexpr TwipsBox rankBox(int row) {
    return {0, 360 * row, 495, labelHeight};
}
constexpr TwipsBox totalBox(int row) {
    return {480, 360 * row, 1095, labelHeight};
}

inline constexpr unsigned int rankColor = 0x00C0C0FF;
inline constexpr unsigned int totalColor = 0x00C0E0FF;
inline constexpr unsigned int nameColor = 0x00FFC0C0;
inline constexpr unsigned int countColor = 0x00FFFFC0;
inline constexpr unsigned int sequenceColor = 0x00C0E0FF;

} // namespace recordLayout

} // namespace rz6
