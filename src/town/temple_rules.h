#pragma once

// The temple's patients, their fees and the treatments: raising the dead and the ashes
// (which can fail), curing stone, paralysis, disease and the two transformations.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/data/dice.h"
#include "core/data/save_data.h"

namespace dv {

// Lost, ashes, dead, stone, disease, carrot, fly and paralysis.
inline constexpr std::int32_t kTempleStatusMask = 130050;
// The mark a curse leaves (see the items); a raise keeps it.
inline constexpr std::int32_t kStatusCurseMark = 524288;

inline constexpr std::string_view kTempleCaption = "アプスー寺院　誰を助けますか？ 選んで下さい";
inline constexpr std::string_view kTemplePayerCaption = "誰が助けますか？　　選んでください";
inline constexpr std::string_view kTempleBackRow = "戻る";
inline constexpr std::string_view kNobodyInTempleMessage = "寺院の中にはだれもいません";
inline constexpr std::string_view kTooPoorMessage = "貧乏人め！！";

struct TemplePatient {
    int slot = 0;
    double fee = 0;  // fixed when the list is built
};

// Every roster character out of the dungeon (floor 0) who needs help, in slot order, in the
// party or not.
std::vector<TemplePatient> TemplePatients(const SaveData& save);

// level x the rate of the first condition in the order paralysis 100, stone 500, dead 250,
// ashes 1000, disease 500, fly 1000, carrot 700; 0 for the lost bit alone.
double TempleFee(const Character& c);

// The list row: name in 10, class label in 5, status name in 2, fee in 10, blank-separated,
// all in full width.
std::string TempleRowText(const Character& c, double fee);

struct TreatmentResult {
    bool paid = false;    // false: the payer has too little gold and nothing changed
    std::string message;  // what the temple says; empty when nothing could be done
};

// The payer pays the fee and the patient is treated: ashes rise or vanish for good, the
// dead rise or turn to ashes (each failing on a 1 of a die of the patient's vitality); for
// the living, one condition is cured per payment (stone, paralysis, disease, carrot, fly in
// this order). A raise clears every status but the curse mark, restores the hit points,
// counts one more rise and costs a point of vitality above 1. All or nothing: a sum that
// would leave its field throws FieldRangeError before anything changed.
TreatmentResult PayAndTreat(SaveData& save, int payerSlot, int patientSlot, double fee, Rng& rng);

}  // namespace dv
