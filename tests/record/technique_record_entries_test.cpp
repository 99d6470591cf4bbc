// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
#include "record/technique_record_entries.h"

#include "battle/technique_catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace rz6 {
namespace {

const std::string ideographicSpace = "\u3000";

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find("\r\n", start);
        lines.emplace_back(text.substr(start, end - start));
        if (end == std::string_view::npos)
            return lines;
        start = end + 2;
    }
}

std::string withoutIdeographicSpaces(std::string_view text) {
    std::string result(text);
    for (std::size_t at; (at = result.find(ideographicSpace)) != std::string::npos;)
        result.erase(at, ideographicSpace.size());
    return result;
}

// Every description is 3 to 6 lines joined by CR LF; every line after the heading opens
// with U+3000, and no lone CR or LF hides inside a line.
void expectDescriptionShape(std::string_view description, const std::string& what) {
    const auto lines = splitLines(description);
    EXPECT_GE(lines.size(), 3u) << what;
    EXPECT_LE(lines.size(), 6u) << what;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].find_first_of("\r\n"), std::string::npos) << what << " line " << i;
        EXPECT_FALSE(lines[i].empty()) << what << " line " << i;
        if (i > 0) {
            EXPECT_EQ(lines[i].rfind(ideographicSpace, 0), 0u) << what << " line " << i;
            EXPECT_GT(lines[i].size(), ideographicSpace.size()) << what << " line " << i;
        }
    }
}

TEST(TechniqueRecordEntries, EveryDescriptionHasHeadingAndIndentedLinesJoinedByCrLf) {
    const auto& entries = techniqueRecordEntries();
    for (int id = 0; id < techniqueCount; ++id)
        expectDescriptionShape(entries[id].description, "technique " + std::to_string(id));
    expectDescriptionShape(hiddenGatesDescription(), "四天六門");
    EXPECT_EQ(splitLines(hiddenGatesDescription())[0], "四天六門（してんろくもん）");
}

// The heading is the name with its reading. Three headings differ from the caption on
// this screen (the two double-dragon breaks share one heading; 39's heading spells the
// name differently), so those are checked word for word.
TEST(TechniqueRecordEntries, HeadingNamesTheTechniqueWithItsReading) {
    const auto& entries = techniqueRecordEntries();
    for (int id = 0; id < techniqueCount; ++id) {
        if (id == 22 || id == 23 || id == 39)
            continue;
        const std::string heading = splitLines(entries[id].description)[0];
        std::string name = withoutIdeographicSpaces(entries[id].nameCaption);
        if (id >= 27 && id <= 36)
            name = "四天六門・" + name;
        EXPECT_EQ(heading.rfind(name + "（", 0), 0u) << id << ": " << heading;
        EXPECT_EQ(heading.substr(heading.size() - std::string("）").size()), "）") << id;
    }
    const std::string doubleDragon =
        "双龍破斬・嵐刃（乱刃）（そうりゅうはざん・らんじん）（みだれやいば）";
    EXPECT_EQ(splitLines(entries[22].description)[0], doubleDragon);
    EXPECT_EQ(splitLines(entries[23].description)[0], doubleDragon);
    EXPECT_NE(entries[22].description, entries[23].description);
    EXPECT_EQ(splitLines(entries[39].description)[0], "二刀連突・迦楼羅（にとうれんとつ・かるら）");
    EXPECT_EQ(splitLines(entries[35].description)[0], "四天六門・星破（刃）\u3000（せいは）");
    EXPECT_EQ(splitLines(entries[13].description)[0],
              "逆四天六門・輪廻転生（ぎゃくしてんろくもん・りんねてんせい）");
}

// Expands a sequence caption into the sequences it names: alternatives split at "/", and
// "x" standing for one and the same digit throughout.
std::vector<std::string> sequencesOf(std::string_view caption) {
    std::vector<std::string> result;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = caption.find('/', start);
        const std::string part(caption.substr(start, end - start));
        if (part.find('x') == std::string::npos) {
            result.push_back(part);
        } else {
            for (char digit = '1'; digit <= '9'; ++digit) {
                std::string filled = part;
                for (char& c : filled)
                    if (c == 'x')
                        c = digit;
                result.push_back(filled);
            }
        }
        if (end == std::string_view::npos)
            return result;
        start = end + 1;
    }
}

// The screen tells the player how to strike each technique: every sequence it shows must
// strike that very technique in battle, and every sequence that strikes it in battle must
// be shown. The one exception is the second half of "斗波二連", which this screen has
// always listed though battle does not take it.
TEST(TechniqueRecordEntries, CaptionShowsExactlyTheSequencesThatStrikeTheTechnique) {
    const auto& entries = techniqueRecordEntries();
    for (int id = 0; id < techniqueCount; ++id) {
        if (isReservedTechnique(id)) {
            EXPECT_TRUE(entries[id].sequenceCaption.empty()) << id;
            continue;
        }
        ASSERT_FALSE(entries[id].sequenceCaption.empty()) << id;
        std::vector<std::string> shown = sequencesOf(entries[id].sequenceCaption);
        if (id == 16) {
            EXPECT_EQ(std::erase(shown, "963741"), 1u);
            EXPECT_FALSE(lookupTechnique("963741").has_value());
        }
        for (const std::string& sequence : shown) {
            const auto found = lookupTechnique(sequence);
            ASSERT_TRUE(found.has_value()) << id << ": " << sequence;
            EXPECT_EQ(found->techniqueId, id) << sequence;
        }
        for (const std::string& sequence : keySequences(id))
            EXPECT_NE(std::find(shown.begin(), shown.end(), sequence), shown.end())
                << id << ": " << sequence << " strikes it but is not shown";
    }
}

