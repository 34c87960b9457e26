#pragma once

#include <string>

#include "ui/events.h"
#include "ui/window_fit.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

namespace dv {

// The real window: the canvas shown scaled by whole multiples with black bars, full
// screen on request, keys mapped to the game's key codes, and the input method's text.
class SdlBackend : public Backend {
  public:
    // The size and place the last run left: fitted to the display (ui/window_fit.h).
    explicit SdlBackend(const std::string& title, const WindowWish& wish);
    ~SdlBackend() override;
    SdlBackend(const SdlBackend&) = delete;
    SdlBackend& operator=(const SdlBackend&) = delete;

    uint64_t nowMs() override;
    bool waitEvent(InputEvent& out, uint64_t deadlineMs) override;
    void present(const Canvas& canvas) override;
    void setTextInput(bool on, const Rect& caretInCanvas) override;
    void setTitle(const std::string& title) override;
    WindowState windowState() override;
    void minimize() override;
    void toggleMaximize() override;
    void toggleFullscreen() override;
    void setBusyCursor(bool busy) override;
    Rect windowRect() override;

    // The game's key code for an SDL key (0 for keys the game ignores).
    static int keyCodeFor(int sdlKeycode);

    // Copies the canvas into locked texture memory of `pitch` bytes a row, in the texture's
    // pixel format (SDL_PIXELFORMAT_RGB888, the canvas's own, or SDL_PIXELFORMAT_ARGB8888).
    static void copyToTexture(const Canvas& canvas, void* pixels, int pitch, uint32_t format);

  private:
    bool translate(const void* sdlEvent, InputEvent& out);
    // Where the canvas lies in the window, in the window's own units (the renderer's
    // output may have more pixels than the window has units on a high-density screen).
    Rect canvasInWindow() const;
    Rect canvasToWindow(const Rect& r) const;
    Point windowToCanvas(int x, int y) const;

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    uint32_t textureFormat_ = 0;
    bool textInput_ = false;
    uint32_t textInputSince_ = 0;
    bool fullscreen_ = false;
    Rect windowed_;  // the window's place and size before full screen
    // For start-up measurements only: frames left before the program stops (0: never).
    long framesBeforeStop_ = 0;
};

}  // namespace dv
