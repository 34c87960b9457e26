#include "ui/sdl_backend.h"

#include <SDL2/SDL.h>
#include <malloc.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "ui/canvas.h"
#include "ui/keys.h"
#include "ui/script_backend.h"
#include "ui/termination.h"
#include "ui/window_system.h"

namespace dv {

namespace {

// Drivers SDL falls back to when no display can be reached: they show nothing at all.
bool showsNothing(const char* driver) {
    if (!driver) return true;
    for (const char* blind : {"offscreen", "dummy", "evdev"})
        if (std::strcmp(driver, blind) == 0) return true;
    return false;
}

// Starts SDL's video. A display that is slow to answer on a loaded machine can make SDL
// settle for a driver that shows nothing; such a start is retried a few times, and a game
// nobody can see is refused rather than left running. A driver the player chose with
// SDL_VIDEODRIVER is taken as it is.
void startVideo() {
    const char* chosen = std::getenv("SDL_VIDEODRIVER");
    const bool playerChose = chosen && *chosen;
    constexpr int kTries = 5;
    for (int attempt = 1;; ++attempt) {
        if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0)
            throw std::runtime_error(std::string("SDL_Init: ") + SDL_GetError());
        const char* driver = SDL_GetCurrentVideoDriver();
        if (playerChose || !showsNothing(driver)) return;
        const std::string name = driver ? driver : "?";
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_TIMER);
        if (attempt == kTries)
            throw std::runtime_error("画面を開けません（映像ドライバ " + name +
                                     " は何も表示しません。DISPLAY か WAYLAND_DISPLAY "
                                     "を確かめてください）");
        SDL_Delay(400);
    }
}

// The display a window at this place opens on: the one holding the place, else the first.
int displayFor(const WindowWish& wish) {
    if (!wish.hasPosition) return 0;
    const int count = SDL_GetNumVideoDisplays();
    for (int i = 0; i < count; ++i) {
        SDL_Rect b{};
        if (SDL_GetDisplayBounds(i, &b) != 0) continue;
        if (wish.x >= b.x && wish.x < static_cast<long>(b.x) + b.w && wish.y >= b.y &&
            wish.y < static_cast<long>(b.y) + b.h)
            return i;
    }
    return 0;
}

Rect usableArea(int display) {
    SDL_Rect r{};
    if (SDL_GetDisplayUsableBounds(display, &r) != 0 || r.w <= 0 || r.h <= 0) {
        if (SDL_GetDisplayBounds(display, &r) != 0 || r.w <= 0 || r.h <= 0)
            return {0, 0, Ui::kWidth, Ui::kHeight};
    }
    return {r.x, r.y, r.w, r.h};
}

}  // namespace

SdlBackend::SdlBackend(const std::string& title, const WindowWish& wish) {
    // The input method's long compositions arrive as extended editing events.
    SDL_SetHint(SDL_HINT_IME_SUPPORT_EXTENDED_TEXT, "1");
    SDL_SetHint(SDL_HINT_IME_SHOW_UI, "1");
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
    // SIGTERM, SIGINT and SIGHUP are the game's own (ui/termination.h): they end it through
    // its shutdown steps, even while a modal window waits.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    startVideo();
    const Rect usable = usableArea(displayFor(wish));
    const Uint32 flags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
    // What the settings ask for is only a wish: fitted first, and given up for the
    // default size if the window still cannot be made.
    WindowFit fit = FitWindow(wish, usable);
    window_ =
        SDL_CreateWindow(title.c_str(), fit.rect.x, fit.rect.y, fit.rect.w, fit.rect.h, flags);
    if (!window_) {
        std::fprintf(stderr, "dalvenor: SDL_CreateWindow: %s (the default size is tried)\n",
                     SDL_GetError());
        fit = FitWindow({}, usable);
        window_ =
            SDL_CreateWindow(title.c_str(), fit.rect.x, fit.rect.y, fit.rect.w, fit.rect.h, flags);
    }
    if (!window_) throw std::runtime_error(std::string("SDL_CreateWindow: ") + SDL_GetError());
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_PRESENTVSYNC);
    if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer_) throw std::runtime_error(std::string("SDL_CreateRenderer: ") + SDL_GetError());
    // After the renderer: making one may remake the system's window, which forgets the hint.
    SDL_SetWindowMinimumSize(window_, fit.minWidth, fit.minHeight);
    // The canvas's own layout (0x00RRGGBB) when the renderer takes it as it is: the frame
    // then reaches the texture as a plain copy, with no conversion on either side.
    textureFormat_ = SDL_PIXELFORMAT_ARGB8888;
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer_, &info) == 0) {
        for (Uint32 i = 0; i < info.num_texture_formats; ++i)
            if (info.texture_formats[i] == SDL_PIXELFORMAT_RGB888)
                textureFormat_ = SDL_PIXELFORMAT_RGB888;
    }
    texture_ = SDL_CreateTexture(renderer_, textureFormat_, SDL_TEXTUREACCESS_STREAMING, Ui::kWidth,
                                 Ui::kHeight);
    if (!texture_) throw std::runtime_error(std::string("SDL_CreateTexture: ") + SDL_GetError());
    SDL_StopTextInput();
    // scripts/bench.sh times start-up to the title by stopping after the title's frame.
    if (const char* frames = std::getenv("DV_BENCH_STOP_AFTER_FRAMES"))
        framesBeforeStop_ = std::max(0L, std::strtol(frames, nullptr, 10));
}

