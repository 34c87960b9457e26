#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "ui/geometry.h"

namespace dv {

// One input from the player or the window system, already in canvas coordinates.
struct InputEvent {
    enum class Type {
        KeyDown,
        KeyUp,
        Text,     // committed text from the keyboard or the input method
        Editing,  // the input method's composition changed (empty text: composition ended)
        MouseDown,
        MouseUp,
        MouseMove,
        CloseRequest,
        Terminate,  // a signal asked the game to end (ui/termination.h)
        Expose,
    };
    Type type = Type::Expose;
    int keyCode = 0;  // KeyDown / KeyUp
    int shift = 0;    // shiftbits
    bool repeat = false;
    // Character the key types when text input is off (0: none); the backend decides it
    // from the key and the shift state, like a desktop keyboard layout would.
    int ascii = 0;
    std::string text;    // Text / Editing
    int editCursor = 0;  // Editing: caret position in characters
    int x = 0, y = 0;    // mouse
    int button = 0;
    int clicks = 1;  // 2 for the second press of a double click
};

// What the game's window can be asked to do besides drawing.
enum class WindowState { Normal, Minimized, Maximized };

class Canvas;

// The seam between the game and the outside world: input, time, and the window the
// canvas is shown in. The SDL backend is the real one; tests use a scripted one.
class Backend {
  public:
    virtual ~Backend() = default;

    // Milliseconds on a monotonic clock.
    virtual uint64_t nowMs() = 0;
    // Waits for the next input until the deadline (a nowMs() value); false when the
    // deadline passed first.
    virtual bool waitEvent(InputEvent& out, uint64_t deadlineMs) = 0;
    // Shows the finished canvas.
    virtual void present(const Canvas& canvas) = 0;

    // Text input is on only while a text box has the focus, so single-letter commands
    // never end up inside an input method's composition.
    virtual void setTextInput(bool on, const Rect& caretInCanvas) = 0;

    virtual void setTitle(const std::string& title) = 0;
    virtual WindowState windowState() = 0;
    virtual void minimize() = 0;
    virtual void toggleMaximize() = 0;
    virtual void toggleFullscreen() = 0;
    virtual void setBusyCursor(bool busy) = 0;
    // The window's outer position and size on the desktop, in pixels.
    virtual Rect windowRect() { return {0, 0, 640, 480}; }

    // Describes what the game is waiting on, for the scripted backend's failure messages.
    std::function<std::string()> describeWaiting;
};

}  // namespace dv
