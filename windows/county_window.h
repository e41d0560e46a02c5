// The county tracker: one elliptic button per Romanian county, magenta on
// yellow when worked on the band and mode class the host is on, green when
// not, with the count in the caption.
#pragma once

#include "controls/advanced_button.h"
#include "windows/companion_dialog.h"
#include "windows/county_marks.h"

#include <array>

namespace ui {

class Yo_county : public CompanionDialog {
public:
    explicit Yo_county(UiThreadState &shared);

    // Clears every mark and paints every county unworked.
    void Reset();
    // One marking pass for a band and mode class (see CountyMarks).
    void ShowBandAndMode(int bandRow, int modeClass, const engine::TextArray &worked,
                         const std::string &bandText, const std::string &modeText,
                         bool russian);

protected:
    bool OnInitDialog() override;
    void DoDataExchange(framework::CDataExchange &dx) override;

private:
    // Brings each button's colours in line with its mark, repainting only
    // the buttons that change.
    void PaintMarks();

    companion::CountyMarks marks_;
    std::array<int, companion::kTrackerCounties> checks_{};  // bound to the check boxes
    std::array<controls::CAdvancedButton, companion::kTrackerCounties> buttons_;
};

}  // namespace ui
