#include "windows/county_window.h"

#include "framework/text.h"
#include "resources/resource.h"
#include "windows/companion_texts.h"

namespace ui {
namespace {

constexpr COLORREF kUnworkedFace = 0x00FF00;
constexpr COLORREF kUnworkedText = 0x010101;
constexpr COLORREF kWorkedFace = 0xFF00FF;
constexpr COLORREF kWorkedText = 0x00FFFF;
constexpr COLORREF kDisabledText = 0x808080;

}  // namespace

Yo_county::Yo_county(UiThreadState &shared)
    : CompanionDialog(IDD_COUNTY, companion::kCountyKeys, shared) {}

bool Yo_county::OnInitDialog() {
    CompanionDialog::OnInitDialog();
    MoveToSavedPosition();
    const auto &counties = companion::trackerCounties();
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        buttons_[i].AttachToDialogItem(counties[i].controlId, this, kUnworkedFace, kUnworkedText,
                                       kDisabledText);
        buttons_[i].SetShape(controls::CAdvancedButton::kEllipse);
    }
    if (shared_.onTop == 1) MakeTopmost();
    FinishFrame();
    return true;
}

void Yo_county::DoDataExchange(framework::CDataExchange &dx) {
    const auto &counties = companion::trackerCounties();
    for (std::size_t i = 0; i < checks_.size(); ++i) dx.Check(counties[i].controlId, checks_[i]);
}

void Yo_county::Reset() {
    marks_.reset();
    PaintMarks();
}

void Yo_county::ShowBandAndMode(int bandRow, int modeClass, const engine::TextArray &worked,
                                const std::string &bandText, const std::string &modeText,
                                bool russian) {
    marks_.show(shared_.refresh.tracker, bandRow, modeClass, worked);
    SetText(companion::countyCaption(russian, framework::AnsiToUtf8(modeText),
                                     framework::AnsiToUtf8(bandText), worked.size()));
    PaintMarks();
    checks_ = marks_.marks();
    UpdateData(false);
}

void Yo_county::PaintMarks() {
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        controls::CAdvancedButton &button = buttons_[i];
        const bool worked = marks_.marks()[i] == 1;
        const COLORREF face = worked ? kWorkedFace : kUnworkedFace;
        const COLORREF text = worked ? kWorkedText : kUnworkedText;
        // Forty-eight repaints at typing speed would flicker.
        if (button.GetFaceColor() != face || button.GetTextColor() != text)
            button.SetColors(face, text, kDisabledText);
    }
}

}  // namespace ui
