#include "town/inn_rules.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <iterator>

#include "characters/healing.h"
#include "characters/roster_rules.h"
#include "core/data/checked.h"

namespace dv {

namespace {

// Full-width digits, point, signs and spaces as their ASCII forms; other text is kept.
std::string narrowDigits(std::string_view text) {
    static constexpr std::string_view kWide[] = {"０", "１", "２", "３", "４", "５", "６",
                                                 "７", "８", "９", "．", "＋", "－", "　"};
    static constexpr char kNarrow[] = "0123456789.+- ";
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        bool replaced = false;
        for (std::size_t k = 0; k < std::size(kWide); ++k) {
            if (text.substr(i, kWide[k].size()) == kWide[k]) {
                out += kNarrow[k];
                i += kWide[k].size();
                replaced = true;
                break;
            }
        }
        if (!replaced) out += text[i++];
    }
    return out;
}

}  // namespace

bool MayStayAtInn(const Character& c) {
    return (c.status & (kStatusLost | kStatusAshes | kStatusDead | kStatusDisease)) == 0;
}

std::string InnRoomPrompt(const Character& c) {
    return "いらっしゃいませ\r" + c.name + "　さん\rどの部屋に泊まりますか？";
}

double LeadingNumber(std::string_view text) {
    const std::string narrow = narrowDigits(text);
    std::size_t i = narrow.find_first_not_of(" \t");
    if (i == std::string::npos) return 0;
    // Only a plain decimal: sign, digits, point, digits, exponent. strtod would also read
    // hexadecimal numbers, infinities and NaN.
    std::size_t end = i;
    if (end < narrow.size() && (narrow[end] == '+' || narrow[end] == '-')) ++end;
    std::size_t digits = 0;
    while (end < narrow.size() && std::isdigit(static_cast<unsigned char>(narrow[end]))) {
        ++end;
        ++digits;
    }
    if (end < narrow.size() && narrow[end] == '.') {
        ++end;
        while (end < narrow.size() && std::isdigit(static_cast<unsigned char>(narrow[end]))) {
            ++end;
            ++digits;
        }
    }
    if (digits == 0) return 0;
    if (end < narrow.size() && (narrow[end] == 'e' || narrow[end] == 'E')) {
        std::size_t exp = end + 1;
        if (exp < narrow.size() && (narrow[exp] == '+' || narrow[exp] == '-')) ++exp;
        if (exp < narrow.size() && std::isdigit(static_cast<unsigned char>(narrow[exp]))) {
            end = exp;
            while (end < narrow.size() && std::isdigit(static_cast<unsigned char>(narrow[end])))
                ++end;
        }
    }
    return std::strtod(narrow.substr(i, end - i).c_str(), nullptr);
}

WeeksAnswer WeeksOfAnswer(std::string_view answer) {
    const double weeks = LeadingNumber(answer);
    // The longest stay is measured in whole weeks (3000.4 is 3000), the shortest on the
    // answer itself (0.7 is no stay).
    const double whole = std::nearbyint(weeks);
    if (whole > kLongestStay) return {WeeksAnswer::kTooLong, 0};
    if (weeks < 1) return {WeeksAnswer::kCancelled, 0};
    return {WeeksAnswer::kWeeks, static_cast<int>(whole)};
}

double StayCost(int room, int weeks) {
    if (room < 0 || room >= static_cast<int>(kInnRooms.size())) return 0;
    return static_cast<double>(weeks) * kInnRooms[static_cast<std::size_t>(room)].pricePerWeek;
}

bool CanPay(const Character& c, double cost) {
    return c.gold >= cost;
}

StayResult StayAtInn(SaveData& save, int slot, int room, int weeks, const Database& db, Rng& rng) {
    if (slot < 1 || slot >= kRosterSlots) throw FieldRangeError("slot", slot);
    if (room < 0 || room >= static_cast<int>(kInnRooms.size())) throw FieldRangeError("room", room);
    const InnRoom& r = kInnRooms[static_cast<std::size_t>(room)];
    Character guest = save.roster[static_cast<std::size_t>(slot)];

    StayResult result;
    result.sleepDialog = guest.name + "は\n" + std::string(r.sleepText);
    if (room == kFreeRoom) {
        checkedAdd(guest.ageDays, 1, "ageDays");
    } else {
        HealHitPoints(guest, std::int64_t{weeks} * r.hitPointsPerWeek);
        guest.gold -= StayCost(room, weeks);
        checkedAdd(guest.ageDays, std::int64_t{weeks} * 7, "ageDays");
    }
    result.rest = RestAfterStay(guest, db, rng);

    if (result.rest.result == RestResult::kDiedOfAge)
        DeleteCharacter(save, slot);
    else
        save.roster[static_cast<std::size_t>(slot)] = guest;
    return result;
}

}  // namespace dv
