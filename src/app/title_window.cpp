#include "app/title_window.h"

#include "ui/png.h"

namespace dv {

TitleWindow::TitleWindow(Ui& ui, const std::string& productTitle) : Form(ui, "frmTitle") {
    topLevel = true;
    setTitle(productTitle);
    backColor = rgb(6, 6, 16);

    lblTitle.setFont(Font::standard(48));
    lblTitle.move(0, 28, 640, 56);
    lblTitle.alignment = Align::Center;
    lblTitle.foreColor = rgb(235, 210, 140);
    lblTitle.wordWrap = false;
    lblTitle.setCaption(productTitle);
    add(lblTitle);

    Label1.setFont(Font::standard(16));
    Label1.move(0, 456, 632, 20);
    Label1.alignment = Align::Right;
    Label1.foreColor = rgb(200, 200, 220);
    add(Label1);

    lbl.setFont(Font::standard(20));
    lbl.move(0, 440, 640, 24);
    lbl.alignment = Align::Center;
    lbl.foreColor = rgb(255, 255, 255);
    for (Label* l : {&lblTitle, &Label1, &lbl})
        l->shadow = true;
    add(lbl);

    onKeyDown = [this](int& /*code*/, int /*shift*/) { start(); };
    onClick = [this] { start(); };
}

void TitleWindow::loadArtwork(const std::string& path) {
    Canvas picture;
    if (loadPicture(path, picture)) artwork_ = std::move(picture);
    invalidate();
}

void TitleWindow::start() {
    if (started_ || !onStart) return;
    started_ = true;
    onStart();
}

void TitleWindow::paint(Canvas& canvas, const Rect& area) {
    Form::paint(canvas, area);
    if (artwork_.width() > 0)
        canvas.stretchBlit(artwork_, {0, 0, artwork_.width(), artwork_.height()}, area);
}

}  // namespace dv
