#pragma once

// What a stay at the inn ends with: a very old character may die, birthdays turn days into
// years, and the character is either told how much experience it still lacks or rises
// exactly one level. Then hit points are capped and spell points restored.

#include <string>
#include <string_view>
#include <vector>

#include "core/data/character.h"
#include "core/data/database.h"
#include "core/data/dice.h"

namespace dv {

inline constexpr int kSkillNoBirthdays = 67;
inline constexpr int kSkillNoOldAge = 68;
// Days are folded into years only past this many.
inline constexpr int kDaysPerYear = 365;

enum class RestResult { kDiedOfAge, kStillLacking, kRoseLevel };

struct RestOutcome {
    RestResult result = RestResult::kStillLacking;
    // The dialogs to show, in order.
    std::vector<std::string> dialogs;
};

// The rest outcome for a character who has just stayed (days added, healing done). On
// kDiedOfAge the record is left as it was: the caller erases the slot. Otherwise the
// record changes only when every step succeeds. A level below 1 or an experience that is
// not a number (only a damaged save has them), or a sum that would leave its field, throws
// FieldRangeError and changes nothing.
RestOutcome RestAfterStay(Character& c, const Database& db, Rng& rng);

// The missing-experience line: "次のＬＶまであと" + the amount in full-width digits +
// "ポイントです".
std::string MissingExperienceText(double missing);

}  // namespace dv
