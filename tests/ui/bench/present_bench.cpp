// The canvas on its way to the window: copying a 640x480 frame into texture memory,
// beside a plain memcpy of the same frame.

#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "ui/canvas.h"
#include "ui/sdl_backend.h"

namespace dv {
namespace {

constexpr int kWidth = 640, kHeight = 480;

Canvas sampleFrame() {
    Canvas c(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            c.setPixel(x, y, rgb(x & 255, y & 255, (x ^ y) & 255));
    return c;
}

void copyFrame(benchmark::State& state) {
    const Canvas frame = sampleFrame();
    std::vector<uint32_t> texture(static_cast<size_t>(kWidth) * kHeight);
    for (auto _ : state) {
        std::memcpy(texture.data(), frame.pixels().data(), texture.size() * sizeof(uint32_t));
        benchmark::DoNotOptimize(texture.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(copyFrame)->Unit(benchmark::kMicrosecond);

// In the texture's own format (what the window uses where the renderer offers it), then
// with the alpha byte set for an ARGB texture.
void canvasToTexture(benchmark::State& state) {
    const Canvas frame = sampleFrame();
    const uint32_t format = state.range(0) == 0 ? SDL_PIXELFORMAT_RGB888 : SDL_PIXELFORMAT_ARGB8888;
    std::vector<uint32_t> texture(static_cast<size_t>(kWidth) * kHeight);
    for (auto _ : state) {
        SdlBackend::copyToTexture(frame, texture.data(), kWidth * 4, format);
        benchmark::DoNotOptimize(texture.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(canvasToTexture)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace dv

BENCHMARK_MAIN();