SdlBackend::~SdlBackend() {
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_TIMER);
}

uint64_t SdlBackend::nowMs() {
    return SDL_GetTicks64();
}

int SdlBackend::keyCodeFor(int k) {
    if (k >= SDLK_a && k <= SDLK_z) return keys::A + (k - SDLK_a);
    if (k >= SDLK_0 && k <= SDLK_9) return keys::Digit0 + (k - SDLK_0);
    if (k >= SDLK_F1 && k <= SDLK_F12) return keys::F1 + (k - SDLK_F1);
    if (k >= SDLK_KP_1 && k <= SDLK_KP_9) return keys::Numpad0 + 1 + (k - SDLK_KP_1);
    switch (k) {
        case SDLK_BACKSPACE:
            return keys::Back;
        case SDLK_TAB:
            return keys::Tab;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
        case SDLK_RETURN2:
            return keys::Enter;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT:
            return keys::Shift;
        case SDLK_LCTRL:
        case SDLK_RCTRL:
            return keys::Ctrl;
        case SDLK_LALT:
        case SDLK_RALT:
            return keys::Alt;
        case SDLK_ESCAPE:
            return keys::Esc;
        case SDLK_SPACE:
            return keys::Space;
        case SDLK_PAGEUP:
            return keys::PageUp;
        case SDLK_PAGEDOWN:
            return keys::PageDown;
        case SDLK_END:
            return keys::End;
        case SDLK_HOME:
            return keys::Home;
        case SDLK_LEFT:
            return keys::Left;
        case SDLK_UP:
            return keys::Up;
        case SDLK_RIGHT:
            return keys::Right;
        case SDLK_DOWN:
            return keys::Down;
        case SDLK_INSERT:
            return keys::Insert;
        case SDLK_DELETE:
            return keys::Delete;
        case SDLK_KP_0:
            return keys::Numpad0;
        default:
            return 0;
    }
}

namespace {
int shiftOf(uint16_t mod) {
    int s = 0;
    if (mod & KMOD_SHIFT) s |= shiftbits::Shift;
    if (mod & KMOD_CTRL) s |= shiftbits::Ctrl;
    if (mod & KMOD_ALT) s |= shiftbits::Alt;
    return s;
}
int buttonOf(uint8_t b) {
    switch (b) {
        case SDL_BUTTON_LEFT:
            return buttons::Left;
        case SDL_BUTTON_RIGHT:
            return buttons::Right;
        case SDL_BUTTON_MIDDLE:
            return buttons::Middle;
        default:
            return 0;
    }
}
}  // namespace

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

// Reports the resident memory (all, anonymous, mapped from files, and the heap in use) and
// ends at once, as the bare yardstick program does.
[[noreturn]] void stopForMeasurement() {
    const struct mallinfo2 heap = mallinfo2();
    std::printf("VmRSS %ld kB RssAnon %ld kB RssFile %ld kB heap %zu kB\n", statusKb("VmRSS"),
                statusKb("RssAnon"), statusKb("RssFile"), (heap.uordblks + heap.hblkhd) / 1024);
    std::fflush(stdout);
    std::_Exit(0);
}

}  // namespace

