// The built plug-in as the host meets it: loaded with LoadLibrary from the
// program's folder, every entry point under both of its names, and many
// loads and unloads in a row.
#include "host/plugin_host.h"
#include "platform/dynamic_library.h"
#include "tests/support/timing.h"
#include "tests/support/work_dir.h"

#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

namespace {

std::string pluginPath() { return platform::executableFolder() + platform::pluginFileName(); }

const char *decoratedName(const host::EntryPointName &name) {
    return sizeof(void *) == 4 ? name.decorated32 : name.decorated64;
}

const char *otherBitnessName(const host::EntryPointName &name) {
    return sizeof(void *) == 4 ? name.decorated64 : name.decorated32;
}

class Module {
public:
    Module() : handle_(::LoadLibraryA(pluginPath().c_str())) {}
    ~Module() {
        if (handle_ != nullptr) ::FreeLibrary(handle_);
    }
    Module(const Module &) = delete;
    Module &operator=(const Module &) = delete;
    HMODULE get() const { return handle_; }

private:
    HMODULE handle_;
};

int threadsOfThisProcess() {
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return -1;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = ::Thread32First(snapshot, &entry); more;
         more = ::Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == ::GetCurrentProcessId()) ++count;
    ::CloseHandle(snapshot);
    return count;
}

DWORD handlesOfThisProcess() {
    DWORD count = 0;
    ::GetProcessHandleCount(::GetCurrentProcess(), &count);
    return count;
}

// Runs work on its own thread and waits at most the given time, so that a
// hanging FreeLibrary fails the test instead of stopping the run.
bool finishesWithin(DWORD milliseconds, const std::function<void()> &work) {
    struct Job {
        std::function<void()> work;
        static DWORD WINAPI run(void *self) {
            static_cast<Job *>(self)->work();
            return 0;
        }
    };
    auto *job = new Job{work};
    HANDLE thread = ::CreateThread(nullptr, 0, &Job::run, job, 0, nullptr);
    if (thread == nullptr) {
        delete job;
        return false;
    }
    const bool finished = ::WaitForSingleObject(thread, milliseconds) == WAIT_OBJECT_0;
    ::CloseHandle(thread);
    if (finished) delete job;  // a job still running keeps its state
    return finished;
}

// The thread count settles a moment after a thread has ended.
int settledThreadCount(int expected) {
    int count = threadsOfThisProcess();
    const unsigned long rounds = testing_support::timingBound(100);
    for (unsigned long i = 0; i < rounds && count != expected; ++i) {
        ::Sleep(20);
        count = threadsOfThisProcess();
    }
    return count;
}

TEST(PluginDll, LoadsFromTheProgramsFolder) {
    Module module;
    ASSERT_NE(module.get(), nullptr) << pluginPath() << ": error " << ::GetLastError();
}

TEST(PluginDll, EveryEntryPointHasBothNamesAtOneAddress) {
    Module module;
    ASSERT_NE(module.get(), nullptr);
    for (const host::EntryPointName &name : host::kEntryPoints) {
        const FARPROC plain = ::GetProcAddress(module.get(), name.plain);
        const FARPROC decorated = ::GetProcAddress(module.get(), decoratedName(name));
        EXPECT_NE(plain, nullptr) << name.plain;
        EXPECT_EQ(plain, decorated) << name.plain << " and " << decoratedName(name);
        // The other bitness's form is no alias of this DLL.
        if (std::strcmp(name.decorated32, name.decorated64) != 0) {
            EXPECT_EQ(::GetProcAddress(module.get(), otherBitnessName(name)), nullptr)
                << otherBitnessName(name);
        }
    }
}

TEST(PluginDll, ExportDirectoryNamesTheModuleStats) {
    Module module;
    ASSERT_NE(module.get(), nullptr);
    const auto *base = reinterpret_cast<const unsigned char *>(module.get());
    const auto *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(base);
    const auto *nt = reinterpret_cast<const IMAGE_NT_HEADERS *>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY &directory =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    ASSERT_NE(directory.VirtualAddress, 0u);
    const auto *exports =
        reinterpret_cast<const IMAGE_EXPORT_DIRECTORY *>(base + directory.VirtualAddress);
    EXPECT_STREQ(reinterpret_cast<const char *>(base + exports->Name), "Stats.dll");
    EXPECT_EQ(exports->NumberOfNames, 22u);
}

