#pragma once

// The class-change rule of the training grounds. The screen asks and shows; these
// functions decide and change the record.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/data/character.h"
#include "core/data/database.h"
#include "core/data/dice.h"
#include "core/data/save_data.h"

namespace dv {

// The command is offered when some character could change: rosterId above 0, floor 0,
// dungeonId 0 and status 0. Otherwise the screen shows kNoCharacterMessage.
bool ClassChangeAvailable(const SaveData& save);
inline constexpr std::string_view kNoCharacterMessage = "キャラクターはいません";

// Roster slots the picker lists in class-change mode: rosterId above 0 and floor 0.
std::vector<int> ClassChangeCandidates(const SaveData& save);

// The class list: every allowed class bit in class-index order (the screen appends "止める").
// Empty: the screen shows kNoClassMessage.
inline constexpr std::string_view kClassListCaption = "どの職業に就きますか？";
inline constexpr std::string_view kStopItem = "止める";
inline constexpr std::string_view kNoClassMessage = "転職できる職業がありません";
inline constexpr std::string_view kSameClassMessage = "同じ職業にはなれませんよ";

// The question asked before the change: name + "は" + line break + class + "に転職しますか？".
std::string ClassChangeQuestion(const Character& c, std::int32_t classBit);

// Changes the class after a yes: level 1, a little older, no experience, attributes and
// race values afresh, spell points recounted, first-level spells for a spell class, no
// skills, nothing equipped. Returns the message the screen shows after saving the game.
// The record is changed only when every step succeeds (FieldRangeError otherwise).
std::string ApplyClassChange(Character& c, std::int32_t classBit, const Database& db, Rng& rng);

// The spell kind whose first-level spells a class learns on changing to it, or -1.
int FirstLevelSpellKind(std::int32_t classBit);

}  // namespace dv