bool SdlBackend::translate(const void* raw, InputEvent& out) {
    const SDL_Event& e = *static_cast<const SDL_Event*>(raw);
    using T = InputEvent::Type;
    switch (e.type) {
        case SDL_QUIT:
            out.type = T::CloseRequest;
            return true;
        case SDL_WINDOWEVENT:
            if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
                out.type = T::CloseRequest;
                return true;
            }
            out.type = T::Expose;
            return true;
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            int code = keyCodeFor(e.key.keysym.sym);
            if (code == 0) return false;
            out.type = e.type == SDL_KEYDOWN ? T::KeyDown : T::KeyUp;
            out.keyCode = code;
            out.shift = shiftOf(e.key.keysym.mod);
            out.repeat = e.key.repeat != 0;
            if (out.type == T::KeyDown) out.ascii = ScriptBackend::asciiFor(code, out.shift);
            return true;
        }
        case SDL_TEXTINPUT:
            // Text typed before the text box took the focus belongs to another screen.
            if (!textInput_ || e.text.timestamp < textInputSince_) return false;
            out.type = T::Text;
            out.text = e.text.text;
            return true;
        case SDL_TEXTEDITING:
            if (!textInput_) return false;
            out.type = T::Editing;
            out.text = e.edit.text;
            out.editCursor = e.edit.start;
            return true;
        case SDL_TEXTEDITING_EXT: {
            if (!textInput_) {
                SDL_free(e.editExt.text);
                return false;
            }
            out.type = T::Editing;
            out.text = e.editExt.text ? e.editExt.text : "";
            out.editCursor = e.editExt.start;
            SDL_free(e.editExt.text);
            return true;
        }
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            out.type = e.type == SDL_MOUSEBUTTONDOWN ? T::MouseDown : T::MouseUp;
            const Point p = windowToCanvas(e.button.x, e.button.y);
            out.x = p.x;
            out.y = p.y;
            out.button = buttonOf(e.button.button);
            out.clicks = e.button.clicks;
            out.shift = shiftOf(static_cast<uint16_t>(SDL_GetModState()));
            return out.button != 0;
        }
        case SDL_MOUSEMOTION: {
            out.type = T::MouseMove;
            const Point p = windowToCanvas(e.motion.x, e.motion.y);
            out.x = p.x;
            out.y = p.y;
            out.button = (e.motion.state & SDL_BUTTON_LMASK) ? buttons::Left : 0;
            return true;
        }
        default:
            return false;
    }
}

bool SdlBackend::waitEvent(InputEvent& out, uint64_t deadlineMs) {
    for (;;) {
        if (TakeTerminationRequest() != 0) {
            out = InputEvent{};
            out.type = InputEvent::Type::Terminate;
            return true;
        }
        uint64_t now = nowMs();
        if (deadlineMs <= now) return false;
        SDL_Event e;
        // Short waits, so a signal's request is seen within a tenth of a second.
        int wait = static_cast<int>(std::min<uint64_t>(deadlineMs - now, 100));
        if (!SDL_WaitEventTimeout(&e, wait)) continue;
        out = InputEvent{};
        if (translate(&e, out)) return true;
    }
}

void SdlBackend::copyToTexture(const Canvas& canvas, void* pixels, int pitch, uint32_t format) {
    const uint32_t* src = canvas.pixels().data();
    const size_t width = static_cast<size_t>(canvas.width());
    auto* out = static_cast<uint8_t*>(pixels);
    if (format == SDL_PIXELFORMAT_RGB888) {
        const size_t rowBytes = width * sizeof(uint32_t);
        if (static_cast<size_t>(pitch) == rowBytes) {
            std::memcpy(out, src, rowBytes * static_cast<size_t>(canvas.height()));
            return;
        }
        for (int y = 0; y < canvas.height(); ++y)
            std::memcpy(out + static_cast<ptrdiff_t>(y) * pitch,
                        src + static_cast<size_t>(y) * width, rowBytes);
        return;
    }
    for (int y = 0; y < canvas.height(); ++y) {
        auto* row = reinterpret_cast<uint32_t*>(out + static_cast<ptrdiff_t>(y) * pitch);
        const uint32_t* from = src + static_cast<size_t>(y) * width;
        for (size_t x = 0; x < width; ++x)
            row[x] = 0xFF000000u | from[x];
    }
}

void SdlBackend::present(const Canvas& canvas) {
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(texture_, nullptr, &pixels, &pitch) == 0) {
        copyToTexture(canvas, pixels, pitch, textureFormat_);
        SDL_UnlockTexture(texture_);
    }
    // Placed afresh every frame from the size the renderer really draws at, so no change of
    // size (full screen on or off, a resize, a move to another screen) can leave the picture
    // shifted or clipped.
    int ow = 0, oh = 0;
    if (SDL_GetRendererOutputSize(renderer_, &ow, &oh) != 0) SDL_GetWindowSize(window_, &ow, &oh);
    const Rect r = PresentationRect(ow, oh);
    const SDL_Rect dst{r.x, r.y, r.w, r.h};
    SDL_RenderSetViewport(renderer_, nullptr);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, &dst);
    SDL_RenderPresent(renderer_);
    if (framesBeforeStop_ > 0 && --framesBeforeStop_ == 0) stopForMeasurement();
}

