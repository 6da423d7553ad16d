// The module handle recorded by DllMain and the string loader GetString.
#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "DllEntry.h"
#include "resource.h"
#include "standin/ModuleResources.h"

extern const ModuleResourceTable kRoundTripResources;

namespace {

const int kAnchor = 0;

// Taken while static objects are built, before anything could call DllMain.
const HINSTANCE kHandleAtLoad = hInstance;
const MCHAR* const kStringAtLoad = GetString(IDS_LIBDESCRIPTION);

HINSTANCE PluginModule() {
    return ModuleHandleOf(&kAnchor);
}

// A module of its own for strings the plug-in's table must not hold (long ones).
HINSTANCE FakeModule() {
    static int placeholder;
    return reinterpret_cast<HINSTANCE>(&placeholder);
}

// Each test starts like a freshly loaded library whose entry point has not run yet.
class StringLoader : public ::testing::Test {
protected:
    void SetUp() override { hInstance = nullptr; }
    void TearDown() override { hInstance = nullptr; }
};

TEST_F(StringLoader, NothingBeforeTheEntryPointRuns) {
    EXPECT_EQ(kHandleAtLoad, nullptr);
    EXPECT_EQ(kStringAtLoad, nullptr);
    EXPECT_EQ(GetString(IDS_LIBDESCRIPTION), nullptr);
    EXPECT_EQ(GetString(IDS_CLASS_NAME), nullptr);
}

TEST_F(StringLoader, ProcessAttachRecordsTheHandle) {
    EXPECT_EQ(DllMain(PluginModule(), DLL_PROCESS_ATTACH, nullptr), TRUE);
    EXPECT_EQ(hInstance, PluginModule());
    const MCHAR* text = GetString(IDS_LIBDESCRIPTION);
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text, L"Brindle Kaleidra");
}

TEST_F(StringLoader, OtherReasonsReturnTrueAndChangeNothing) {
    for (int reason : {DLL_PROCESS_DETACH, DLL_THREAD_ATTACH, DLL_THREAD_DETACH, 7}) {
        SCOPED_TRACE(reason);
        hInstance = nullptr;
        EXPECT_EQ(DllMain(PluginModule(), static_cast<ULONG>(reason), nullptr), TRUE);
        EXPECT_EQ(hInstance, nullptr);
        hInstance = FakeModule();
        EXPECT_EQ(DllMain(PluginModule(), static_cast<ULONG>(reason), nullptr), TRUE);
        EXPECT_EQ(hInstance, FakeModule()) << "nothing is released or replaced at detach";
    }
}

TEST_F(StringLoader, TextsTheCodeLoads) {
    DllMain(PluginModule(), DLL_PROCESS_ATTACH, nullptr);
    const struct {
        int id;
        const wchar_t* text;
    } cases[] = {{IDS_LIBDESCRIPTION, L"Brindle Kaleidra"},
                 {IDS_PARAMS, L"Parameters"},
                 {IDS_CLASS_NAME, L"Kaleidra"},
                 {IDS_GENERAL_GAMMA, L"General Gamma"},
                 {IDS_ROTATE, L"Rotate"}};
    for (const auto& c : cases) {
        const MCHAR* text = GetString(c.id);
        ASSERT_NE(text, nullptr) << c.id;
        EXPECT_STREQ(text, c.text);
    }
}

TEST_F(StringLoader, MissingIdIsNullNotEmpty) {
    DllMain(PluginModule(), DLL_PROCESS_ATTACH, nullptr);
    // 2 and 5 share a block with 1 and 4; 262 sits between labels; 4000 has no block at all.
    for (int id : {0, 2, 5, 262, 1079, 4000, 65535, -1, 70000}) {
        EXPECT_EQ(GetString(id), nullptr) << id;
    }
    // An empty text in the table loads as length 0, so it is null too.
    DllMain(FakeModule(), DLL_PROCESS_ATTACH, nullptr);
    RegisterModuleResources(FakeModule(), &kRoundTripResources);
    EXPECT_EQ(GetString(42), nullptr);
    EXPECT_NE(GetString(1), nullptr);
    UnregisterModuleResources(FakeModule(), &kRoundTripResources);
}

TEST_F(StringLoader, OneSharedBufferOverwrittenByTheNextLoad) {
    DllMain(PluginModule(), DLL_PROCESS_ATTACH, nullptr);
    const MCHAR* first = GetString(IDS_LIBDESCRIPTION);
    ASSERT_NE(first, nullptr);
    EXPECT_STREQ(first, L"Brindle Kaleidra");
    const MCHAR* second = GetString(IDS_CLASS_NAME);
    EXPECT_EQ(second, first);
    EXPECT_STREQ(first, L"Kaleidra");
    // A failed load does not hand the buffer out.
    EXPECT_EQ(GetString(2), nullptr);
}

std::wstring Letters(std::size_t n) {
    std::wstring s;
    for (std::size_t i = 0; i < n; ++i) {
        s += static_cast<wchar_t>(L'A' + i % 26);
    }
    return s;
}

TEST_F(StringLoader, LongTextsAreCutTo511CharactersAndTheZero) {
    RegisterModuleResources(FakeModule(), &kRoundTripResources);
    DllMain(FakeModule(), DLL_PROCESS_ATTACH, nullptr);
    // The round-trip table holds strings 510, 511, 512 and 600 of that many letters.
    const struct {
        int id;
        std::size_t expectedLength;
    } cases[] = {{510, 510}, {511, 511}, {512, 511}, {600, 511}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        const MCHAR* text = GetString(c.id);
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(std::wcslen(text), c.expectedLength);
        EXPECT_EQ(std::wstring(text), Letters(c.expectedLength));
    }
    UnregisterModuleResources(FakeModule(), &kRoundTripResources);
}

}  // namespace
