#include "windows/setup_window.h"

#include "engine/engine.h"
#include "framework/text.h"
#include "resources/resource.h"
#include "windows/companion_texts.h"
#include "windows/companion_ui_win32.h"

#include <cstdlib>

namespace ui {
namespace {

constexpr COLORREF kButtonFace = 0xF0F0F0;
constexpr COLORREF kButtonText = 0x010101;
constexpr COLORREF kButtonDisabledText = 0x808080;
constexpr COLORREF kSelectedFace = 0x00FF00;

// A station outside Romania types its country code where a Romanian station
// picks its county: the country label and field are moved onto the county
// label's and drop-down's place in the right-hand column, so both kinds of
// station find their code in the same spot. Pixels of the dialog's client
// area.
constexpr int kCountryLabelLeft = 140;
constexpr int kCountryLabelWidth = 100;
constexpr int kCountryLabelHeight = 25;
// The label naming a known code stands just above the field; the one asking
// for a code sits a little higher.
constexpr int kCountryLabelTop = 96;
constexpr int kCountryLabelAskingTop = 90;
constexpr int kCountryFieldLeft = 170;
constexpr int kCountryFieldTop = 120;
constexpr int kCountryFieldWidth = 40;   // two letters
constexpr int kCountryFieldHeight = 20;

int settingNumber(const char *key) { return std::atoi(readSetting(key).c_str()); }

}  // namespace

Setup::Setup(CompanionUiWin32 &ui)
    : CompanionDialog(IDD_SETUP, companion::kSetupKeys, ui.threadState()), ui_(ui) {}

Setup::~Setup() {
    // Closing the setup window leaves the companion windows to it: they
    // belong to this thread and go with it.
    if (previousQso_ != nullptr) previousQso_->DestroyWindow();
    if (countyTracker_ != nullptr) countyTracker_->DestroyWindow();
}

void Setup::DoDataExchange(framework::CDataExchange &dx) {
    dx.ComboText(IDC_SETUP_COUNTY, county_);
    dx.Check(IDC_SETUP_PREVIOUS_QSO, viewPreviousQso_);
    dx.Check(IDC_SETUP_COUNTY_TRACKER, showCountyTracker_);
    dx.Check(IDC_SETUP_ON_TOP, windowOnTop_);
    dx.Text(IDC_SETUP_COUNTRY, country_);
}

bool Setup::OnInitDialog() {
    initialising_ = true;
    CompanionDialog::OnInitDialog();
    ui_.publishSetup(GetSafeHwnd());
    // A stop that came before the window existed had nothing to close.
    if (ui_.stopping()) PostMessageTo(WM_CLOSE);
    engine::Engine::instance().withState([this](engine::EngineState &state) {
        russian_ = state.russianUi;
        contestYear_ = state.contestYear;
        ownPrefix_ = state.ownPrefix;
    });

    MoveToSavedPosition();
    // The setup window is always topmost, whatever the on-top flag says.
    MakeTopmost();
    FinishFrame();
    InitOwnCode();
    InitLabels();

    viewPreviousQso_ = settingNumber("setup_view_prev_qso");
    showCountyTracker_ = settingNumber("County");
    windowOnTop_ = settingNumber("setup_window_on_top");
    shared_.onTop = windowOnTop_;

    const auto &modes = companion::modeButtons();
    for (std::size_t i = 0; i < modeButtons_.size(); ++i)
        modeButtons_[i].AttachToDialogItem(modes[i].controlId, this, kButtonFace, kButtonText,
                                           kButtonDisabledText);
    UpdateData(false);

    host_.connect();
    if (std::optional<int> mode = companion::openingMode(readSetting("Mode"))) {
        SendMacros(modes[static_cast<std::size_t>(*mode)].openingMacros);
        SelectMode(*mode);
    }
    PostRefresh();
    initialising_ = false;
    ui_.markSetupReady();
    return true;
}

void Setup::InitOwnCode() {
    const companion::OwnCodeInput input = companion::ownCodeInput(
        ownPrefix_, readSetting("My_County"), readSetting("My_Country"), russian_);
    framework::CWnd *countyLabel = GetDlgItem(IDC_SETUP_COUNTY_LABEL);
    framework::CWnd *countyBox = GetDlgItem(IDC_SETUP_COUNTY);
    framework::CWnd *countryLabel = GetDlgItem(IDC_SETUP_COUNTRY_LABEL);
    framework::CWnd *countryField = GetDlgItem(IDC_SETUP_COUNTRY);
    if (!countyLabel || !countyBox || !countryLabel || !countryField) return;
    if (input.county) {
        if (!input.label.empty()) countyLabel->SetText(input.label);
        countyLabel->ShowWindow(SW_SHOW);
        countyBox->ShowWindow(SW_SHOW);
        countyLabel->EnableWindow(true);
        countyBox->EnableWindow(true);
        countryLabel->ShowWindow(SW_HIDE);
        countryField->ShowWindow(SW_HIDE);
        countryLabel->EnableWindow(false);
        countryField->EnableWindow(false);
        if (!input.code.empty()) {
            county_ = framework::AnsiToUtf8(input.code);
            SetMyCode(input.code);
        }
        return;
    }
    countyLabel->ShowWindow(SW_HIDE);
    countyBox->ShowWindow(SW_HIDE);
    countyLabel->EnableWindow(false);
    countyBox->EnableWindow(false);
    countryLabel->EnableWindow(true);
    countryField->EnableWindow(true);
    countryLabel->ShowWindow(SW_SHOW);
    countryField->ShowWindow(SW_SHOW);
    countryLabel->MoveWindow(kCountryLabelLeft,
                             input.codeKnown ? kCountryLabelTop : kCountryLabelAskingTop,
                             kCountryLabelWidth, kCountryLabelHeight);
    countryField->MoveWindow(kCountryFieldLeft, kCountryFieldTop, kCountryFieldWidth,
                             kCountryFieldHeight);
    countryLabel->SetText(input.label);
    if (input.codeKnown) {
        country_ = framework::AnsiToUtf8(input.code);
        SetMyCode(input.code);
    }
}

void Setup::InitLabels() {
    SetText(companion::setupCaption(russian_, framework::AnsiToUtf8(contestYear_)));
    const companion::SetupLabels &labels = companion::setupLabels(russian_);
    const std::pair<int, const char *> texts[] = {
        {IDC_SETUP_VIEW_LABEL, labels.view},
        {IDC_SETUP_MODE_LABEL, labels.mode},
        {IDC_SETUP_COUNTY_TRACKER, labels.countyTracker},
        {IDC_SETUP_ON_TOP, labels.onTop},
        {IDC_SETUP_PREVIOUS_QSO, labels.previousQso},
    };
    for (const auto &[id, text] : texts)
        if (framework::CWnd *control = GetDlgItem(id)) control->SetText(text);
}

void Setup::SetMyCode(const std::string &code) {
    engine::Engine::instance().withState(
        [&code](engine::EngineState &state) { state.myCode = code; });
}

void Setup::SelectMode(int index) {
    for (std::size_t i = 0; i < modeButtons_.size(); ++i) {
        if (static_cast<int>(i) == index) {
            modeButtons_[i].SetFaceColor(kSelectedFace);
        } else {
            modeButtons_[i].SetFaceColor(kButtonFace);
            modeButtons_[i].SetTextColor(kButtonText);
        }
    }
}

void Setup::SendMacros(const std::vector<std::string> &macros) {
    // A macro the host refuses is dropped: the operator sees the mode not
    // change in the host and clicks again.
    for (const std::string &macro : macros) host_.runMacro(macro);
}

void Setup::OnModeClicked(int index) {
    const companion::ModeButton &mode = companion::modeButtons()[static_cast<std::size_t>(index)];
    SendMacros(mode.clickMacros);
    SelectMode(index);
    writeSetting("Mode", mode.name);
}

bool Setup::OnCommand(int id, int notifyCode, HWND control) {
    if (initialising_) return CompanionDialog::OnCommand(id, notifyCode, control);
    if (notifyCode == BN_CLICKED && control != nullptr) {
        if (std::optional<int> mode = companion::modeOfControl(id)) {
            OnModeClicked(*mode);
            return true;
        }
        switch (id) {
        case IDC_SETUP_PREVIOUS_QSO:
            OnPreviousQsoClicked();
            return true;
        case IDC_SETUP_COUNTY_TRACKER:
            OnCountyTrackerClicked();
            return true;
        case IDC_SETUP_ON_TOP:
            OnOnTopClicked();
            return true;
        default:
            break;
        }
    }
    if (id == IDC_SETUP_COUNTY && notifyCode == CBN_SELCHANGE) {
        OnCountyChosen();
        return true;
    }
    if (id == IDC_SETUP_COUNTRY && notifyCode == EN_CHANGE) {
        OnCountryTyped();
        return true;
    }
    return CompanionDialog::OnCommand(id, notifyCode, control);
}

template <class Window>
Window *Setup::OpenCompanion(Window *&slot, void (CompanionUiWin32::*publish)(HWND)) {
    auto window = std::make_unique<Window>(shared_);
    window->SetOnDestroyed([this, &slot, publish, object = window.get()] {
        if (slot == object) {
            slot = nullptr;
            (ui_.*publish)(nullptr);
        }
        delete object;
    });
    if (!window->Create()) return nullptr;
    slot = window.release();
    (ui_.*publish)(slot->GetSafeHwnd());
    slot->ShowWindow(SW_SHOW);
    return slot;
}

void Setup::OpenPreviousQso(companion::PreviousQsoCaption caption) {
    if (OpenCompanion(previousQso_, &CompanionUiWin32::publishPreviousQso) == nullptr) return;
    viewPreviousQso_ = 1;
    PostRefresh();
    writeSetting("setup_view_prev_qso", "1");
    previousQso_->SetText(companion::previousQsoCaption(caption, russian_,
                                                        framework::AnsiToUtf8(contestYear_)));
}

void Setup::OpenCountyTracker() {
    if (OpenCompanion(countyTracker_, &CompanionUiWin32::publishCounty) == nullptr) return;
    showCountyTracker_ = 1;
    PostRefresh();
}

void Setup::ClosePreviousQso() {
    if (previousQso_ != nullptr) previousQso_->SendMessageTo(WM_CLOSE);
    previousQso_ = nullptr;
}

void Setup::CloseCountyTracker() {
    if (countyTracker_ != nullptr) countyTracker_->SendMessageTo(WM_CLOSE);
    countyTracker_ = nullptr;
}

void Setup::OnPreviousQsoClicked() {
    if (previousQso_ != nullptr) {
        ClosePreviousQso();
        viewPreviousQso_ = 0;
        writeSetting("setup_view_prev_qso", "0");
        return;
    }
    OpenPreviousQso(companion::PreviousQsoCaption::Opened);
}

void Setup::OnCountyTrackerClicked() {
    if (countyTracker_ != nullptr) {
        CloseCountyTracker();
        showCountyTracker_ = 0;
        writeSetting("County", "0");
        return;
    }
    OpenCountyTracker();
    writeSetting("County", "1");
}

void Setup::OnOnTopClicked() {
    windowOnTop_ = windowOnTop_ == 0 ? 1 : 0;
    shared_.onTop = windowOnTop_;
    writeSetting("setup_window_on_top", windowOnTop_ == 1 ? "1" : "0");
    // The refresh re-opens the windows whose boxes are set, with the new
    // setting.
    CloseCountyTracker();
    ClosePreviousQso();
    UpdateData(false);
    PostRefresh();
}

void Setup::OnCountyChosen() {
    framework::CComboBox box(GetDlgItemHandle(IDC_SETUP_COUNTY));
    const int selected = box.GetCurSel();
    if (selected < 0) return;
    county_ = box.GetLBText(selected);
    UpdateData(false);
    const std::string code = framework::Utf8ToAnsi(county_);
    writeSetting("My_County", code);
    SetMyCode(code);
}

void Setup::OnCountryTyped() {
    UpdateData(true);
    const std::string code = framework::Utf8ToAnsi(country_);
    SetMyCode(code);
    writeSetting("My_Country", code);
    if (framework::CWnd *label = GetDlgItem(IDC_SETUP_COUNTRY_LABEL)) {
        label->MoveWindow(kCountryLabelLeft, kCountryLabelTop, kCountryLabelWidth,
                          kCountryLabelHeight);
        label->SetText(companion::countryKnownLabel(russian_));
    }
}

void Setup::PostRefresh() { PostMessageTo(kRefreshMessage); }

bool Setup::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT &result) {
    if (message == kRefreshMessage) {
        OnRefresh();
        result = 0;
        return true;
    }
    if (message == kResetTrackerMessage) {
        OnResetTracker();
        result = 0;
        return true;
    }
    return CompanionDialog::OnMessage(message, wParam, lParam, result);
}

