#include "core/skin_pictures.h"

#include "ui/list_ex.h"
#include "ui/panel_ex.h"
#include "ui/png.h"

namespace dv {

namespace {
PictureRef loadPiece(const std::filesystem::path& dir, const char* name, bool& ok) {
    auto picture = std::make_shared<Canvas>();
    if (!loadPicture((dir / name).string(), *picture)) {
        ok = false;
        return nullptr;
    }
    return picture;
}

constexpr Color kPanelBack = rgb(14, 16, 38);
constexpr Color kText = rgb(236, 236, 244);
constexpr Color kCaption = rgb(240, 214, 150);
constexpr Color kRule = rgb(120, 130, 180);
}  // namespace

SkinPictures LoadSkinPictures(const std::filesystem::path& dir) {
    SkinPictures s;
    bool ok = true;
    FramePieces& f = s.frame;
    f.topLeft = loadPiece(dir, "frame_tl.png", ok);
    f.topCenter = loadPiece(dir, "frame_tc.png", ok);
    f.topRight = loadPiece(dir, "frame_tr.png", ok);
    f.middleLeft = loadPiece(dir, "frame_ml.png", ok);
    f.middleRight = loadPiece(dir, "frame_mr.png", ok);
    f.bottomLeft = loadPiece(dir, "frame_bl.png", ok);
    f.bottomCenter = loadPiece(dir, "frame_bc.png", ok);
    f.bottomRight = loadPiece(dir, "frame_br.png", ok);
    s.complete = ok;
    bool shade = true;
    s.shadingStrip = loadPiece(dir, "shade.png", shade);
    return s;
}

void DressList(ListEx& list, const SkinPictures& skin) {
    list.backColor = kPanelBack;
    list.foreColor = kText;
    list.selectBackColor = rgb(70, 84, 170);
    list.gradationColor = kPanelBack;
    list.gradationPoint = 30;
    list.selectStyle = 2;
    list.selectForeColor = rgb(255, 255, 255);
    list.selectBorderColor = kRule;
    list.listHeight = 4;
    list.shadingStrip = skin.shadingStrip;
    if (skin.complete) {
        list.borderStyle = 2;
        list.frame = skin.frame;
    } else {
        list.borderStyle = 1;
    }
}

void DressPanel(PanelEx& panel, const SkinPictures& skin) {
    panel.backColor = kPanelBack;
    panel.captionColor = kCaption;
    panel.borderColor = kRule;
    panel.messageColor = kText;
    panel.shadingStrip = skin.shadingStrip;
    if (skin.complete) {
        panel.borderStyle = 2;
        panel.frame = skin.frame;
    } else {
        panel.borderStyle = 1;
    }
}

}  // namespace dv