bool inside(const TwipsBox& inner, const TwipsBox& outer) {
    return inner.left >= outer.left && inner.top >= outer.top &&
           inner.left + inner.width <= outer.left + outer.width &&
           inner.top + inner.height <= outer.top + outer.height;
}

bool overlapBy(const TwipsBox& a, const TwipsBox& b, int allowance) {
    const int across = std::min(a.left + a.width, b.left + b.width) - std::max(a.left, b.left);
    const int down = std::min(a.top + a.height, b.top + b.height) - std::max(a.top, b.top);
    return across > allowance && down > allowance;
}

// Rows stay inside their rectangles, and no two labels of one container cover each other
// (neighbouring labels of a row share their 15-twip border line, one pixel).
TEST(TechniqueRecordEntries, RowsFitTheirFramesAndNeverOverlap) {
    using namespace recordLayout;
    const auto& entries = techniqueRecordEntries();
    const TwipsBox gateArea{0, 0, hiddenGatesFrame.width, hiddenGatesFrame.height};
    for (int id = 0; id < techniqueCount; ++id) {
        const auto& e = entries[id];
        EXPECT_EQ(e.group == RecordGroup::HiddenGates, isReservedTechnique(id)) << id;
        for (const TwipsBox& box : {e.nameBox, e.countBox, e.sequenceBox}) {
            EXPECT_EQ(box.height, labelHeight) << id;
            switch (e.group) {
            case RecordGroup::LeftColumn:
                EXPECT_TRUE(inside(box, leftColumnShape)) << id;
                break;
            case RecordGroup::RightColumn:
                EXPECT_TRUE(inside(box, rightColumnTopShape) || inside(box, rightColumnBottomShape))
                    << id;
                break;
            case RecordGroup::HiddenGates:
                EXPECT_TRUE(inside(box, gateArea)) << id;
                break;
            }
        }
    }
    for (int a = 0; a < techniqueCount; ++a) {
        for (int b = 0; b < techniqueCount; ++b) {
            if (entries[a].group != entries[b].group)
                continue;
            const TwipsBox boxesA[] = {entries[a].nameBox, entries[a].countBox,
                                       entries[a].sequenceBox};
            const TwipsBox boxesB[] = {entries[b].nameBox, entries[b].countBox,
                                       entries[b].sequenceBox};
            for (int i = 0; i < 3; ++i) {
                for (int j = 0; j < 3; ++j) {
                    if (a != b || i != j) {
                        EXPECT_FALSE(overlapBy(boxesA[i], boxesB[j], 15))
                            << a << "/" << i << " and " << b << "/" << j;
                    }
                }
            }
        }
    }
}

TEST(TechniqueRecordEntries, PlacesFollowTheScreenLayout) {
    const auto& entries = techniqueRecordEntries();
    // "斗　波" in the left column, third row.
    EXPECT_EQ(entries[9].nameBox, (TwipsBox{120, 720, 1455, 255}));
    EXPECT_EQ(entries[9].countBox, (TwipsBox{1560, 720, 735, 255}));
    EXPECT_EQ(entries[9].sequenceBox, (TwipsBox{2280, 720, 1575, 255}));
    EXPECT_EQ(entries[6].nameBox.top, 4080);
    EXPECT_EQ(entries[7].nameBox.top, 3840);
    // Nine-digit sequences take the wider caption in the lower right rectangle.
    for (int id : {2, 14, 15, 21, 22, 23, 37, 38, 39}) {
        EXPECT_EQ(entries[id].group, RecordGroup::RightColumn) << id;
        EXPECT_EQ(entries[id].sequenceBox.width, 1935) << id;
    }
    EXPECT_EQ(entries[16].sequenceBox, (TwipsBox{6360, 360, 1575, 255}));
    // The reversed gate: a wide name with its count and sequence on the line below.
    EXPECT_EQ(entries[13].nameBox, (TwipsBox{6480, 720, 2295, 255}));
    EXPECT_EQ(entries[13].countBox, (TwipsBox{6480, 960, 735, 255}));
    EXPECT_EQ(entries[13].sequenceBox, (TwipsBox{7200, 960, 1575, 255}));
    // The gates: three columns of four rows.
    EXPECT_EQ(entries[27].nameBox, (TwipsBox{120, 240, 615, 255}));
    EXPECT_EQ(entries[29].countBox, (TwipsBox{3600, 960, 735, 255}));
    EXPECT_EQ(entries[35].sequenceBox, (TwipsBox{7200, 480, 1575, 255}));
    EXPECT_EQ(recordLayout::totalBox(4), (TwipsBox{480, 1440, 1095, 255}));
}

} // namespace
} // namespace rz6
