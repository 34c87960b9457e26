// dv-gen-music FOLDER: writes the game's music into FOLDER.
#include <cstdio>
#include <string>

#include "musicgen/generate.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: dv-gen-music FOLDER\n");
        return 2;
    }
    std::string error;
    if (!dv::music::GenerateMusic(argv[1], error)) {
        std::fprintf(stderr, "dv-gen-music: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
