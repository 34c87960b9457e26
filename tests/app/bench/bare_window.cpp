// The yardstick for the game's start-up: a bare SDL2 program that opens the same window
// with the same renderer and texture as the game, presents one black frame, reports its
// resident memory and ends. scripts/bench.sh times it beside the game stopped at its title.

#include <SDL2/SDL.h>
#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// A field of /proc/self/status in kB (0 when unreadable).
long statusKb(const char* field) {
    std::FILE* f = std::fopen("/proc/self/status", "r");
    if (!f) return 0;
    char line[256];
    long kb = 0;
    const size_t n = std::strlen(field);
    while (std::fgets(line, sizeof line, f)) {
        if (std::strncmp(line, field, n) == 0 && line[n] == ':') {
            kb = std::strtol(line + n + 1, nullptr, 10);
            break;
        }
    }
    std::fclose(f);
    return kb;
}

}  // namespace

int main() {
    constexpr int kWidth = 640, kHeight = 480;
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) {
        std::fprintf(stderr, "SDL_Init: %s\n", SDL_GetError());
        return 1;
    }
    SDL_Window* window =
        SDL_CreateWindow("Dalvenor", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 1280, 960,
                         SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
    if (!window) return 1;
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_PRESENTVSYNC);
    if (!renderer) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer) return 1;
    SDL_RenderSetLogicalSize(renderer, kWidth, kHeight);
    SDL_RenderSetIntegerScale(renderer, SDL_TRUE);
    SDL_Texture* texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888,
                                             SDL_TEXTUREACCESS_STREAMING, kWidth, kHeight);
    if (!texture) return 1;
    std::vector<Uint32> frame(static_cast<size_t>(kWidth) * kHeight, 0);
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(texture, nullptr, &pixels, &pitch) == 0) {
        for (int y = 0; y < kHeight; ++y)
            std::memcpy(static_cast<Uint8*>(pixels) + y * pitch,
                        &frame[static_cast<size_t>(y) * kWidth], kWidth * sizeof(Uint32));
        SDL_UnlockTexture(texture);
    }
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    SDL_RenderCopy(renderer, texture, nullptr, nullptr);
    SDL_RenderPresent(renderer);
    const struct mallinfo2 heap = mallinfo2();
    std::printf("VmRSS %ld kB RssAnon %ld kB RssFile %ld kB heap %zu kB\n", statusKb("VmRSS"),
                statusKb("RssAnon"), statusKb("RssFile"), (heap.uordblks + heap.hblkhd) / 1024);
    std::fflush(stdout);
    // Ends as the game does when stopped at its title: at once, without tearing down.
    std::_Exit(0);
}
