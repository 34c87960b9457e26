#include "core/data/people.h"

namespace dv {

namespace {

using namespace std::string_view_literals;

constexpr std::array kPerson1 = {
    "こんにちは"sv,
    "亜獣人の谷"sv,
    "ゴブリン"sv,
    "ルシアンナスカイ"sv,
    "オーク"sv,
    "リザードマン"sv,
    "オーガ"sv,
    "ライカンスロープ"sv,
    "ガーゴイル"sv,
    "ヴァンパイア"sv,
    "地下庭園アヴァロン"sv,
    "アヴァロン"sv,
    "ヴァンパイアロード"sv,
    "ペルース"sv,
    "僧侶"sv,
    "寺院"sv,
    "viru"sv,
};
constexpr std::array kPerson2 = {
    "こんにちは"sv,
    "ルシアンナスカイ"sv,
    "王子"sv,
    "宝物庫"sv,
    "宝石"sv,
    "門番"sv,
    "アヴァロン"sv,
    "庭園"sv,
    "王女"sv,
    "亜獣人の谷"sv,
    "アンダーバベル"sv,
    "ヴァンパイア'"sv,
    "ヴァンパイアロード"sv,
    "ゴブリン"sv,
    "威厳"sv,
};
constexpr std::array kPerson3 = {
    "こんにちは"sv, "ガラクタ"sv,   "ガラクタ屋"sv, "掘り出し物"sv,   "ルシアンナスカイ"sv,
    "宝石"sv,       "ゴブリン"sv,   "オーク"sv,     "リザードマン"sv, "viru"sv,
    "亜獣人の谷"sv, "アヴァロン"sv, "食料調達"sv,   "ペルース"sv,
};
constexpr std::array kPerson4 = {
    "こんにちは"sv, "弱虫オーク"sv, "亜獣人の谷"sv, "オーク"sv,           "viru"sv,
    "サカナ"sv,     "ネズミ"sv,     "アヴァロン"sv, "ルシアンナスカイ"sv, "ねずみの剥製"sv,
    "マーティン"sv,
};
constexpr std::array kPerson5 = {
    "こんにちは"sv, "酒"sv,   "特上"sv,     "赤ワイン"sv,   "viru"sv,           "アヴァロン"sv,
    "魔法使い"sv,   "悪魔"sv, "ソロモン"sv, "レメゲトン"sv, "ソロモンのカギ"sv, "リリス"sv,
};
constexpr std::array kPerson6 = {
    "こんにちは"sv,
    "盗賊"sv,
    "卑しい盗賊"sv,
    "懐"sv,
    "お宝"sv,
    "盗み"sv,
    "アンダーバベル"sv,
    "亜獣人の谷"sv,
    "ルシアンナスカイ"sv,
    "グラミー"sv,
    "アトレーヌ"sv,
    "リリス"sv,
    "アヴァロン"sv,
    "viru"sv,
    "マーティン"sv,
    "ゴブリン"sv,
    "ペルース"sv,
    "飲んだ暮れ野郎"sv,
};
constexpr std::array kPerson7 = {
    "こんにちは"sv,         "火ホタル"sv,   "アトレーヌ"sv,     "化粧品"sv, "美肌温泉の水"sv,
    "ルシアンナスカイ"sv,   "亜獣人の谷"sv, "アンダーバベル"sv, "冒険者"sv, "viru"sv,
    "ネガパンデモニウム"sv, "ゴブリン"sv,   "ギメル"sv,
};
constexpr std::array kPerson8 = {
    "こんにちは"sv,         "ご機嫌"sv,           "ご機嫌ナナメ"sv, "化粧品"sv,
    "効果抜群"sv,           "ルシアンナスカイ"sv, "ギルティ"sv,     "マーティン"sv,
    "ネガパンデモニウム"sv, "アヴァロン"sv,       "健康食品"sv,     "美貌を保つ食品"sv,
};
constexpr std::array kPerson9 = {
    "こんにちは"sv,
    "平和的"sv,
    "要求"sv,
    "謝礼"sv,
    "ペルース"sv,
    "宝石"sv,
    "黄金のリンゴ"sv,
    "ゴブリン"sv,
    "オーク"sv,
    "リザードマン"sv,
    "ヴァンパイアロード"sv,
    "地下庭園アヴァロン"sv,
    "アヴァロン"sv,
    "アンダーバベル"sv,
};
constexpr std::array kPerson10 = {
    "こんにちは"sv,
    "レメゲトン"sv,
    "悪魔"sv,
    "魔神"sv,
    "七大悪魔王"sv,
    "７２匹"sv,
    "未知の門"sv,
    "マーティン"sv,
    "アンダーバベル"sv,
    "バベル"sv,
    "ルシアンナスカイ"sv,
    "亜獣人の谷"sv,
    "ネガパンデモニウム"sv,
    "あの場所"sv,
    "あのお方"sv,
    "ウェルギリウス"sv,
};
constexpr std::array kPerson11 = {
    "こんにちは"sv,
    "ネガパンデモニウム"sv,
    "旅"sv,
    "案内人"sv,
    "ダンテ"sv,
    "暇つぶし"sv,
    "ホール・オブ・ペイン"sv,
    "混沌"sv,
    "１つの王"sv,
    "混沌王"sv,
    "３つの力"sv,
    "あのお方"sv,
    "七大悪魔王"sv,
    "アンダーバベル"sv,
    "運命"sv,
};
constexpr std::array kPerson12 = {
    "こんにちは"sv,
    "ブラックマーケット"sv,
};

constexpr std::array<std::string_view, kLastPerson + 1> kDefaultReplies = {
    ""sv,
    "その事については、何も知らんのぉ"sv,
    "その事については、何も知らないよ"sv,
    "その事については、わからないねぇ"sv,
    "その事については、なにもしらねぇです"sv,
    "ウイッ　なんか言ったかぁ～？"sv,
    "くだらない質問するヤツの死に様は\n大体くだらないらしいぜ"sv,
    "興味がありません"sv,
    "気に止める事ではありません"sv,
    "知るすべもないィィッ"sv,
    "興味なきこと"sv,
    "運命はそれを望んでいない"sv,
    "買う気が無いなら、立ち去るんだな・・・"sv,
};

}  // namespace

std::span<const std::string_view> PersonKeywords(int person) {
    switch (person) {
        case 1:
            return kPerson1;
        case 2:
            return kPerson2;
        case 3:
            return kPerson3;
        case 4:
            return kPerson4;
        case 5:
            return kPerson5;
        case 6:
            return kPerson6;
        case 7:
            return kPerson7;
        case 8:
            return kPerson8;
        case 9:
            return kPerson9;
        case 10:
            return kPerson10;
        case 11:
            return kPerson11;
        case 12:
            return kPerson12;
        default:
            return {};
    }
}

std::string_view DefaultReply(int person) {
    return IsPerson(person) ? kDefaultReplies[static_cast<std::size_t>(person)]
                            : std::string_view();
}

const KeywordReply* FindKeywordReply(std::span<const KeywordReply> table, int person,
                                     std::string_view keyword) {
    for (const KeywordReply& r : table)
        if (r.person == person && r.keyword == keyword) return &r;
    return nullptr;
}

}  // namespace dv
