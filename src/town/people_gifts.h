#pragma once

// The people's gifts, apart from the conversation's screen: what a person does with an
// item given (the trades 630 → 613, 614 → 634, 617 → 637, 637 → 638, the wine's seal,
// the queen's answer for the apple) and the words that earn one ("卑しい盗賊" → 609,
// "７２匹" → 656). Their texts are shown through the message dialog.

#include <functional>
#include <string>

namespace dv {

struct Game;

// The numbered texts of the people (the message table, or a test's own).
using MessageText = std::function<std::string(int)>;

// A member (roster slot) gives one unit of the item in its pack slot to the person, who
// reacts as its rules say. False, and nothing changes, for an empty, cursed or worn slot.
bool GiveToPerson(Game& game, int person, int member, int slot, const MessageText& text);

// The person's answer to a word that earns a gift; false for every other word (the
// conversation answers those from its replies).
bool WordGift(Game& game, int person, const std::string& word, const MessageText& text);

}  // namespace dv
