// dv-gen-art FOLDER: draws the game's pictures into FOLDER.
#include <cstdio>
#include <string>

#include "artgen/generate.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: dv-gen-art FOLDER\n");
        return 2;
    }
    std::string error;
    if (!dv::art::GenerateArt(argv[1], error)) {
        std::fprintf(stderr, "dv-gen-art: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
