#pragma once

#include <functional>
#include <string>

#include "ui/control.h"

namespace dv {

// A window inside the canvas. Forms are shown modeless or modal; a modal show runs a
// nested event loop until the form hides itself. Keys go to the focused control of the
// topmost modal form (or of the topmost form when none is modal).
class Form : public Control {
  public:
    Form(Ui& ui, std::string name);
    ~Form() override;

    Form* form() override { return this; }
    Ui& windowSystem() const { return ui_; }

    const std::string& title() const { return title_; }
    void setTitle(std::string t);
    // The form whose title names the real window (the title screen, the main window).
    bool topLevel = false;

    Form* owner() const { return owner_; }
    void setOwner(Form* o) { owner_ = o; }

    Color backColor = colors::black;
    // Dialog-like forms draw a border around themselves.
    bool bordered = false;
    Color borderColor = colors::windowFrame;
    // The form sees keys before its focused control.
    bool keyPreview = false;

    bool loaded() const { return loaded_; }
    // Runs the load handler once; showing a form loads it first.
    void load();
    void show();
    // Shows the form modally over its owner and returns when it hides itself.
    void showModal(Form* owner = nullptr);
    void hide();
    // Hides the form and forgets its load; the next show loads it again.
    void unload();
    bool isModal() const { return modal_; }

    Control* focused() const { return focused_; }
    void focusControl(Control* c);
    // Gives the focus to the first control that can take it, in child order.
    bool focusFirst();
    // Called when a control of this form is hidden or disabled.
    void dropFocusIfBlocked();

    // Lifecycle events.
    std::function<void()> onLoad;
    std::function<void()> onActivate;
    std::function<void()> onUnload;
    // A close request from the window system; the default does nothing.
    std::function<void()> onCloseRequest;

    void paint(Canvas& canvas, const Rect& area) override;
    bool paintsWholeArea() const override { return true; }

  private:
    friend class Ui;
    Ui& ui_;
    std::string title_;
    Form* owner_ = nullptr;
    Control* focused_ = nullptr;
    bool loaded_ = false;
    bool modal_ = false;
};

}  // namespace dv
