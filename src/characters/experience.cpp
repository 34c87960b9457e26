#include "characters/experience.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace dv {

namespace {

struct ExperienceRow {
    std::int32_t classBit;
    std::array<double, 20> levels;  // levels 1..20
    double base;                    // above level 20: base + (level - k) * step
    int k;
    double step;
};

constexpr std::array<ExperienceRow, 17> kExperienceRows{{
    {1,
     {1000,   2500,   5000,   13000,   35000,   85034,   133040,  190900,  266005,  366002,
      501001, 674056, 900012, 1189011, 1553016, 1950123, 2409554, 2905412, 3450023, 4034033},
     4034033,
     20,
     600495},
    {2,
     {900,    2300,   4500,   12000,   31000,   80034,   140040,  200900,  286005,  386002,
      521001, 704056, 950012, 1259016, 1621231, 2040123, 2509401, 3025990, 3590776, 4243354},
     4243354,
     20,
     662933},
    {4,
     {1200,   2600,   5100,   14000,   35000,   85034,   133040,  190900,  266005,  366002,
      501001, 674056, 900012, 1189016, 1521231, 1940123, 2409044, 2995202, 3575630, 4204033},
     4204033,
     20,
     640594},
    {8,
     {800,    2000,   4000,   10000,   30000,   78034,   103040,  150900,  216005,  316002,
      451001, 604056, 800012, 1059016, 1321231, 1650123, 2029110, 2445412, 2915427, 3424093},
     3424093,
     20,
     536934},
    {16,
     {1500,   3000,   6500,    15500,   42000,   90034,   140040,  220900,  306063,  406044,
      551032, 747056, 1000819, 1309016, 1721221, 2240123, 2834214, 3442323, 4120234, 4850932},
     4830932,
     20,
     809404},
    {32,
     {1000,   2400,   4600,   14000,   33000,   82039,   144930,  204920,  294029,  383049,
      520933, 710934, 951093, 1264983, 1629093, 2079504, 2519033, 3034039, 3594049, 4259303},
     4259303,
     20,
     669830},
    {64,
     {1200,   2700,   5200,   14800,   38000,   87064,   139040,  193600,  263233,  385434,
      529989, 721212, 969653, 1301521, 1687243, 2090723, 2529506, 3001293, 3592400, 4309677},
     4309677,
     20,
     710023},
    {128,
     {1100,   2650,   5000,   13400,   36800,   85034,   133040,  190900,  276005,  379002,
      521001, 704056, 950012, 1289016, 1641231, 2020123, 2499401, 3005302, 3590400, 4273354},
     4273354,
     20,
     699094},
    {256,
     {1300,   2600,   5500,   14000,   36700,   87034,   139040,  199999,  271543,  388777,
      539195, 699940, 985000, 1299016, 1670034, 2120123, 2584394, 3100393, 3749220, 4444930},
     4444930,
     20,
     717033},
    {512,
     {1350,   2700,   5500,   13500,   37000,   87034,   139040,  199999,  271543,  388777,
      540001, 710056, 999101, 1300001, 1705554, 2140123, 2634394, 3159675, 3803849, 4502348},
     4502348,
     20,
     739201},
    {1024,
     {1800,   4000,   7000,    15500,   44444,   91220,   140921,  233904,  333202,  450443,
      589033, 767043, 1020819, 1359016, 1794434, 2260123, 2840394, 3459393, 4150432, 4890494},
     4890494,
     15,
     813930},
    {2048,
     {1150,   2700,   5100,   13800,   37000,   86034,   138040,  192600,  262005,  384432,
      529031, 720011, 969653, 1300551, 1687243, 2090723, 2529506, 3000293, 3590400, 4305034},
     4305034,
     20,
     708030},
    {8192,
     {900,    2450,   4500,   13000,   32000,   80939,   143003,  204403,  290394,  389203,
      520049, 710009, 951182, 1264940, 1620492, 2053303, 2503943, 3020393, 3575940, 4220393},
     4220393,
     20,
     661920},
    {16384,
     {1300,   2600,   5300,   13500,   35904,   87034,   130765,  197049,  270494,  386049,
      528393, 685043, 970955, 1284032, 1658690, 2104933, 2560594, 3100003, 3739034, 4404939},
     4404939,
     20,
     780933},
    {32768,
     {1000,   2500,   5000,   16000,   33000,   82099,   145445,  221552,  296685,  392992,
      546666, 754556, 986012, 1309455, 1700044, 2205123, 2809401, 3425990, 4090776, 4795444},
     4745444,
     20,
     812933},
    {65536,
     {1100,   2600,   5100,   17500,   34000,   83122,   146544,  223043,  297584,  394203,
      548849, 756504, 989403, 1310202, 1703043, 2208123, 2812906, 3429997, 4095656, 4799486},
     4799486,
     20,
     812933},
    {131072,
     {1900,   4200,   7500,    17500,   46677,   97888,   156921,  251234,  335202,  479656,
      619033, 799043, 1060439, 1400342, 1834434, 2305123, 2887394, 3509393, 4199544, 4950887},
     4950887,
     20,
     875455},
}};

double raceFactor(std::int32_t race) {
    switch (race) {
        case 2:
            return 1.01;
        case 4:
            return 0.999;
        case 8:
            return 0.998;
        case 16:
            return 1.002;
        case 32:
            return 1.003;
        case 64:
            return 1.005;
        case 128:
            return 1.003;
        case 256:
            return 0.995;
        case 512:
            return 0.998;
        default:
            return 1.0;
    }
}

// To 15 significant digits first, so that 2311.4999999999995 counts as the half it is
// meant to be; then to the even neighbour of a half.
double roundWhole(double v) {
    char text[64];
    std::snprintf(text, sizeof text, "%.15g", v);
    return std::nearbyint(std::strtod(text, nullptr));
}

// The hit points one round of drain takes for a roll f.
int hitPointLoss(int f, Rng& rng) {
    if (f <= 4) return 1;
    if (f == 5) return 5;
    if (f <= 7) return 2;
    if (f <= 9) return 3;
    if (f == 10) return rollDice(rng, 1, 5, 1);
    if (f <= 12) return rollDice(rng, 2, 8, 2);
    if (f <= 15) return rollDice(rng, 3, 8, 3);
    if (f <= 18) return rollDice(rng, 4, 8, 4);
    if (f <= 21) return rollDice(rng, 5, 8, 5);
    return rollDice(rng, f - 16, 8, 5);
}

int drainRoll(const Character& c, Rng& rng) {
    const std::int64_t vit = c.vitality;
    switch (c.classBit) {
        case 1:
        case 2048:
            return rollDice(rng, 1, vit + 2, 0);
        case 2:
        case 16:
            return rollDice(
                rng, 1, static_cast<std::int64_t>(std::floor(static_cast<double>(vit) / 1.5)), 1);
        case 8:
        case 1024:
        case 16384:
        case 64:
        case 32:
        case 8192:
        case 4096:
            return rollDice(rng, 1, vit, 0);
        default:
            return rollDice(rng, 1, vit + 1, 0);
    }
}

}  // namespace

