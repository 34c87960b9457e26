#include "characters/rest.h"

#include <cmath>

#include "characters/experience.h"
#include "characters/level_up.h"
#include "core/data/checked.h"
#include "core/data/text.h"

namespace dv {

namespace {

constexpr int kOldAge = 80;

void checkStoredFields(const Character& c) {
    if (c.level < 1) throw FieldRangeError("level", c.level);
    if (!std::isfinite(c.experience)) throw FieldRangeError("experience", c.experience);
}

}  // namespace

std::string MissingExperienceText(double missing) {
    return "次のＬＶまであと" + ToWide(FormatNumberZero(missing)) + "ポイントです";
}

RestOutcome RestAfterStay(Character& original, const Database& db, Rng& rng) {
    checkStoredFields(original);
    RestOutcome out;

    const std::int32_t fate = rollDice(rng, 1, 3, 0);
    if (original.age > kOldAge && fate == 1 && original.skills[kSkillNoOldAge] == 0) {
        out.result = RestResult::kDiedOfAge;
        out.dialogs = {"・・・・・・・・", "どうやら私はここまでのようだ・・・",
                       original.name + "は\n静かに息を引き取った"};
        return out;
    }

    Character c = original;
    if (c.ageDays > kDaysPerYear) {
        if (c.skills[kSkillNoBirthdays] == 0) {
            out.dialogs.push_back("ハッピーバースデー\r＼(^o^)／\r" + c.name +
                                  "は\n誕生日を迎えました");
            // The age is a tally, not a rule: it stops at its field's limit.
            c.age = clampToField<std::int16_t>(std::int64_t{c.age} + c.ageDays / kDaysPerYear);
        }
        c.ageDays = static_cast<std::int16_t>(c.ageDays % kDaysPerYear);
    }

    const double missing = ExperienceForLevel(c.level, c.classBit, c.race) - c.experience;
    if (missing >= 1) {
        out.result = RestResult::kStillLacking;
        out.dialogs.push_back(MissingExperienceText(missing));
    } else {
        // One level only, however much experience is stored.
        out.result = RestResult::kRoseLevel;
        for (std::string& d : LevelUp(c, db, rng))
            out.dialogs.push_back(std::move(d));
    }

    if (c.hitPoints > c.maxHitPoints) c.hitPoints = c.maxHitPoints;
    for (int kind = 0; kind <= 3; ++kind)
        for (int level = 1; level <= 9; ++level)
            c.spellPoints(kind, level) = c.maxSpellPoints(kind, level);

    original = c;
    return out;
}

}  // namespace dv
