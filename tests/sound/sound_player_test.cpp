// SPDX-License-Identifier: MIT
// Copyright (c) 2026 ソードリズム制作班
// The game's side of its sounds, with a stand-in for the sound library: nothing is loaded
// before it is needed (nor inside the handling of the key that first asks), switched off
// means nothing loads, and a missing library is tried once.
#include "sound/sound_player.h"

#include "qt_test_support.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace rz6 {
namespace {

using sound::Cue;
using Cues = std::vector<std::pair<Cue, int>>;

struct Library {
    Cues played;
    std::vector<bool> switched;
    std::string name, applicationId;
    int loads = 0;
    bool present = true;
};

class FakeCues : public sound::SoundCues {
public:
    explicit FakeCues(Library& library) : library_(library) {}
    void play(Cue cue, int step) override { library_.played.emplace_back(cue, step); }
    void setEnabled(bool enabled) override { library_.switched.push_back(enabled); }
    void setApplicationName(const char* name) override { library_.name = name; }
    sound::Connection connection() const override { return sound::Connection::Ready; }
    std::uint64_t cuesStarted() const override { return library_.played.size(); }

private:
    Library& library_;
};

class SoundPlayerTest : public ::testing::Test {
protected:
    SoundPlayerTest()
        : player(QStringLiteral("ソードリズム！　第弐章"),
                 [this](const sound::Identity& identity,
                        QString& problem) -> std::unique_ptr<sound::SoundCues> {
                     ++library.loads;
                     if (!library.present) {
                         problem = QStringLiteral("no sound library here");
                         return nullptr;
                     }
                     library.name = identity.applicationName;
                     library.applicationId = identity.applicationId;
                     return std::make_unique<FakeCues>(library);
                 }) {
        test::testApplication();
    }
    Library library;
    SoundPlayer player;
};

TEST_F(SoundPlayerTest, LoadsOnlyWhenPreparedThenPlaysUnderTheGamesNames) {
    QCoreApplication::processEvents();
    EXPECT_EQ(library.loads, 0);
    player.prepare();
    player.prepare();
    EXPECT_EQ(library.loads, 1);
    EXPECT_EQ(library.name, "ソードリズム！　第弐章");
    EXPECT_EQ(library.applicationId, "local.swordrhythm.rz6");

    StrikeResult lastTurn;
    lastTurn.outcome = StrikeOutcome::Technique;
    lastTurn.comboCount = 2;
    lastTurn.turnSpent = true;
    player.playStrike(lastTurn);
    player.playMoment(SoundMoment::ResultShown);
    EXPECT_EQ(library.played, (Cues{{Cue::Landing, 3}, {Cue::LastTurn, 1}, {Cue::Result, 1}}));
    player.setApplicationName(QStringLiteral("Sword Rhythm II"));
    EXPECT_EQ(library.name, "Sword Rhythm II");
}

// As a match starts (prepareSoon) or at its first cue, whichever comes first.
TEST_F(SoundPlayerTest, ACueBeforeThePreparationLoadsOnALaterTurnOfTheEventLoopAndStillPlays) {
    player.prepareSoon();
    player.play(Cue::Block);
    player.prepareSoon();
    EXPECT_EQ(library.loads, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(library.loads, 1);
    EXPECT_EQ(library.played, (Cues{{Cue::Block, 1}}));
}

TEST_F(SoundPlayerTest, SwitchedOffLoadsAndPlaysNothing) {
    player.setEnabled(false);
    player.prepare();
    player.prepareSoon();
    player.play(Cue::Miss);
    QCoreApplication::processEvents();
    EXPECT_EQ(library.loads, 0);

    player.setEnabled(true);
    player.play(Cue::Miss);
    QCoreApplication::processEvents();
    player.setEnabled(false);
    player.play(Cue::Miss);
    EXPECT_EQ(library.played, (Cues{{Cue::Miss, 1}}));
    EXPECT_EQ(library.switched, std::vector<bool>{false});
}

TEST_F(SoundPlayerTest, AMissingLibraryIsTriedOnceAndTheGamePlaysOnSilent) {
    library.present = false;
    player.prepare();
    player.play(Cue::Landing, 4);
    player.prepare();
    QCoreApplication::processEvents();
    EXPECT_EQ(library.loads, 1);
    EXPECT_FALSE(player.loaded());
}

} // namespace
} // namespace rz6
