#include "tests/gui/rig/fake_vexa.h"

#include <oleauto.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <type_traits>

namespace gui_test {

namespace {

const wchar_t kProgId[] = L"Vexa2.Application";
// Our own class id for the stand-in; the plug-in finds it through the ProgID.
const CLSID kFakeVexaClsid = {0x5d0c9a41, 0x7e2b, 0x4c8f, {0x9a, 0x11, 0x3e, 0x52, 0x6b, 0x0d, 0x84, 0xc7}};

std::string narrow(const wchar_t *text, UINT length) {
    if (text == nullptr || length == 0) return std::string();
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0,
                                           nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        ::WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), out.data(), size,
                              nullptr, nullptr);
    return out;
}

BSTR bstr(const std::string &utf8) {
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                             nullptr, 0);
    BSTR out = ::SysAllocStringLen(nullptr, static_cast<UINT>(length > 0 ? length : 0));
    if (out != nullptr && length > 0)
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out, length);
    return out;
}

// One argument of a call, converted to type; false when it cannot be.
bool argument(const DISPPARAMS *params, VARTYPE type, VARIANT &out) {
    ::VariantInit(&out);
    if (params == nullptr || params->cArgs != 1 || params->rgvarg == nullptr) return false;
    VARIANT value;
    ::VariantInit(&value);
    if (FAILED(::VariantCopyInd(&value, &params->rgvarg[0]))) return false;
    const HRESULT converted = ::VariantChangeType(&out, &value, 0, type);
    ::VariantClear(&value);
    return SUCCEEDED(converted);
}

}  // namespace

struct FakeVexa::State {
    mutable std::mutex mutex;  // guards everything below
    double frequency = 3510000.0;
    std::string mode = "CW";
    std::string entryCall;
    std::vector<std::string> macros;
    std::map<DISPID, int> calls;
};

namespace {

class Automation final : public IDispatch {
public:
    explicit Automation(std::shared_ptr<FakeVexa::State> state) : state_(std::move(state)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **out) override {
        if (out == nullptr) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch) {
            *out = static_cast<IDispatch *>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT *count) override {
        if (count == nullptr) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo **info) override {
        if (info != nullptr) *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR *, UINT, LCID, DISPID *) override {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS *params,
                                     VARIANT *result, EXCEPINFO *, UINT *) override {
        std::lock_guard<std::mutex> lock(state_->mutex);
        ++state_->calls[member];
        if (result != nullptr) ::VariantInit(result);
        switch (member) {
        case kVexaFrequency:
            if (result != nullptr) {
                result->vt = VT_R8;
                result->dblVal = state_->frequency;
            }
            return S_OK;
        case kVexaMode:
            if (result != nullptr) {
                result->vt = VT_BSTR;
                result->bstrVal = bstr(state_->mode);
            }
            return S_OK;
        case kVexaGetField: {
            VARIANT which;
            if (!argument(params, VT_I4, which)) return DISP_E_BADPARAMCOUNT;
            if (which.lVal != kVexaEntryCall) return DISP_E_BADINDEX;
            if (result != nullptr) {
                result->vt = VT_BSTR;
                result->bstrVal = bstr(state_->entryCall);
            }
            return S_OK;
        }
        case kVexaRunMacro: {
            VARIANT text;
            if (!argument(params, VT_BSTR, text)) return DISP_E_BADPARAMCOUNT;
            state_->macros.push_back(narrow(text.bstrVal, ::SysStringLen(text.bstrVal)));
            ::VariantClear(&text);
            return S_OK;
        }
        default:
            return DISP_E_MEMBERNOTFOUND;
        }
    }

private:
    std::shared_ptr<FakeVexa::State> state_;
    std::atomic<ULONG> references_{1};
};

std::wstring classIdText() {
    wchar_t text[64] = {};
    ::StringFromGUID2(kFakeVexaClsid, text, 64);
    return text;
}

// The ProgID goes under HKEY_CLASSES_ROOT itself: Wine's lookup of a ProgID
// does not see the per-user classes.
bool registerProgId() {
    HKEY created = nullptr;
    if (::RegCreateKeyExW(HKEY_CLASSES_ROOT, L"Vexa2.Application\\CLSID", 0, nullptr, 0,
                          KEY_WRITE, nullptr, &created, nullptr) != ERROR_SUCCESS)
        return false;
    const std::unique_ptr<std::remove_pointer_t<HKEY>, decltype(&::RegCloseKey)> progId(
        created, &::RegCloseKey);
    const std::wstring id = classIdText();
    return ::RegSetValueExW(progId.get(), nullptr, 0, REG_SZ,
                            reinterpret_cast<const BYTE *>(id.c_str()),
                            static_cast<DWORD>((id.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

}  // namespace

VexaLock::VexaLock() : mutex_(::CreateMutexW(nullptr, FALSE, L"Local\\MorvantiaFakeVexa")) {
    if (mutex_ == nullptr) return;
    // Bounded: a test that holds it that long has hung and fails on its own.
    const DWORD waited = ::WaitForSingleObject(mutex_, 120000);
    held_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

VexaLock::~VexaLock() {
    if (held_) ::ReleaseMutex(mutex_);
    if (mutex_ != nullptr) ::CloseHandle(mutex_);
}

const CLSID &FakeVexa::classId() { return kFakeVexaClsid; }

FakeVexa::FakeVexa() : state_(std::make_shared<State>()) {
    if (!lock_.held()) {
        error_ = "another test's stand-in stays registered";
        return;
    }
    if (!registerProgId()) {
        error_ = "cannot register the ProgID";
        return;
    }
    object_ = new Automation(state_);
    // Strong: the table keeps the object alive until it is revoked, as the
    // real program's registration does.
    const HRESULT registered =
        ::RegisterActiveObject(object_, kFakeVexaClsid, ACTIVEOBJECT_STRONG, &cookie_);
    if (FAILED(registered)) {
        cookie_ = 0;
        error_ = "RegisterActiveObject failed: 0x" + std::to_string(static_cast<unsigned long>(registered));
    }
}

FakeVexa::~FakeVexa() {
    if (cookie_ != 0) ::RevokeActiveObject(cookie_, nullptr);
    if (object_ != nullptr) object_->Release();
    if (lock_.held()) ::RegDeleteTreeW(HKEY_CLASSES_ROOT, kProgId);
}

void FakeVexa::setFrequency(double hertz) {
    std::lock_guard<std::mutex> lock(state_->mutex);
    state_->frequency = hertz;
}

void FakeVexa::setMode(const std::string &mode) {
    std::lock_guard<std::mutex> lock(state_->mutex);
    state_->mode = mode;
}

void FakeVexa::setEntryCall(const std::string &call) {
    std::lock_guard<std::mutex> lock(state_->mutex);
    state_->entryCall = call;
}

std::vector<std::string> FakeVexa::macros() const {
    std::lock_guard<std::mutex> lock(state_->mutex);
    return state_->macros;
}

void FakeVexa::clearMacros() {
    std::lock_guard<std::mutex> lock(state_->mutex);
    state_->macros.clear();
}

int FakeVexa::calls(DISPID member) const {
    std::lock_guard<std::mutex> lock(state_->mutex);
    auto found = state_->calls.find(member);
    return found != state_->calls.end() ? found->second : 0;
}

}  // namespace gui_test
