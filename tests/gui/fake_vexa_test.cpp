// The stand-in for the host's automation object, reached the way the
// plug-in's UI thread reaches the real one: by ProgID, through the
// running-object table, from another thread and apartment.
#include "tests/gui/rig/fake_vexa.h"
#include "tests/gui/rig/gui_probe.h"

#include <gtest/gtest.h>

#include <oleauto.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace gui_test {
namespace {

// What a client thread saw.
struct ClientView {
    bool connected = false;
    double frequency = 0;
    std::string mode;
    std::string call;
    HRESULT badIndex = S_OK;
    HRESULT unknownMember = S_OK;
};

HRESULT invoke(IDispatch *dispatch, DISPID member, WORD flags, VARIANT *argument, VARIANT *result) {
    DISPPARAMS params{argument, nullptr, argument != nullptr ? 1u : 0u, 0};
    return dispatch->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, nullptr,
                            nullptr);
}

std::string text(const VARIANT &value) {
    if (value.vt != VT_BSTR || value.bstrVal == nullptr) return "<not a text>";
    const int length = static_cast<int>(::SysStringLen(value.bstrVal));
    std::string out(static_cast<std::size_t>(length) * 3, '\0');
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, value.bstrVal, length, out.data(),
                                           static_cast<int>(out.size()), nullptr, nullptr);
    out.resize(static_cast<std::size_t>(size > 0 ? size : 0));
    return out;
}

// Does on its own thread what the plug-in's UI thread will do.
ClientView callFromAnotherThread(const std::vector<std::string> &macros) {
    ClientView view;
    std::atomic<bool> done{false};
    std::thread client([&] {
        if (FAILED(::CoInitialize(nullptr))) {
            done = true;
            return;
        }
        CLSID id{};
        IUnknown *unknown = nullptr;
        IDispatch *dispatch = nullptr;
        if (SUCCEEDED(::CLSIDFromProgID(L"Vexa2.Application", &id)) &&
            SUCCEEDED(::GetActiveObject(id, nullptr, &unknown)) && unknown != nullptr) {
            unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void **>(&dispatch));
            unknown->Release();
        }
        if (dispatch != nullptr) {
            view.connected = true;
            VARIANT result;
            ::VariantInit(&result);
            if (SUCCEEDED(invoke(dispatch, kVexaFrequency, DISPATCH_PROPERTYGET, nullptr, &result)) &&
                result.vt == VT_R8)
                view.frequency = result.dblVal;
            ::VariantClear(&result);
            if (SUCCEEDED(invoke(dispatch, kVexaMode, DISPATCH_PROPERTYGET, nullptr, &result)))
                view.mode = text(result);
            ::VariantClear(&result);
            VARIANT field;
            ::VariantInit(&field);
            field.vt = VT_I4;
            field.lVal = kVexaEntryCall;
            if (SUCCEEDED(invoke(dispatch, kVexaGetField, DISPATCH_METHOD, &field, &result)))
                view.call = text(result);
            ::VariantClear(&result);
            field.lVal = 4;
            view.badIndex = invoke(dispatch, kVexaGetField, DISPATCH_METHOD, &field, &result);
            ::VariantClear(&result);
            view.unknownMember = invoke(dispatch, 99, DISPATCH_METHOD, nullptr, &result);
            for (const std::string &macro : macros) {
                VARIANT argument;
                ::VariantInit(&argument);
                argument.vt = VT_BSTR;
                argument.bstrVal = ::SysAllocStringLen(nullptr, static_cast<UINT>(macro.size()));
                for (std::size_t i = 0; i < macro.size(); ++i)
                    argument.bstrVal[i] = static_cast<unsigned char>(macro[i]);
                invoke(dispatch, kVexaRunMacro, DISPATCH_METHOD, &argument, nullptr);
                ::VariantClear(&argument);
            }
            dispatch->Release();
        }
        ::CoUninitialize();
        done = true;
    });
    // The calls arrive as messages on this thread: keep pumping.
    waitUntil([&] { return done.load(); }, 20000);
    client.join();
    return view;
}

TEST(FakeVexa, AnswersTheMembersThePluginReadsAcrossThreads) {
    ComApartment com;
    ASSERT_TRUE(com.ok());
    FakeVexa vexa;
    ASSERT_TRUE(vexa.registered()) << vexa.error();
    vexa.setFrequency(7012345.0);
    vexa.setMode("BPSK63");
    vexa.setEntryCall("YO9ZZ");

    const ClientView view = callFromAnotherThread({"<MODE:BPSK31>", "<BAUDRATE:63>"});
    ASSERT_TRUE(view.connected);
    EXPECT_DOUBLE_EQ(view.frequency, 7012345.0);
    EXPECT_EQ(view.mode, "BPSK63");
    EXPECT_EQ(view.call, "YO9ZZ");
    EXPECT_EQ(view.badIndex, DISP_E_BADINDEX);
    EXPECT_EQ(view.unknownMember, DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(vexa.macros(), (std::vector<std::string>{"<MODE:BPSK31>", "<BAUDRATE:63>"}));
    EXPECT_EQ(vexa.calls(kVexaRunMacro), 2);
    EXPECT_EQ(vexa.calls(kVexaFrequency), 1);
}

TEST(FakeVexa, ValuesSetBetweenCallsAreWhatTheNextCallSees) {
    ComApartment com;
    ASSERT_TRUE(com.ok());
    FakeVexa vexa;
    ASSERT_TRUE(vexa.registered()) << vexa.error();
    vexa.setEntryCall("");
    EXPECT_EQ(callFromAnotherThread({}).call, "");
    vexa.setEntryCall("LZ1AA");
    vexa.setFrequency(3510400.0);
    const ClientView view = callFromAnotherThread({"<SP1>"});
    EXPECT_EQ(view.call, "LZ1AA");
    EXPECT_DOUBLE_EQ(view.frequency, 3510400.0);
    EXPECT_EQ(vexa.macros(), std::vector<std::string>{"<SP1>"});
    vexa.clearMacros();
    EXPECT_TRUE(vexa.macros().empty());
}

TEST(FakeVexa, IsGoneFromTheTableWhenDestroyed) {
    ComApartment com;
    ASSERT_TRUE(com.ok());
    VexaLock noOtherStandIn;
    ASSERT_TRUE(noOtherStandIn.held());
    { FakeVexa vexa; ASSERT_TRUE(vexa.registered()) << vexa.error(); }
    // Without the host running, the plug-in finds nothing and skips its calls.
    EXPECT_FALSE(callFromAnotherThread({"<SP1>"}).connected);
}

}  // namespace
}  // namespace gui_test
