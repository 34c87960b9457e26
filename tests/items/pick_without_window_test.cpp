// The member choice without windows (the bot): the game's answerer names a roster slot of
// the party; anything else is no choice.

#include <gtest/gtest.h>

#include <string>

#include "characters/party.h"
#include "core/game.h"
#include "items/select_box.h"

namespace dv {
namespace {

TEST(PickWithoutWindow, OnlyASlotOfThePartyIsTaken) {
    Game game;
    for (int slot : {2, 5}) {
        game.save.roster[static_cast<size_t>(slot)].rosterId = slot;
        AddToParty(game, slot);
    }
    struct Case {
        const char* answer;
        int picked;
    };
    for (const Case& c : {Case{"5", 5}, Case{"2", 2}, Case{"3", -1}, Case{"0", -1}, Case{"-1", -1},
                          Case{"5x", -1}, Case{"", -1}, Case{"99999999999", -1}}) {
        game.answerPrompt = [&c](const std::string&, int) { return std::string(c.answer); };
        EXPECT_EQ(PickPartyMember(game, false, "だれ？"), c.picked) << c.answer;
    }
    game.answerPrompt = nullptr;
    EXPECT_EQ(PickPartyMember(game, false, "だれ？"), -1);
}

}  // namespace
}  // namespace dv
