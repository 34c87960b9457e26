#pragma once

// The inn's rooms and what a stay does: the price per week, the healing, the days that
// pass, and the rest outcome that follows (see characters/rest.h).

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "characters/rest.h"
#include "core/data/database.h"
#include "core/data/dice.h"
#include "core/data/save_data.h"

namespace dv {

struct InnRoom {
    int pricePerWeek;
    int hitPointsPerWeek;
    std::string_view sleepText;
    std::string_view tooLongText;  // the refusal of a stay past the longest
};

// In the order of the inn's menu; the free room takes one night and asks nothing.
inline constexpr std::array<InnRoom, 5> kInnRooms{{
    {0, 0, "寝苦しそうに眠っている・・・", ""},
    {10, 1, "眠っている・・・", "そんな長く寝ると体をこわしますよ"},
    {50, 3, "健やかに眠っている・・・", "最近睡眠不足なのかい？"},
    {100, 5, "気持ちよく眠っている・・・", "君の人生に悲しい事でもあったのかい？"},
    {150, 10, "リッチな気分で眠っている・・・",
     "お客様，申し訳ありませんが\rそのような長居は困りますm(_ _)m"},
}};
inline constexpr int kFreeRoom = 0;
inline constexpr int kLongestStay = 3000;  // weeks
inline constexpr std::string_view kCannotStayMessage = "その人は泊まれませんよ";

// Lost, ashen, dead or diseased characters are turned away; a stoned one may stay.
bool MayStayAtInn(const Character& c);

// The prompt once a guest is taken.
std::string InnRoomPrompt(const Character& c);

// The answer to "何週間宿泊しますか？": its leading decimal number (full-width digits as
// typed with the input method count too; anything else is 0), rounded to whole weeks with
// halves to the even neighbour. Past the longest stay it is refused; below one week the
// stay is cancelled.
struct WeeksAnswer {
    enum Kind { kCancelled, kTooLong, kWeeks } kind = kCancelled;
    int weeks = 0;
};
WeeksAnswer WeeksOfAnswer(std::string_view answer);
// The leading decimal number of a text, 0 without one.
double LeadingNumber(std::string_view text);

// weeks x the room's price.
double StayCost(int room, int weeks);
// A guest without that much gold (or whose gold is not a number) cannot pay.
bool CanPay(const Character& c, double cost);

struct StayResult {
    std::string sleepDialog;  // name + "は\n" + the room's sleep text
    RestOutcome rest;
};

// The guest of roster slot `slot` sleeps in a room (weeks ignored for the free room):
// pays, heals, ages by the days, then the rest outcome runs. A guest who dies of old age
// is erased from the roster. All or nothing: a sum that would leave its field throws
// FieldRangeError before anything changed.
StayResult StayAtInn(SaveData& save, int slot, int room, int weeks, const Database& db, Rng& rng);

}  // namespace dv
