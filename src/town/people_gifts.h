#pragma once

// The people's gifts, apart from the conversation's screen: what a person does with an
// item given (the trades 630 → 613, 614 → 634, 617 → 637, 637 → 638, the wine's seal,
// the queen's answer for the apple) and the words that earn one ("卑しい盗賊" → 609,
// "７２匹" → 656). Their texts are shown through the message dialog.

#include <functional>
#include <span>
#include <string>

namespace dv {

struct Game;

// The numbered texts of the people (the message table, or a test's own).
using MessageText = std::function<std::string(int)>;

// What a person gives for an item handed over: the reward item (0 none) and the flag set to
// 1 (-1 none). The conversation and the bot read the same table.
struct GiftTrade {
    int person = 0;
    int item = 0;
    int reward = 0;
    int flag = -1;
};
std::span<const GiftTrade> GiftTrades();

// A word that earns a gift from a person (some only once the person's own condition holds).
struct WordGiftRule {
    int person = 0;
    const char* word = "";
    int reward = 0;
};
std::span<const WordGiftRule> WordGifts();

// A member (roster slot) gives one unit of the item in its pack slot to the person, who
// reacts as its rules say. False, and nothing changes, for an empty, cursed or worn slot.
bool GiveToPerson(Game& game, int person, int member, int slot, const MessageText& text);

// The person's answer to a word that earns a gift; false for every other word (the
// conversation answers those from its replies).
bool WordGift(Game& game, int person, const std::string& word, const MessageText& text);

}  // namespace dv
