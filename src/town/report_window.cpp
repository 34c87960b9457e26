#include "town/report_window.h"

#include <algorithm>
#include <string>

#include "core/data/text.h"
#include "core/game.h"
#include "core/main_window.h"
#include "core/screens.h"
#include "core/skin_pictures.h"
#include "core/window_of.h"
#include "ui/keys.h"
#include "ui/window_system.h"

namespace dv {

namespace {

constexpr int kMargin = 8;
// The widest row (the item catalogue, 57 full-width cells) still fits at the smallest size.
// Even sizes only: a full-width glyph is then exactly two half-width cells.
constexpr int kFontSizes[] = {14, 12, 10};
constexpr int kSmallestFont = 10;

const char* reportTitle(ReportKind kind) {
    switch (kind) {
        case ReportKind::Level:
            return "ＬＶランキング";
        case ReportKind::MaxHitPoints:
            return "ＭＡＸ　Ｈ・Ｐランク";
        case ReportKind::Marks:
            return "Ｍａｒｋｓランク";
        case ReportKind::Rip:
            return "Ｒｉｐランク";
        case ReportKind::CriticalHits:
            return "クリティカルヒットランク";
        case ReportKind::ItemsObtained:
            return "獲得アイテムランク";
        case ReportKind::MonstersDefeated:
            return "倒打モンスターランク";
        case ReportKind::ItemCatalogue:
            return "獲得アイテムリスト";
        case ReportKind::MonsterCatalogue:
            return "倒打モンスターリスト";
    }
    return "";
}

}  // namespace

ReportWindow::ReportWindow(Ui& ui, Game& game) : Form(ui, "fdlgRank"), game_(game) {
    backColor = rgb(10, 12, 36);
    bordered = true;
    keyPreview = true;
    add(fraBack);
    fraBack.add(lstRanking);
    for (Label* l : {&lblSummary, &lblPage, &lblKeys}) {
        l->setFont(Font::standard(14));
        l->wordWrap = false;
        fraBack.add(*l);
    }
    lblPage.alignment = Align::Right;
    lblKeys.setFont(Font::standard(12));
    lblKeys.setCaption("ＰａｇｅＵｐ／ＰａｇｅＤｏｗｎ・←→：ページ　Ｅｎｔｅｒ・Ｅｓｃ：閉じる");
    lstRanking.accessKeyOn = false;
    lstRanking.setFont(Font::standard(14));
    lstRanking.setSelectionFont(Font::standard(14));
    fraBack.captionFont = Font::standard(16);
    layout();

    // Enter, Esc and Backspace close the window from the list or anywhere on it.
    onKeyDown = [this](int& code, int) {
        if (code == keys::Enter || code == keys::Esc || code == keys::Back) {
            code = 0;
            close();
        } else if (code == keys::PageUp || code == keys::Left) {
            code = 0;
            turnPage(-1);
        } else if (code == keys::PageDown || code == keys::Right) {
            code = 0;
            turnPage(1);
        }
    };
    // A click on a row chooses it, which closes the window too.
    lstRanking.onEnter = [this] { close(); };
    lstRanking.onClick = [this] { showPage(); };
}

void ReportWindow::dress(const SkinPictures& skin) {
    DressPanel(fraBack, skin);
    DressList(lstRanking, skin);
    bordered = !skin.complete;
    layout();
}

void ReportWindow::layout() {
    const int w = Ui::kWidth - 2 * kMargin;
    const int h = Ui::kHeight - 2 * kMargin;
    move(kMargin, kMargin, w, h);
    fraBack.move(0, 0, w, h);
    const Rect in = fraBack.innerRect();
    const int listTop = in.y + 24;
    const int bottom = in.y + in.h;
    lstRanking.move(in.x + 2, listTop, in.w - 4, bottom - 66 - listTop);
    lblSummary.move(in.x + 10, bottom - 60, in.w - 20, 18);
    lblPage.move(in.x + in.w - 130, bottom - 38, 120, 18);
    lblKeys.move(in.x + 10, bottom - 36, in.w - 150, 16);
}

void ReportWindow::run(const std::string& title, const Report& report) {
    fraBack.caption = title;
    // The largest type in which every row fits the list's width.
    const SkinLayout sl =
        skinLayout(lstRanking, lstRanking.width(), lstRanking.height(), lstRanking.indent);
    const int room = sl.innerWidth - lstRanking.indent - 4;
    int size = kSmallestFont;
    for (int s : kFontSizes) {
        const FontRef f = Font::standard(s);
        const bool fits =
            std::all_of(report.rows.begin(), report.rows.end(),
                        [&](const std::string& r) { return f->textWidth(r) <= room; });
        if (fits) {
            size = s;
            break;
        }
    }
    lstRanking.setFont(Font::standard(size));
    lstRanking.setSelectionFont(Font::standard(size));
    lstRanking.setRedraw(false);
    lstRanking.clear();
    for (std::size_t i = 0; i < report.rows.size(); ++i) {
        lstRanking.addItem(report.rows[i]);
        lstRanking.setItemData(lstRanking.newIndex(),
                               i < report.numbers.size() ? report.numbers[i] : 0);
    }
    lstRanking.setListIndex(lstRanking.listCount() > 0 ? 0 : -1);
    lblSummary.setCaption(report.summary);
    lstRanking.setRedraw(true);
    showPage();
    Form* owner = game_.screens ? game_.screens->main : nullptr;
    setOwner(owner);
    lstRanking.setFocus();
    showModal(owner);
}

int ReportWindow::pages() const {
    const int per = std::max(1, lstRanking.rowsPerPage());
    return std::max(1, (lstRanking.listCount() + per - 1) / per);
}

int ReportWindow::page() const {
    const int per = std::max(1, lstRanking.rowsPerPage());
    // The last page starts where the list stops scrolling.
    const int top = lstRanking.topIndex();
    if (top + per >= lstRanking.listCount()) return pages();
    return std::min(pages(), top / per + 1);
}

// The list shows the rows above its selection, so a page is shown by selecting its last
// row (the first page by its first row; the last page ends with the list).
void ReportWindow::turnPage(int step) {
    const int target = std::clamp(page() + step, 1, pages());
    const int per = std::max(1, lstRanking.rowsPerPage());
    const int last = lstRanking.listCount() - 1;
    if (last < 0) return;
    lstRanking.setListIndex(target == 1 ? 0 : std::min(last, target * per - 1));
    showPage();
}

void ReportWindow::showPage() {
    lblPage.setCaption(ToWide(std::to_string(page()) + "/" + std::to_string(pages())) + "ページ");
}

void ReportWindow::close() {
    hide();
}

void ShowReport(Game& game, ReportKind kind) {
    ReportWindow& w = WindowOf<ReportWindow>(game);
    w.run(reportTitle(kind), BuildReport(game.db, game.save, kind));
}

}  // namespace dv
