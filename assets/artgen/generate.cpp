#include "artgen/generate.h"

#include <SDL.h>

#include <functional>

#include "artgen/dungeon_art.h"
#include "artgen/monster_art.h"
#include "artgen/monster_pictures.h"
#include "artgen/moons.h"
#include "artgen/skin.h"
#include "artgen/title_art.h"
#include "artgen/view_layout.h"

namespace dv::art {

namespace {

struct ArtFile {
    std::string name;
    std::function<bool(const std::string& path)> write;
};

std::vector<ArtFile> ArtFiles() {
    std::vector<ArtFile> files;
    for (int n = 0; n < kPieceFiles; ++n) {
        files.push_back({"w" + std::to_string(n) + ".jpg", [n](const std::string& path) {
                             return SaveJpg(RenderPiecePicture(n, PieceKind::Wall), path,
                                            kPieceQuality);
                         }});
        files.push_back({"d" + std::to_string(n) + ".jpg", [n](const std::string& path) {
                             return SaveJpg(RenderPiecePicture(n, PieceKind::Door), path,
                                            kPieceQuality);
                         }});
    }
    files.push_back({"b1.jpg", [](const std::string& path) {
                         return SaveJpg(RenderBackground(false), path, kSceneQuality);
                     }});
    files.push_back({"b2.jpg", [](const std::string& path) {
                         return SaveJpg(RenderBackground(true), path, kSceneQuality);
                     }});
    files.push_back({"luna.png", [](const std::string& path) {
                         return SavePng(RenderMoonStrip(Moon::Luna), path);
                     }});
    files.push_back({"artemis.png", [](const std::string& path) {
                         return SavePng(RenderMoonStrip(Moon::Artemis), path);
                     }});
    files.push_back({"title.jpg", [](const std::string& path) {
                         return SaveJpg(RenderTitle(), path, kSceneQuality);
                     }});
    for (int i = 0; i < kFramePieces; ++i) {
        const auto piece = static_cast<FramePiece>(i);
        files.push_back({FramePieceFileName(piece), [piece](const std::string& path) {
                             return SavePng(RenderFramePiece(piece), path);
                         }});
    }
    files.push_back(
        {"panel.png", [](const std::string& path) { return SavePng(RenderPanelTile(), path); }});
    files.push_back(
        {"shade.png", [](const std::string& path) { return SavePng(RenderShadeMasks(), path); }});
    for (int type = 0; type < kMonsterTypes; ++type) {
        files.push_back(
            {MonsterPictureFile(std::int32_t{1} << type), [type](const std::string& path) {
                 return SavePng(RenderMonsterPicture(type), path);
             }});
    }
    return files;
}

}  // namespace

std::vector<std::string> ArtFileNames() {
    std::vector<std::string> names;
    for (const ArtFile& file : ArtFiles())
        names.push_back(file.name);
    return names;
}

bool GenerateArt(const std::string& folder, std::string& error) {
    for (const ArtFile& file : ArtFiles()) {
        const std::string path = folder + "/" + file.name;
        if (!file.write(path)) {
            error = "cannot write " + path + ": " + SDL_GetError();
            return false;
        }
    }
    return true;
}

}  // namespace dv::art
