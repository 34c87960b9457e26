#include "town/people_rules.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/data/text.h"

namespace dv {

namespace {

using namespace std::string_view_literals;

constexpr int kFirstBoundDemon = 698;
constexpr int kLastBoundDemon = 769;

constexpr std::array kDignity = {
    "ボクに威厳が足りないって言うのかい？\nなんだって？"sv,
    "……まあいい、教えてあげるよ。\n威厳というのはね、身につけた技のことさ。\nこの迷宮のどこかに、技を授けてくれる猫がいるんだ。"sv,
    "ただしその猫には、決まった順番で会わなきゃいけない。\n順番を違えたら、猫はそっぽを向いて\n何ひとつ教えてはくれないよ。"sv,
};
constexpr std::array kVampire = {
    "ヴァンパイアのことかい？\nボクたちは夜に生きる貴族さ。\n血を好むのは……まあ、たしなみのようなものだよ。"sv,
};
constexpr std::array kVampireLord = {
    "ヴァンパイアロードの名を軽々しく口にしないでくれ。\nあの方はアヴァロンの闇そのものなんだ。\nボクなんて、まだ足元にも及ばないのさ。"sv,
};
constexpr std::array kGoblin = {
    "ゴブリン？　ああ、亜獣人の谷のうるさい連中だね。\n群れると厄介だけど、一匹ずつなら\nボクの相手にもならないよ。"sv,
};

constexpr std::array kQueensAnswer = {
    "「よくやったァ\nキサマらに有益な情報を与えよゥ」"sv,
    "「レメゲトンの奥深くには\n七柱の大悪魔王が巣食っておるゥ」"sv,
    "「ひとつ、怠惰の王ティルヴァイン\n眠りの底に沈み、近づく者の力を奪うゥ」"sv,
    "「ふたつ、嫉妬の王シェラザーン\n他者の持つものすべてを妬む女王だァ」"sv,
    "「みっつ、暴食の王バルゼック\n目に映るものを喰らい尽くす大食らいだァ」"sv,
    "「よっつ、色欲の王オルフェイア\n甘い声で心を惑わす者だァ　耳を貸すなァ」"sv,
    "「いつつ、強欲の王マグナロス\n財も魂も、奪えるものは何でも奪うゥ」"sv,
    "「むっつ、憤怒の王グラムドール\n怒りの炎で何もかも焼き尽くす者だァ」"sv,
    "「ななつ、傲慢の王リュシオーネ\n七柱の頂に立つ、最も誇り高き者だァ」"sv,
    "「七つの印を揃えねば\nレメゲトンの最奥の扉は開かぬゥ\n心して行けィ」"sv,
};

}  // namespace

bool BothMoonsFull(const SaveData& save) {
    return save.lunaPhase / 30 == 8 && save.artemisPhase / 40 == 8;
}

std::int64_t GoodsPrice(const ItemRecord& item, int person, const SaveData& save) {
    const std::int64_t price = item.price < 0 ? 0 : item.price;
    if (person == kBlackMarketeer && BothMoonsFull(save)) return price / 10;
    return price;
}

double SaleValue(const ItemRecord& item, float priceFactor, bool unidentified) {
    if (unidentified) return 1;
    const double product = static_cast<double>(item.price) * static_cast<double>(priceFactor);
    if (!std::isfinite(product) || product < 0) return 0;
    char text[40];
    std::snprintf(text, sizeof text, "%.15g", product);
    return std::strtod(text, nullptr);
}

std::string GoodsRow(const Database& db, int row, int itemId) {
    const ItemRecord* item = itemAt(db, itemId);
    return ToWide(std::to_string(row) + " " + FieldLeft(item ? item->altName : "", 15));
}

bool AllBoundDemonsDefeated(const SaveData& save) {
    for (int m = kFirstBoundDemon; m <= kLastBoundDemon; ++m)
        if (save.defeatedCounts[static_cast<std::size_t>(m)] < 1) return false;
    return true;
}

std::span<const std::string_view> HeldReply(int person, std::string_view keyword) {
    if (person != 2) return {};
    if (keyword == "威厳") return kDignity;
    if (keyword == "ヴァンパイア'") return kVampire;
    if (keyword == "ヴァンパイアロード") return kVampireLord;
    if (keyword == "ゴブリン") return kGoblin;
    return {};
}

std::span<const std::string_view> QueensAnswerForTheApple() {
    return kQueensAnswer;
}

}  // namespace dv