double ExperienceForLevel(std::int64_t level, std::int32_t classBit, std::int32_t race) {
    if (level <= 0) return 0;
    const auto row = std::find_if(kExperienceRows.begin(), kExperienceRows.end(),
                                  [&](const ExperienceRow& r) { return r.classBit == classBit; });
    if (row == kExperienceRows.end()) return 0;
    const double base = level <= 20 ? row->levels[static_cast<size_t>(level - 1)]
                                    : row->base + static_cast<double>(level - row->k) * row->step;
    const double factor = raceFactor(race);
    return factor == 1.0 ? base : roundWhole(base * factor);
}

void DrainLevels(Character& c, int count, Rng& rng) {
    if (count <= 0) return;
    std::int64_t level = std::int64_t{c.level} - count;
    c.level = static_cast<std::int32_t>(std::max<std::int64_t>(level, 1));
    c.experience = ExperienceForLevel(c.level - 1, c.classBit, c.race);
    for (int round = 0; round < count; ++round) {
        const int loss = hitPointLoss(drainRoll(c, rng), rng);
        c.maxHitPoints = std::max(1, c.maxHitPoints - loss);
        c.hitPoints = std::min(c.hitPoints, c.maxHitPoints);
        for (std::uint8_t* a : {&c.strength, &c.wisdom, &c.piety, &c.vitality, &c.agility, &c.luck})
            if (*a > 0 && rollDice(rng, 1, 5, 0) == 1) *a = static_cast<std::uint8_t>(*a - 1);
    }
}

}  // namespace dv
