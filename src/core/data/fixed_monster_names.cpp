#include <array>
#include <utility>

#include "core/data/data_files.h"

namespace dv {

namespace {

// The proper names of the great foes and the named wanderers of the dungeons. They are
// held by the program and replace whatever the monster file says for these numbers.
constexpr std::array<std::pair<int, std::string_view>, 40> kFixedNames{{
    {770, "ガルヴァント"},   {771, "イシュメリア"},   {772, "ドルカザン"},   {773, "ネフェルート"},
    {774, "ヴォルグリム"},   {775, "セラフィーネ"},   {776, "モルディガン"}, {777, "アズラフェル"},
    {778, "クロウディス"},   {779, "ザルメキア"},     {780, "ヘルムガルド"}, {785, "リュシオーネ"},
    {786, "バルゼック"},     {787, "オルフェイア"},   {788, "グラムドール"}, {789, "シェラザーン"},
    {790, "ティルヴァイン"}, {791, "マグナロス"},     {792, "エルミナーデ"}, {793, "カルディオン"},
    {794, "ノクテュルナ"},   {795, "ヴェルザード"},   {796, "イグニシア"},   {797, "ドゥルガモン"},
    {798, "フィオルネ"},     {901, "アルザヴェール"}, {902, "ベルノワール"}, {903, "カシュメル"},
    {904, "デュルカイン"},   {905, "エスメルカ"},     {906, "ファルゴート"}, {907, "ギルメナス"},
    {908, "ハーゼルクト"},   {909, "イルミナード"},   {910, "ジャルヴェス"}, {911, "ケルナード"},
    {912, "ルーゼリカ"},     {913, "ミストラーデ"},   {917, "ネメルトラ"},   {1183, "ザイファルド"},
}};

}  // namespace

std::string_view FixedMonsterName(int monsterNumber) {
    for (const auto& [number, name] : kFixedNames) {
        if (number == monsterNumber) return name;
    }
    return {};
}

void ApplyFixedMonsterNames(Database& db) {
    for (const auto& [number, name] : kFixedNames) {
        if (static_cast<std::size_t>(number) < db.monsterTable.size())
            db.monsterTable[static_cast<std::size_t>(number)].name = name;
    }
}

}  // namespace dv