Rect SdlBackend::canvasInWindow() const {
    int ww = 0, wh = 0, ow = 0, oh = 0;
    SDL_GetWindowSize(window_, &ww, &wh);
    if (SDL_GetRendererOutputSize(renderer_, &ow, &oh) != 0 || ow <= 0 || oh <= 0) {
        ow = ww;
        oh = wh;
    }
    const Rect r = PresentationRect(ow, oh);
    // Output pixels to window units.
    auto toWindowX = [&](int v) {
        return ow > 0 ? static_cast<int>(std::int64_t{v} * ww / ow) : v;
    };
    auto toWindowY = [&](int v) {
        return oh > 0 ? static_cast<int>(std::int64_t{v} * wh / oh) : v;
    };
    return {toWindowX(r.x), toWindowY(r.y), std::max(1, toWindowX(r.w)),
            std::max(1, toWindowY(r.h))};
}

Rect SdlBackend::canvasToWindow(const Rect& r) const {
    const Rect c = canvasInWindow();
    auto x = [&](int v) { return c.x + static_cast<int>(std::int64_t{v} * c.w / Ui::kWidth); };
    auto y = [&](int v) { return c.y + static_cast<int>(std::int64_t{v} * c.h / Ui::kHeight); };
    return {x(r.x), y(r.y), std::max(1, x(r.right()) - x(r.x)),
            std::max(1, y(r.bottom()) - y(r.y))};
}

Point SdlBackend::windowToCanvas(int x, int y) const {
    const Rect c = canvasInWindow();
    // Points on the black bars fall outside the canvas and so on no control.
    return {static_cast<int>(std::int64_t{x - c.x} * Ui::kWidth / c.w),
            static_cast<int>(std::int64_t{y - c.y} * Ui::kHeight / c.h)};
}

void SdlBackend::setTextInput(bool on, const Rect& caretInCanvas) {
    if (on) {
        Rect wr = canvasToWindow(caretInCanvas);
        SDL_Rect sr{wr.x, wr.y, wr.w, wr.h};
        SDL_SetTextInputRect(&sr);
        if (!textInput_) {
            textInputSince_ = SDL_GetTicks();
            SDL_StartTextInput();
        }
    } else if (textInput_) {
        SDL_StopTextInput();
    }
    textInput_ = on;
}

void SdlBackend::setTitle(const std::string& title) {
    SDL_SetWindowTitle(window_, title.c_str());
}

WindowState SdlBackend::windowState() {
    uint32_t flags = SDL_GetWindowFlags(window_);
    if (flags & SDL_WINDOW_MINIMIZED) return WindowState::Minimized;
    if (flags & (SDL_WINDOW_MAXIMIZED | SDL_WINDOW_FULLSCREEN_DESKTOP))
        return WindowState::Maximized;
    return WindowState::Normal;
}

void SdlBackend::minimize() {
    SDL_MinimizeWindow(window_);
}

void SdlBackend::toggleMaximize() {
    if (SDL_GetWindowFlags(window_) & SDL_WINDOW_MAXIMIZED)
        SDL_RestoreWindow(window_);
    else
        SDL_MaximizeWindow(window_);
}

void SdlBackend::toggleFullscreen() {
    if (!fullscreen_) windowed_ = windowRect();
    fullscreen_ = !fullscreen_;
    SDL_SetWindowFullscreen(window_, fullscreen_ ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    // Back in a window, its size and place are set again: without a window manager to
    // answer, SDL would otherwise go on believing the window as large as the screen.
    if (!fullscreen_ && !windowed_.empty()) {
        SDL_SetWindowSize(window_, windowed_.w, windowed_.h);
        SDL_SetWindowPosition(window_, windowed_.x, windowed_.y);
    }
}

void SdlBackend::setBusyCursor(bool busy) {
    static SDL_Cursor* wait = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_WAIT);
    static SDL_Cursor* arrow = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
    SDL_SetCursor(busy ? wait : arrow);
}

}  // namespace dv

namespace dv {
Rect SdlBackend::windowRect() {
    Rect r;
    SDL_GetWindowPosition(window_, &r.x, &r.y);
    SDL_GetWindowSize(window_, &r.w, &r.h);
    return r;
}
}  // namespace dv