void Setup::OnResetTracker() {
    if (countyTracker_ != nullptr) countyTracker_->Reset();
}

void Setup::OnRefresh() {
    // A request still queued when the host stops the thread must not
    // re-open the windows it is closing.
    if (ui_.stopping()) return;
    if (viewPreviousQso_ == 1 && previousQso_ == nullptr)
        OpenPreviousQso(companion::PreviousQsoCaption::Reopened);
    if (showCountyTracker_ == 1 && countyTracker_ == nullptr) OpenCountyTracker();
    if (!host_.connected()) return;

    // Calls into the host may let other messages in (a WM_CLOSE among
    // them), so the window pointers are looked at again after each call.
    companion::HostReading reading;
    std::optional<std::string> mode = host_.mode();
    std::optional<std::string> call = mode ? host_.entryCall() : std::nullopt;
    if (call && !companion::isCallFragment(*call)) {
        reading.frequencyHz = host_.frequency();
        if (!reading.frequencyHz) call.reset();
    }
    if (!mode || !call) {
        // The host did not answer: let the next call check ask again.
        engine::Engine::instance().withState(
            [](engine::EngineState &state) { state.refreshPending = true; });
        return;
    }
    reading.mode = *mode;
    reading.call = *call;

    const bool previousOpen = previousQso_ != nullptr;
    const bool countyOpen = countyTracker_ != nullptr;
    const companion::RefreshPlan plan =
        engine::Engine::instance().withState([&](engine::EngineState &state) {
            return companion::planRefresh(state, shared_.refresh, reading, previousOpen,
                                          countyOpen);
        });
    if (plan.callFragment) return;

    const std::string year = framework::AnsiToUtf8(contestYear_);
    if (previousQso_ != nullptr && plan.caption == companion::CaptionChange::Reopened)
        previousQso_->SetText(companion::previousQsoCaption(
            companion::PreviousQsoCaption::Reopened, russian_, year));
    if (previousQso_ != nullptr && plan.caption == companion::CaptionChange::WorkedWith)
        previousQso_->SetText(companion::previousQsoCaption(
            companion::PreviousQsoCaption::WorkedWith, russian_, year,
            framework::AnsiToUtf8(reading.call)));
    if (plan.sendSp1) host_.runMacro("<SP1>");
    if (!plan.contestBand) return;
    if (plan.countyPass && countyTracker_ != nullptr)
        countyTracker_->ShowBandAndMode(plan.bandRow, plan.modeClass, plan.counties,
                                        plan.bandText, plan.modeText, russian_);
    if (plan.repaintTable && previousQso_ != nullptr) previousQso_->RepaintTable();
}

void Setup::PostNcDestroy() {
    ui_.publishSetup(nullptr);
    ui_.markSetupGone();
    CompanionDialog::PostNcDestroy();
}

}  // namespace ui
