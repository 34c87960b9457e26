#include "musicgen/generate.h"

#include <fstream>
#include <stdexcept>

#include "musicgen/midi_file.h"
#include "musicgen/pieces.h"

namespace dv::music {

const std::vector<MusicScene>& MusicScenes() {
    static const std::vector<MusicScene> scenes = {
        {1, "タイトル", "bgm01_title.mid"},
        {2, "城下", "bgm02_castle_town.mid"},
        {3, "町外れ", "bgm03_outskirts.mid"},
        {4, "商店", "bgm04_shop.mid"},
        {5, "酒場", "bgm05_tavern.mid"},
        {6, "寺院", "bgm06_temple.mid"},
        {7, "宿屋", "bgm07_inn.mid"},
        {8, "星占所", "bgm08_fortune_house.mid"},
        {9, "訓練場", "bgm09_training_grounds.mid"},
        {10, "迷宮１", "bgm10_dungeon.mid"},
        {11, "迷宮２", "bgm11_deep_dungeon.mid"},
        {12, "戦闘１", "bgm12_battle.mid"},
        {13, "戦闘２", "bgm13_battle2.mid"},
        {14, "ボス１", "bgm14_boss.mid"},
        {15, "ボス２", "bgm15_boss2.mid"},
        {16, "勝利＆宝箱", "bgm16_victory.mid"},
        {17, "全滅", "bgm17_wiped_out.mid"},
        {18, "キャンプ", "bgm18_camp.mid"},
        {19, "エンカウント", "bgm19_encounter.mid"},
    };
    return scenes;
}

Piece ScenePiece(int number) {
    using Maker = Piece (*)();
    static constexpr Maker kMakers[kSceneCount] = {
        TitlePiece,           CastleTownPiece, OutskirtsPiece,   ShopPiece,
        TavernPiece,          TemplePiece,     InnPiece,         FortuneHousePiece,
        TrainingGroundsPiece, DungeonPiece,    DeepDungeonPiece, BattlePiece,
        SecondBattlePiece,    BossPiece,       SecondBossPiece,  VictoryPiece,
        WipedOutPiece,        CampPiece,       EncounterPiece,
    };
    if (number < 1 || number > kSceneCount)
        throw std::invalid_argument("no music scene " + std::to_string(number));
    return kMakers[number - 1]();
}

std::vector<std::uint8_t> RenderScene(int number) {
    return WriteMidi(Compose(ScenePiece(number)));
}

bool GenerateMusic(const std::string& folder, std::string& error) {
    for (const MusicScene& scene : MusicScenes()) {
        std::vector<std::uint8_t> bytes;
        try {
            bytes = RenderScene(scene.number);
        } catch (const std::invalid_argument& e) {
            error = scene.file + ": " + e.what();
            return false;
        }
        const std::string path = folder + "/" + scene.file;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            error = "cannot write " + path;
            return false;
        }
    }
    return true;
}

}  // namespace dv::music
