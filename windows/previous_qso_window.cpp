#include "windows/previous_qso_window.h"

#include "controls/mem_dc.h"
#include "engine/engine.h"
#include "framework/text.h"
#include "resources/resource.h"

namespace ui {
namespace {

constexpr COLORREF kTableFace = 0xC6FFFF;
constexpr COLORREF kBandBar = 0xFFFFC6;

struct TableCell {
    int x;
    int y;
    const char *text;
};

}  // namespace

void CqEA::DrawItem(const DRAWITEMSTRUCT &item) {
    // The rows are the engine's (a reset refills them on the host's thread):
    // copied under its lock, painted without it.
    const std::array<engine::TextArray, 3> rows = engine::Engine::instance().withState(
        [](engine::EngineState &state) { return state.previousQsoRows; });
    const companion::RefreshState &refresh = shared_.refresh;

    framework::CDC target(item.hDC);
    controls::CMemDC dc(target);
    const RECT &area = item.rcItem;
    dc.FillSolidRect(area, kTableFace);
    const int h = area.bottom / 3;
    if (refresh.currentBandRow >= 0) {
        const RECT bar{0, (refresh.currentBandRow + 1) * h + 10, area.right,
                       (refresh.currentBandRow + 2) * h - 10};
        dc.FillSolidRect(bar, kBandBar);
    }
    dc.SetBkMode(TRANSPARENT);

    const TableCell head[] = {{20, 22, "Band"}, {100, 22, "CW"},     {160, 22, "SSB"},
                              {220, 22, "DIGI"}, {285, 22, "NR/County/Country"}};
    for (const TableCell &cell : head) dc.TextOutUtf8(cell.x, cell.y, cell.text);
    dc.TextOutUtf8(190, 5, refresh.currentCall.empty()
                               ? std::string("Call")
                               : framework::AnsiToUtf8(refresh.currentCall));

    const int columns[] = {20, 90, 160, 220, 320};
    for (int line = 1; line <= 2; ++line) {
        const engine::TextArray &row = rows[static_cast<std::size_t>(line - 1)];
        for (std::size_t i = 0; i < 5 && i < row.size(); ++i)
            dc.TextOutUtf8(columns[i], line * h + 10, framework::AnsiToUtf8(row[i]));
    }
}

Prev_QSO::Prev_QSO(UiThreadState &shared)
    : CompanionDialog(IDD_PREVIOUS_QSO, companion::kPreviousQsoKeys, shared), table_(shared) {}

bool Prev_QSO::OnInitDialog() {
    CompanionDialog::OnInitDialog();
    table_.SubclassDlgItem(IDC_PREV_TABLE, this);
    MoveToSavedPosition();
    if (shared_.onTop == 1) MakeTopmost();
    FinishFrame();
    return true;
}

void Prev_QSO::RepaintTable() {
    if (table_.GetSafeHwnd() != nullptr) table_.InvalidateRect(nullptr, false);
}

}  // namespace ui
