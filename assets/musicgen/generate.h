// The game's music: one Standard MIDI File per scene, written into the game folder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "musicgen/composer.h"

namespace dv::music {

inline constexpr int kSceneCount = 19;

struct MusicScene {
    int number;        // 1..19, the scene the game asks for
    std::string key;   // the scene's key in section [ＢＧＭ] of QTR.ini
    std::string file;  // the file written into the game folder
};

// The nineteen scenes in order.
const std::vector<MusicScene>& MusicScenes();

// The piece of scene 1..19.
Piece ScenePiece(int number);

// The bytes of the scene's MIDI file; throws std::invalid_argument for a scene outside
// 1..19 or a piece whose tables do not read.
std::vector<std::uint8_t> RenderScene(int number);

// Writes every file into the folder. On failure returns false and puts the reason in error.
bool GenerateMusic(const std::string& folder, std::string& error);

}  // namespace dv::music
