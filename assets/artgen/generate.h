// Writes every picture of the game into its folder.
#pragma once

#include <string>
#include <vector>

namespace dv::art {

inline constexpr int kPieceQuality = 95;
inline constexpr int kSceneQuality = 92;

// Names of all files GenerateArt writes, in the order it writes them.
std::vector<std::string> ArtFileNames();

// Draws and writes every file into the folder. On failure returns false and
// puts the reason in error.
bool GenerateArt(const std::string& folder, std::string& error);

}  // namespace dv::art
