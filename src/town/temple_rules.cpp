#include "town/temple_rules.h"

#include "characters/races_classes.h"
#include "characters/roster_rules.h"
#include "core/data/checked.h"
#include "core/data/message.h"
#include "core/data/text.h"

namespace dv {

namespace {

// One condition's rate per level, in the order the fee looks at them.
struct Rate {
    std::int32_t bit;
    double perLevel;
};
constexpr Rate kRates[] = {
    {kStatusParalysis, 100}, {kStatusStone, 500}, {kStatusDead, 250},   {kStatusAshes, 1000},
    {kStatusDisease, 500},   {kStatusFly, 1000},  {kStatusCarrot, 700},
};

// The conditions a payment cures for the living, one per payment.
constexpr std::int32_t kCureOrder[] = {kStatusStone, kStatusParalysis, kStatusDisease,
                                       kStatusCarrot, kStatusFly};

bool validSlot(int slot) {
    return slot >= 1 && slot < kRosterSlots;
}

// A raise that succeeded.
std::string raise(Character& c) {
    c.status = (c.status & kStatusCurseMark) ? kStatusCurseMark : 0;
    c.hitPoints = c.maxHitPoints;
    // A tally shown on the sheet: it stops at its field's limit.
    c.ripCount = clampToField<std::int32_t>(std::int64_t{c.ripCount} + 1);
    if (c.vitality > 1) --c.vitality;
    return std::string(Message(1020));
}

}  // namespace

std::vector<TemplePatient> TemplePatients(const SaveData& save) {
    std::vector<TemplePatient> patients;
    for (int slot = 1; slot < kRosterSlots; ++slot) {
        const Character& c = save.roster[static_cast<std::size_t>(slot)];
        if (c.floor == 0 && (c.status & kTempleStatusMask) != 0)
            patients.push_back({slot, TempleFee(c)});
    }
    return patients;
}

double TempleFee(const Character& c) {
    for (const Rate& r : kRates)
        if (c.status & r.bit) return static_cast<double>(c.level) * r.perLevel;
    return 0;
}

std::string TempleRowText(const Character& c, double fee) {
    const std::string row =
        FieldLeft(c.name, 10) + " " + FieldRight(ClassLabel(c.alignment, c.classBit), 5) + " " +
        FieldRight(StatusName(c.status), 2) + " " + FieldRight(FormatNumberZero(fee), 10);
    return ToWide(row);
}

TreatmentResult PayAndTreat(SaveData& save, int payerSlot, int patientSlot, double fee, Rng& rng) {
    if (!validSlot(payerSlot)) throw FieldRangeError("slot", payerSlot);
    if (!validSlot(patientSlot)) throw FieldRangeError("slot", patientSlot);
    Character& payer = save.roster[static_cast<std::size_t>(payerSlot)];
    if (!(payer.gold >= fee)) return {false, {}};

    Character patient = save.roster[static_cast<std::size_t>(patientSlot)];
    // A negative level (a damaged record) would pay the payer.
    if (fee < 0) throw FieldRangeError("level", patient.level);

    TreatmentResult result{true, {}};
    bool vanished = false;
    if (patient.status & kStatusAshes) {
        if (rollDice(rng, 1, patient.vitality, 0) <= 1) {
            vanished = true;
            result.message = patient.name + std::string(Message(1024)) + std::string(Message(1022));
        } else {
            result.message = raise(patient);
        }
    } else if (patient.status & kStatusDead) {
        if (rollDice(rng, 1, patient.vitality, 0) <= 1) {
            patient.status = kStatusAshes;
            result.message = patient.name + std::string(Message(1021));
        } else {
            result.message = raise(patient);
        }
    } else {
        for (std::int32_t bit : kCureOrder) {
            if (patient.status & bit) {
                patient.status &= ~bit;
                result.message = std::string(Message(1020));
                break;
            }
        }
    }

    if (payerSlot == patientSlot)
        patient.gold -= fee;
    else
        payer.gold -= fee;
    if (vanished)
        DeleteCharacter(save, patientSlot);
    else
        save.roster[static_cast<std::size_t>(patientSlot)] = patient;
    return result;
}

}  // namespace dv
