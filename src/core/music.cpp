#include "core/music.h"

#include "core/game.h"

namespace dv {

void PlayScene(Game& game, int scene) {
    GameSettings& s = game.options;
    const bool known = scene >= 0 && scene < kMusicSlots;
    s.currentMusicFile = known ? s.musicFiles[static_cast<size_t>(scene)] : std::string();
    if (game.music) game.music->play(scene, MusicFilePath(game, scene));
}

void StopMusic(Game& game) {
    game.options.currentMusicFile.clear();
    if (game.music) game.music->stop();
}

}  // namespace dv
