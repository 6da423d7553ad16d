// The plug-in's compiled resources, read back through the Windows resource calls exactly as
// the host and the plug-in read them.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "DllEntry.h"
#include "dialog_template_reader.h"
#include "resource.h"
#include "resource_test_support.h"
#include "standin/ModuleResources.h"

namespace {

const int kAnchor = 0;

// The resources register under the module they are linked into: this test executable.
HINSTANCE ThisModule() {
    return ModuleHandleOf(&kAnchor);
}

WORD LanguageOf(HRSRC found) {
    return reinterpret_cast<const ModuleResource*>(found)->language;
}

TEST(PluginResources, RegisteredUnderTheModuleTheyAreLinkedInto) {
    ASSERT_NE(ThisModule(), nullptr);
    // hInstance lives in the plug-in's code, linked into the same module.
    EXPECT_EQ(ModuleHandleOf(&hInstance), ThisModule());
    EXPECT_NE(FindResourceW(ThisModule(), MAKEINTRESOURCEW(IDD_KALEIDRA_PANEL), RT_DIALOG),
              nullptr);
    // The runtime library is another module, with no resources of its own.
    // (Looked up through the library itself: data and function addresses taken here could
    // be copies or stubs inside the executable.)
    void* library = dlopen("libmaxsdk.so", RTLD_LAZY | RTLD_NOLOAD);
    ASSERT_NE(library, nullptr);
    const HINSTANCE runtime = ModuleHandleOf(dlsym(library, "LoadStringW"));
    dlclose(library);
    ASSERT_NE(runtime, nullptr);
    EXPECT_NE(runtime, ThisModule());
    EXPECT_EQ(FindResourceW(runtime, MAKEINTRESOURCEW(IDD_KALEIDRA_PANEL), RT_DIALOG), nullptr);
    EXPECT_EQ(FindResourceW(nullptr, MAKEINTRESOURCEW(IDD_KALEIDRA_PANEL), RT_DIALOG), nullptr);
    int onTheStack = 0;
    EXPECT_EQ(ModuleHandleOf(&onTheStack), nullptr);
    EXPECT_EQ(ModuleHandleOf(nullptr), nullptr);
}

// ---- Dialog template 114 ---------------------------------------------------------------

enum class Kind { Radio, Push, Group, Label, LabelRight, Edit, Spinner, Swatch, Logo };

struct KindInfo {
    const char* windowClass;
    std::uint32_t style;
};

KindInfo InfoOf(Kind kind) {
    switch (kind) {
        case Kind::Radio:
            return {"BUTTON", 0x50000009};
        case Kind::Push:
            return {"BUTTON", 0x50010000};
        case Kind::Group:
            return {"BUTTON", 0x50000007};
        case Kind::Label:
            return {"STATIC", 0x50020000};
        case Kind::LabelRight:
            return {"STATIC", 0x50020002};
        case Kind::Edit:
            return {"CustEdit", 0x50010000};
        case Kind::Spinner:
            return {"SpinnerControl", 0x50000000};
        case Kind::Swatch:
            return {"ColorSwatch", 0x50010000};
        case Kind::Logo:
            return {"STATIC", 0x5000110E};
    }
    return {"", 0};
}

struct ExpectedControl {
    std::uint32_t id;
    Kind kind;
    std::int16_t x, y, w, h;
    const char16_t* caption;  // the logo's image is bitmap 103 instead
};

constexpr std::uint32_t kNoId = 0xFFFFFFFF;

// The rollout's controls in template (and tab) order.
const ExpectedControl kControls[] = {
    {1006, Kind::Radio, 91, 18, 46, 10, u"Pyramidal"},
    {1008, Kind::Radio, 91, 29, 60, 10, u"Summed Area"},
    {1009, Kind::Radio, 91, 40, 33, 10, u"None"},
    {1510, Kind::Edit, 166, 20, 35, 10, u""},
    {1002, Kind::Radio, 9, 71, 50, 10, u"Material ID"},
    {1003, Kind::Radio, 57, 71, 37, 10, u"Object"},
    {1015, Kind::Edit, 166, 70, 35, 10, u""},
    {1490, Kind::Edit, 66, 109, 35, 10, u""},
    {1493, Kind::Edit, 66, 122, 35, 10, u""},
    {1502, Kind::Edit, 66, 135, 35, 10, u""},
    {1491, Kind::Edit, 116, 109, 35, 10, u""},
    {1494, Kind::Edit, 116, 122, 35, 10, u""},
    {1504, Kind::Edit, 116, 135, 35, 10, u""},
    {1492, Kind::Edit, 166, 109, 35, 10, u""},
    {1495, Kind::Edit, 166, 122, 35, 10, u""},
    {1506, Kind::Edit, 166, 135, 35, 10, u""},
    {1496, Kind::Spinner, 102, 109, 7, 10, u""},
    {kNoId, Kind::LabelRight, 19, 110, 39, 8, u"Overall"},
    {1001, Kind::Push, 12, 14, 64, 15, u"Manage Textures"},
    {kNoId, Kind::Group, 2, 88, 213, 61, u"Color Adjustment"},
    {kNoId, Kind::LabelRight, 12, 123, 46, 8, u"Random (+/-)"},
    {kNoId, Kind::LabelRight, 6, 136, 52, 8, u"Distribution (%)"},
    {1497, Kind::Spinner, 152, 109, 7, 10, u""},
    {1498, Kind::Spinner, 202, 109, 7, 10, u""},
    {kNoId, Kind::Label, 75, 97, 25, 8, u"Gamma"},
    {kNoId, Kind::Label, 126, 97, 23, 8, u"Hue (\u00B0)"},
    {kNoId, Kind::Label, 166, 97, 44, 8, u"Saturation (%)"},
    {1499, Kind::Spinner, 102, 122, 7, 10, u""},
    {1500, Kind::Spinner, 152, 122, 7, 10, u""},
    {1501, Kind::Spinner, 202, 122, 7, 10, u""},
    {1503, Kind::Spinner, 102, 135, 7, 10, u""},
    {1505, Kind::Spinner, 152, 135, 7, 10, u""},
    {1507, Kind::Spinner, 202, 135, 7, 10, u""},
    {kNoId, Kind::Group, 2, 58, 213, 29, u"Randomize by"},
    {1017, Kind::Spinner, 202, 70, 7, 10, u""},
    {kNoId, Kind::Label, 144, 71, 18, 8, u"Seed"},
    {kNoId, Kind::Group, 2, 2, 213, 54, u"Bitmaps"},
    {kNoId, Kind::Group, 83, 8, 75, 44, u"Filtering"},
    {1511, Kind::Spinner, 202, 20, 7, 10, u""},
    {kNoId, Kind::Label, 179, 10, 13, 8, u"Blur"},
    {kNoId, Kind::Label, 3, 187, 65, 8, u"Kaleidra Version"},
    {1007, Kind::Logo, 2, 150, 213, 36, nullptr},
    {kNoId, Kind::Label, 69, 187, 17, 8, u"2.04"},
    {1010, Kind::Radio, 94, 71, 50, 10, u"OrvaneTile"},
    {1512, Kind::Edit, 166, 41, 35, 10, u""},
    {1513, Kind::Spinner, 202, 41, 7, 10, u""},
    {kNoId, Kind::Label, 175, 32, 22, 8, u"Rotate"},
    {1005, Kind::Radio, 24, 34, 58, 10, u"Use Textures"},
    {1082, Kind::Radio, 24, 43, 50, 10, u"Use Color"},
    {1079, Kind::Swatch, 7, 35, 15, 15, u""},
};

class RolloutTemplate : public ::testing::Test {
protected:
    void SetUp() override {
        HRSRC found = FindResourceW(ThisModule(), MAKEINTRESOURCEW(IDD_KALEIDRA_PANEL), RT_DIALOG);
        ASSERT_NE(found, nullptr);
        language = LanguageOf(found);
        bytes = ResourceBytes(ThisModule(), MAKEINTRESOURCEW(IDD_KALEIDRA_PANEL), RT_DIALOG);
        dialog = DialogTemplateReader(bytes.data(), bytes.size()).Read();
    }
    WORD language = 0;
    std::vector<std::uint8_t> bytes;
    DecodedDialog dialog;
};

TEST_F(RolloutTemplate, Header) {
    EXPECT_EQ(language, 1033);
    EXPECT_EQ(dialog.version, 1);
    EXPECT_EQ(dialog.signature, 0xFFFF);
    EXPECT_EQ(dialog.helpId, 0u);
    EXPECT_EQ(dialog.exStyle, 0u);
    EXPECT_EQ(dialog.style, 0x50000040u);
    EXPECT_EQ(dialog.itemCount, 50);
    EXPECT_EQ(dialog.x, 0);
    EXPECT_EQ(dialog.y, 0);
    EXPECT_EQ(dialog.cx, 217);
    EXPECT_EQ(dialog.cy, 196);
    EXPECT_EQ(dialog.menu, 0);
    EXPECT_EQ(dialog.windowClass, 0);
    EXPECT_EQ(dialog.caption, u"");
    ASSERT_TRUE(dialog.hasFont);
    EXPECT_EQ(dialog.pointSize, 8);
    EXPECT_EQ(dialog.weight, 0);
    EXPECT_EQ(dialog.italic, 0);
    EXPECT_EQ(dialog.charset, 0);
    EXPECT_EQ(dialog.typeface, u"MS Sans Serif");
    // The resource ends with the last control: nothing missing, nothing extra.
    EXPECT_EQ(dialog.bytesRead, bytes.size());
}

TEST_F(RolloutTemplate, ControlsInTemplateOrder) {
    ASSERT_EQ(dialog.items.size(), std::size(kControls));
    for (std::size_t i = 0; i < dialog.items.size(); ++i) {
        SCOPED_TRACE("control #" + std::to_string(i));
        const ExpectedControl& want = kControls[i];
        const DecodedDialogItem& got = dialog.items[i];
        EXPECT_EQ(got.id, want.id);
        EXPECT_EQ(got.windowClass, InfoOf(want.kind).windowClass);
        EXPECT_EQ(got.style, InfoOf(want.kind).style);
        EXPECT_EQ(got.exStyle, 0u);
        EXPECT_EQ(got.helpId, 0u);
        EXPECT_EQ(got.x, want.x);
        EXPECT_EQ(got.y, want.y);
        EXPECT_EQ(got.cx, want.w);
        EXPECT_EQ(got.cy, want.h);
        EXPECT_EQ(got.extraCount, 0);
        if (want.caption == nullptr) {
            EXPECT_TRUE(got.titleIsOrdinal);
            EXPECT_EQ(got.titleOrdinal, IDB_LOGO);
        } else {
            EXPECT_FALSE(got.titleIsOrdinal);
            EXPECT_EQ(got.title, want.caption);
        }
    }
}

// ---- String table ------------------------------------------------------------------------

struct ExpectedString {
    UINT id;
    const wchar_t* text;
};

const ExpectedString kStrings[] = {
    {1, L"Brindle Kaleidra"},
    {4, L"Parameters"},
    {50, L"Random seed"},
    {146, L"Key maps"},
    {252, L"Kaleidra"},
    {253, L"General Gamma"},
    {254, L"General Hue"},
    {255, L"Random Gamma"},
    {256, L"Random Hue"},
    {257, L"Random Saturation"},
    {258, L"Occurance Gamma"},
    {259, L"Occurance Hue"},
    {260, L"Occurance Saturation"},
    {261, L"Randomize by"},
    {263, L"Blur"},
    {264, L"Filtering"},
    {265, L"General Saturation"},
    {1076, L"Sub-texture Color"},
    {1077, L"Use Color"},
    {1078, L"Rotate"},
};

TEST(PluginStrings, EveryTextByItsId) {
    for (const ExpectedString& s : kStrings) {
        wchar_t buffer[512];
        const int length = LoadStringW(ThisModule(), s.id, buffer, 512);
        EXPECT_EQ(std::wstring(buffer), s.text) << "string " << s.id;
        EXPECT_EQ(length, static_cast<int>(std::wstring(s.text).size())) << "string " << s.id;
    }
}

TEST(PluginStrings, NoOtherIds) {
    std::set<UINT> expected;
    for (const ExpectedString& s : kStrings) {
        expected.insert(s.id);
    }
    std::set<UINT> found;
    for (UINT id = 0; id <= 0xFFFF; ++id) {
        wchar_t buffer[8];
        if (LoadStringW(ThisModule(), id, buffer, 8) != 0) {
            found.insert(id);
        }
    }
    EXPECT_EQ(found, expected);
}

TEST(PluginStrings, StoredInStringBlocksOfSixteen) {
    // String 265 sits in block 265 / 16 + 1 = 17, slot 9, as a count and UTF-16 units.
    const std::vector<std::uint8_t> block =
        ResourceBytes(ThisModule(), MAKEINTRESOURCEW(17), RT_STRING);
    ASSERT_FALSE(block.empty());
    std::size_t at = 0;
    for (int slot = 0; slot < 9; ++slot) {
        at += 2 + 2 * std::size_t{ReadU16(block, at)};
    }
    const std::u16string expected = u"General Saturation";
    ASSERT_EQ(ReadU16(block, at), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(ReadU16(block, at + 2 + 2 * i), expected[i]);
    }
}

// ---- Logo and script -----------------------------------------------------------------------

TEST(PluginLogo, Bitmap103IsThe318By56TwentyFourBitLogo) {
    HRSRC found = FindResourceW(ThisModule(), MAKEINTRESOURCEW(IDB_LOGO), RT_BITMAP);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(LanguageOf(found), 1035);
    const std::vector<std::uint8_t> dib =
        ResourceBytes(ThisModule(), MAKEINTRESOURCEW(IDB_LOGO), RT_BITMAP);
    ASSERT_GE(dib.size(), 40u);
    EXPECT_EQ(ReadU32(dib, 0), 40u);                             // BITMAPINFOHEADER
    EXPECT_EQ(static_cast<std::int32_t>(ReadU32(dib, 4)), 318);  // width
    EXPECT_EQ(static_cast<std::int32_t>(ReadU32(dib, 8)), 56);   // height > 0: bottom-up
    EXPECT_EQ(ReadU16(dib, 12), 1);                              // planes
    EXPECT_EQ(ReadU16(dib, 14), 24);                             // bits per pixel
    EXPECT_EQ(ReadU32(dib, 16), 0u);                             // BI_RGB
    EXPECT_EQ(ReadU32(dib, 20), 53536u);                         // image size
    EXPECT_EQ(ReadU32(dib, 32), 0u);                             // no palette
    EXPECT_EQ(dib.size(), 40u + 53536u);
    // The resource is the file without its 14-byte file header, byte for byte.
    const std::vector<std::uint8_t> file = FileBytes(KALEIDRA_SOURCE_DIR "/resources/logo.bmp");
    ASSERT_EQ(file.size(), 14u + dib.size());
    EXPECT_TRUE(std::equal(dib.begin(), dib.end(), file.begin() + 14));
}

TEST(PluginScript, FoundByTypeNameWithoutRegardToCase) {
    const std::vector<std::uint8_t> file =
        FileBytes(KALEIDRA_SOURCE_DIR "/ui/script/KaleidraListView.ms");
    ASSERT_FALSE(file.empty());
    for (LPCWSTR type : {L"MAXSCRIPT", L"Maxscript", L"maxscript"}) {
        HRSRC found = FindResourceW(ThisModule(), MAKEINTRESOURCEW(IDR_LISTVIEW_SCRIPT), type);
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(LanguageOf(found), 4105);
        // The text exactly as in the file: no terminating zero, size is the length.
        EXPECT_EQ(ResourceBytes(ThisModule(), MAKEINTRESOURCEW(IDR_LISTVIEW_SCRIPT), type), file);
    }
    for (std::uint8_t byte : file) {
        EXPECT_LT(byte, 0x80) << "the script is 7-bit text";
    }
    const std::string text(file.begin(), file.end());
    for (const char* entry :
         {"fn fn_From_Cpp_ShowKaleid_Dialog ", "fn fn_From_Cpp_UpdateKaleid_Dialog ",
          "fn fn_From_Cpp_CloseKaleid_Dialog "}) {
        EXPECT_NE(text.find(entry), std::string::npos) << entry;
    }
}

}  // namespace
