#include "windows/host_automation.h"

#include "framework/text.h"

#include <oleauto.h>

namespace ui {
namespace {

enum Member : DISPID {
    kFrequency = 2,
    kMode = 7,
    kGetField = 8,
    kRunMacro = 16,
};
constexpr long kEntryCallField = 5;

// Clears a VARIANT however its use ends.
struct VariantGuard {
    VARIANT &value;
    ~VariantGuard() { ::VariantClear(&value); }
};

}  // namespace

HostAutomation::~HostAutomation() {
    if (dispatch_ != nullptr) dispatch_->Release();
    dispatch_ = nullptr;
    if (comInitialised_) ::CoUninitialize();
}

bool HostAutomation::connect() {
    if (!comInitialised_) comInitialised_ = SUCCEEDED(::CoInitialize(nullptr));
    if (dispatch_ != nullptr) return true;
    CLSID classId;
    if (FAILED(::CLSIDFromProgID(L"Vexa2.Application", &classId))) return false;
    IUnknown *active = nullptr;
    if (SUCCEEDED(::GetActiveObject(classId, nullptr, &active)) && active != nullptr) {
        void *dispatch = nullptr;
        if (SUCCEEDED(active->QueryInterface(IID_IDispatch, &dispatch)))
            dispatch_ = static_cast<IDispatch *>(dispatch);
    }
    if (active != nullptr) active->Release();
    return dispatch_ != nullptr;
}

HRESULT HostAutomation::invoke(DISPID member, WORD flags, VARIANT *argument, VARIANT &result) {
    ::VariantInit(&result);
    if (dispatch_ == nullptr) return E_POINTER;
    DISPPARAMS params{argument, nullptr, argument != nullptr ? 1u : 0u, 0};
    return dispatch_->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, &result,
                             nullptr, nullptr);
}

std::optional<std::string> HostAutomation::textOf(VARIANT &value) {
    VARIANT text;
    ::VariantInit(&text);
    VariantGuard guard{text};
    if (FAILED(::VariantChangeType(&text, &value, 0, VT_BSTR))) return std::nullopt;
    return framework::WideToAnsi(text.bstrVal, ::SysStringLen(text.bstrVal));
}

std::optional<std::string> HostAutomation::mode() {
    VARIANT result;
    VariantGuard guard{result};
    if (FAILED(invoke(kMode, DISPATCH_PROPERTYGET, nullptr, result))) return std::nullopt;
    return textOf(result);
}

std::optional<std::string> HostAutomation::entryCall() {
    VARIANT which;
    ::VariantInit(&which);
    which.vt = VT_I4;
    which.lVal = kEntryCallField;
    VARIANT result;
    VariantGuard guard{result};
    if (FAILED(invoke(kGetField, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &which, result)))
        return std::nullopt;
    return textOf(result);
}

std::optional<double> HostAutomation::frequency() {
    VARIANT result;
    VariantGuard guard{result};
    if (FAILED(invoke(kFrequency, DISPATCH_PROPERTYGET, nullptr, result))) return std::nullopt;
    VARIANT number;
    ::VariantInit(&number);
    VariantGuard numberGuard{number};
    if (FAILED(::VariantChangeType(&number, &result, 0, VT_R8))) return std::nullopt;
    return number.dblVal;
}

bool HostAutomation::runMacro(const std::string &macro) {
    if (dispatch_ == nullptr) return false;
    const std::wstring wide = framework::Widen(framework::AnsiToUtf8(macro));
    VARIANT text;
    ::VariantInit(&text);
    text.vt = VT_BSTR;
    text.bstrVal = ::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    VariantGuard textGuard{text};
    if (text.bstrVal == nullptr) return false;
    VARIANT result;
    VariantGuard guard{result};
    return SUCCEEDED(invoke(kRunMacro, DISPATCH_METHOD, &text, result));
}

}  // namespace ui