class EntryPointsByName : public testing::TestWithParam<host::NameKind> {};

TEST_P(EntryPointsByName, TrivialEntryPointsAnswer) {
    platform::DynamicLibrary library(pluginPath());
    ASSERT_TRUE(library.isLoaded()) << library.error();
    const host::EntryPoints ep = host::resolveEntryPoints(library, GetParam());
    ASSERT_TRUE(ep.complete());
    EXPECT_STREQ(ep.getSetName(0), "MORVANTIA Contest (C)");
    ASSERT_NE(ep.getSetName(1), nullptr);
    EXPECT_STREQ(ep.getSetName(1), "");
    ASSERT_NE(ep.getSetName(-1), nullptr);
    EXPECT_STREQ(ep.getSetName(-1), "");
    EXPECT_EQ(ep.getNumberOfSets(), 1);
    char empty[] = "";
    EXPECT_EQ(ep.getExchgCount0(empty, empty, empty), 2);
    EXPECT_EQ(ep.getExchgCount0(nullptr, nullptr, nullptr), 2);
    char version[] = "2.21";
    EXPECT_EQ(ep.setVersion(version), 0u);
}

INSTANTIATE_TEST_SUITE_P(Both, EntryPointsByName,
                         testing::Values(host::NameKind::Plain, host::NameKind::Decorated),
                         [](const testing::TestParamInfo<host::NameKind> &info) {
                             return info.param == host::NameKind::Plain ? "Plain"
                                                                        : "Decorated";
                         });

TEST(PluginDll, LoadsAndUnloadsAHundredTimesWithoutLeaks) {
    // One load first: the loader keeps a few handles of its own from then on.
    { Module warmUp; }
    const DWORD handlesBefore = handlesOfThisProcess();
    const int threadsBefore = threadsOfThisProcess();

    bool allLoaded = true;
    bool allUnloaded = true;
    ASSERT_TRUE(finishesWithin(120000, [&] {
        for (int i = 0; i < 100; ++i) {
            HMODULE module = ::LoadLibraryA(pluginPath().c_str());
            if (module == nullptr) {
                allLoaded = false;
                continue;
            }
            auto getSetName = reinterpret_cast<GetSetNameFn>(
                reinterpret_cast<void *>(::GetProcAddress(module, "GetSetName")));
            if (getSetName == nullptr || std::strcmp(getSetName(0), "MORVANTIA Contest (C)") != 0)
                allLoaded = false;
            ::FreeLibrary(module);
            if (::GetModuleHandleA(platform::pluginFileName()) != nullptr) allUnloaded = false;
        }
    })) << "FreeLibrary did not return";
    EXPECT_TRUE(allLoaded);
    EXPECT_TRUE(allUnloaded) << "the DLL stayed mapped after FreeLibrary";
    EXPECT_EQ(settledThreadCount(threadsBefore), threadsBefore);
    // A leak of one handle per load would show as a hundred.
    EXPECT_LE(handlesOfThisProcess(), handlesBefore + 3);
}

TEST(PluginDll, UnloadsAfterAResetWithoutHanging) {
    testing_support::WorkDir dir;
    // A process's first window loads the system's graphics driver and fonts:
    // seconds in an emulated machine, longer than a reset waits for the
    // plug-in's window (an unload then finds its thread still starting and
    // keeps the library loaded). A host has its own windows up long before.
    ::DestroyWindow(::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
    const int threadsBefore = threadsOfThisProcess();
    ASSERT_TRUE(finishesWithin(120000, [&] {
        for (int i = 0; i < 10; ++i) {
            platform::DynamicLibrary library(pluginPath());
            if (!library.isLoaded()) return;
            host::PluginHost host(host::resolveEntryPoints(library, host::NameKind::Plain));
            if (!host.entryPoints().complete()) return;
            host.reset(dir.path() + "\\", 0, "YO2MVT", host::makeDateTime(2024, 3, 2, 14, 0),
                       host::makeDateTime(2024, 3, 2, 17, 59), "YO");
            int score = 0;
            host.result(score);
        }
    })) << "FreeLibrary did not return";
    EXPECT_EQ(settledThreadCount(threadsBefore), threadsBefore);
    EXPECT_EQ(::GetModuleHandleA(platform::pluginFileName()), nullptr);
}

}  // namespace
