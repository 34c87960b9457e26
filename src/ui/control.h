#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/geometry.h"

namespace dv {

class Canvas;
class Form;
class Ui;

// A widget: position relative to its parent, visibility, enabled state, focus, the
// key and mouse events, and a paint method. Controls do not own their children; a form
// holds its controls as members and links them into the tree.
class Control {
  public:
    explicit Control(std::string name = {});
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // Tree.
    void add(Control& child);
    void remove(Control& child);
    Control* parent() const { return parent_; }
    const std::vector<Control*>& children() const { return children_; }
    virtual Form* form();
    const Form* form() const { return const_cast<Control*>(this)->form(); }
    Ui* ui() const;
    const std::string& name() const { return name_; }
    void setName(std::string n) { name_ = std::move(n); }
    // Brings the control in front of its siblings.
    void bringToFront();

    // Geometry, relative to the parent's top-left corner.
    const Rect& bounds() const { return bounds_; }
    void setBounds(const Rect& r);
    void move(int x, int y);
    void move(int x, int y, int w, int h) { setBounds({x, y, w, h}); }
    int left() const { return bounds_.x; }
    int top() const { return bounds_.y; }
    int width() const { return bounds_.w; }
    int height() const { return bounds_.h; }
    // In canvas coordinates.
    Rect screenRect() const;

    // State.
    bool visible() const { return visible_; }
    virtual void setVisible(bool v);
    bool enabled() const { return enabled_; }
    virtual void setEnabled(bool e);
    // Visible and enabled together with every container above it.
    bool shownAndEnabled() const;
    bool shown() const;
    // Whether the control takes the keyboard focus at all.
    bool focusable() const { return focusable_; }
    void setFocusable(bool f) { focusable_ = f; }
    bool canFocus() const { return focusable_ && shownAndEnabled(); }
    bool hasFocus() const;
    // Gives this control the focus of its form; false (and nothing changes) when the
    // control is hidden or disabled.
    bool setFocus();

    // Free value for the screens (e.g. a roster slot kept on a name label).
    std::string tag;

    // Painting. invalidate() asks for a repaint of the whole canvas.
    void invalidate() const;
    virtual void paint(Canvas& canvas, const Rect& area);
    // True when paint() sets every pixel of the control's area, so whatever lies under
    // it need not be painted.
    virtual bool paintsWholeArea() const { return false; }

    // What the control shows as text, for the test harness and diagnostics.
    virtual std::vector<std::string> texts() const { return {}; }

    // Events for the host. A key handler may set the code to 0 to stop the control's own
    // handling of it.
    std::function<void(int& keyCode, int shift)> onKeyDown;
    std::function<void(int& keyAscii)> onKeyPress;
    std::function<void(int& keyCode, int shift)> onKeyUp;
    std::function<void()> onClick;
    std::function<void()> onDblClick;
    std::function<void()> onGotFocus;
    std::function<void()> onLostFocus;
    std::function<void(int button, int shift, int x, int y)> onMouseDown;
    std::function<void(int button, int shift, int x, int y)> onMouseUp;
    std::function<void(int button, int shift, int x, int y)> onMouseMove;

    // Dispatch, called by the window system. Overrides add the control's own behaviour.
    virtual void handleKeyDown(int& keyCode, int shift);
    virtual void handleKeyPress(int& keyAscii);
    virtual void handleKeyUp(int& keyCode, int shift);
    virtual void handleMouseDown(int button, int shift, int x, int y);
    virtual void handleMouseUp(int button, int shift, int x, int y);
    virtual void handleMouseMove(int button, int shift, int x, int y);
    // A press and release of the left button on the same control.
    virtual void handleClick();
    virtual void handleDblClick();
    virtual void handleGotFocus();
    virtual void handleLostFocus();

    // Text input (only for controls that want it).
    virtual bool wantsTextInput() const { return false; }
    virtual bool composing() const { return false; }
    virtual void handleText(const std::string& /*utf8*/) {}
    virtual void handleEditing(const std::string& /*utf8*/, int /*cursor*/) {}
    virtual Rect caretRect() const { return screenRect(); }

    // The deepest shown child under a point given in canvas coordinates (this control
    // when no child is there, nullptr when the point is outside).
    Control* hitTest(int x, int y);

  protected:
    virtual void stateChanged();

  private:
    std::string name_;
    Control* parent_ = nullptr;
    std::vector<Control*> children_;
    Rect bounds_;
    bool visible_ = true;
    bool enabled_ = true;
    bool focusable_ = false;
};

}  // namespace dv
