#include "combat/status_table.h"

namespace dv {

std::int32_t StatusOfEffect(int effectType) {
    if (effectType >= kEffectSleep && effectType <= 27) return std::int32_t{1} << (effectType - 15);
    switch (effectType) {
        case kEffectStone:
            return kStatusStone;
        case kEffectDeath:
            return kStatusDead;
        case kEffectAshes:
            return kStatusAshes;
        case kEffectLost:
            return kStatusLost;
        case 34:
            return kStatusDeadlyPoison;
        default:
            return 0;
    }
}

std::string_view StatusSetMessage(std::int32_t bit) {
    switch (bit) {
        case kStatusSleep:
            return "は\n眠らされた";
        case kStatusParalysis:
            return "は\n麻痺した";
        case kStatusFear:
            return "は\n恐怖に犯された";
        case kStatusConfusion:
            return "は\n混乱した";
        case kStatusFrozen:
            return "は\n凍りついた";
        case kStatusShocked:
            return "は\n感電した";
        case kStatusCharm:
            return "は\n魅了された";
        case kStatusPoison:
        case kStatusDeadlyPoison:
            return "は\n毒に犯された";
        case kStatusSilence:
            return "は\n沈黙した";
        case kStatusBlind:
            return "は\n目が見えなくなった";
        case kStatusFly:
            return "は\n蝿と化した";
        case kStatusCarrot:
            return "は\nニンジンと化した";
        case kStatusDisease:
            return "は\n病気に冒された";
        case kStatusStone:
            return "は\n石化した";
        case kStatusDead:
            return "は\nくびをはねられた！";
        case kStatusAshes:
            return "は\n灰燼と化した！！";
        case kStatusLost:
            return "は\nロストした！！！";
        default:
            return {};
    }
}

}  // namespace dv
