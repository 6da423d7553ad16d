// The resource compiler's output read back through the Windows calls: tests/rc_data's
// script, compiled at build time and registered here under a module handle of its own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_template_reader.h"
#include "resource_test_support.h"
#include "standin/ModuleResources.h"

extern const ModuleResourceTable kRoundTripResources;

namespace {

const std::string kDataDir = KALEIDRA_SOURCE_DIR "/tests/rc_data/";

class RoundTrip : public ::testing::Test {
protected:
    void SetUp() override { RegisterModuleResources(Module(), &kRoundTripResources); }
    void TearDown() override { UnregisterModuleResources(Module(), &kRoundTripResources); }

    static HINSTANCE Module() {
        static int placeholder;
        return reinterpret_cast<HINSTANCE>(&placeholder);
    }
    static std::wstring Load(UINT id, int bufferSize = 1024) {
        std::vector<wchar_t> buffer(static_cast<std::size_t>(bufferSize), L'#');
        const int length = LoadStringW(Module(), id, buffer.data(), bufferSize);
        EXPECT_EQ(static_cast<std::size_t>(length), std::wcslen(buffer.data()));
        return buffer.data();
    }
    static DecodedDialog Dialog(WORD id) {
        const std::vector<std::uint8_t> bytes =
            ResourceBytes(Module(), MAKEINTRESOURCEW(id), RT_DIALOG);
        if (bytes.empty()) {
            ADD_FAILURE() << "no dialog " << id;
            return {};
        }
        DecodedDialog dialog = DialogTemplateReader(bytes.data(), bytes.size()).Read();
        EXPECT_EQ(dialog.bytesRead, bytes.size());
        return dialog;
    }
};

TEST_F(RoundTrip, StringsKeepTheirTexts) {
    const struct {
        UINT id;
        std::u16string text;
    } cases[] = {
        {1, u"First"},
        {15, u"End of block one"},
        {16, u"Start of block two"},
        {33, u"Computed from an expression"},
        {40, u"Gr\u00FC\u00DFe \u20AC \U0001D11E"},
        {41, u"Say \"hi\" \\ back\tslash"},
        {65535, u"Last"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Load(c.id), Wide(c.text)) << "string " << c.id;
    }
    EXPECT_EQ(Load(42), L"");  // defined but empty
    EXPECT_EQ(Load(2), L"");   // absent
}

TEST_F(RoundTrip, LoadStringCopiesAtMostTheBufferLessOne) {
    wchar_t buffer[16];
    std::wmemset(buffer, L'#', 16);
    EXPECT_EQ(LoadStringW(Module(), 16, buffer, 6), 5);
    EXPECT_EQ(std::wstring(buffer), L"Start");
    EXPECT_EQ(buffer[6], L'#') << "nothing written past the buffer";

    // A character outside the 16-bit range counts once: "Grüße € " is 8, then the clef.
    EXPECT_EQ(LoadStringW(Module(), 40, buffer, 8), 7);
    EXPECT_EQ(LoadStringW(Module(), 40, buffer, 10), 9);
    EXPECT_EQ(buffer[8], static_cast<wchar_t>(0x1D11E));

    // A buffer of one holds only the terminating zero.
    std::wmemset(buffer, L'#', 8);
    EXPECT_EQ(LoadStringW(Module(), 1, buffer, 1), 0);
    EXPECT_EQ(buffer[0], L'\0');
    // No room at all, or no buffer: nothing copied, nothing written.
    std::wmemset(buffer, L'#', 8);
    EXPECT_EQ(LoadStringW(Module(), 1, buffer, 0), 0);
    EXPECT_EQ(buffer[0], L'#');
    EXPECT_EQ(LoadStringW(Module(), 1, nullptr, 8), 0);
    // Unknown modules have no strings.
    EXPECT_EQ(LoadStringW(nullptr, 1, buffer, 8), 0);
    EXPECT_EQ(buffer[0], L'\0');
}

TEST_F(RoundTrip, DialogWithoutFont) {
    const DecodedDialog d = Dialog(7);
    EXPECT_EQ(d.helpId, 77u);
    EXPECT_EQ(d.exStyle, 0x200u);
    EXPECT_EQ(d.style, 0x40000000u);
    EXPECT_FALSE(d.hasFont);
    EXPECT_EQ(d.x, -5);
    EXPECT_EQ(d.y, 7);
    EXPECT_EQ(d.cx, 100);
    EXPECT_EQ(d.cy, 0x40);
    EXPECT_EQ(d.caption, u"Ab\u00B0");
    ASSERT_EQ(d.items.size(), 3u);

    const DecodedDialogItem& odd = d.items[0];
    EXPECT_EQ(odd.id, 0xFFFFFFFFu);
    EXPECT_EQ(odd.windowClass, "EDIT");  // class names of any case become the ordinal
    EXPECT_EQ(odd.style, 0x40010000u);
    EXPECT_EQ(odd.exStyle, 0x10u);
    EXPECT_EQ(odd.helpId, 99u);
    EXPECT_EQ(odd.x, -3);
    EXPECT_EQ(odd.title, u"Odd");

    const DecodedDialogItem& image = d.items[1];
    EXPECT_EQ(image.id, 2001u);
    EXPECT_EQ(image.windowClass, "MyClass");
    EXPECT_TRUE(image.titleIsOrdinal);
    EXPECT_EQ(image.titleOrdinal, 103);
    EXPECT_EQ(image.style, 0xEu);
    EXPECT_EQ((image.cx), 3);

    const DecodedDialogItem& list = d.items[2];
    EXPECT_EQ(list.id, 0xFFFFu);
    EXPECT_EQ(list.windowClass, "LISTBOX");
    EXPECT_EQ(list.title, u"");
}

TEST_F(RoundTrip, FontImpliesSetFontStyle) {
    const DecodedDialog d = Dialog(8);
    EXPECT_EQ(d.style, 0x40u);
    ASSERT_TRUE(d.hasFont);
    EXPECT_EQ(d.pointSize, 9);
    EXPECT_EQ(d.weight, 700);
    EXPECT_EQ(d.italic, 1);
    EXPECT_EQ(d.charset, 0xEE);
    EXPECT_EQ(d.typeface, u"Tahoma");
    EXPECT_TRUE(d.items.empty());
}

TEST_F(RoundTrip, ExactByteLayoutOfASmallTemplate) {
    // The font-only template, byte for byte, as Windows stores an extended template.
    const std::vector<std::uint8_t> expected = {
        1,    0, 0xFF, 0xFF,                     // dlgVer 1, signature 0xFFFF
        0,    0, 0,    0,                        // helpID
        0,    0, 0,    0,                        // exStyle
        0x40, 0, 0,    0,                        // style DS_SETFONT
        0,    0,                                 // no controls
        0,    0, 0,    0,    10,  0,    10,  0,  // x, y, cx, cy
        0,    0, 0,    0,    0,   0,             // no menu, default class, empty title
        9,    0, 0xBC, 0x02, 1,   0xEE,          // point size, weight 700, italic, charset
        'T',  0, 'a',  0,    'h', 0,    'o', 0, 'm', 0, 'a', 0, 0, 0};
    EXPECT_EQ(ResourceBytes(Module(), MAKEINTRESOURCEW(8), RT_DIALOG), expected);
}

TEST_F(RoundTrip, CustomResourcesByIntegerOrName) {
    const std::vector<std::uint8_t> script = FileBytes(kDataDir + "roundtrip_script.txt");
    ASSERT_FALSE(script.empty());
    EXPECT_EQ(ResourceBytes(Module(), MAKEINTRESOURCEW(7), L"maxScript"), script);
    EXPECT_EQ(ResourceBytes(Module(), L"#7", L"MAXSCRIPT"), script);
    EXPECT_EQ(ResourceBytes(Module(), L"named", L"TextFile"), script);
    EXPECT_EQ(ResourceBytes(Module(), L"NAMED", L"#300"), std::vector<std::uint8_t>{});

    // An empty file gives a resource of size 0 that still exists.
    HRSRC empty = FindResourceW(Module(), MAKEINTRESOURCEW(9), MAKEINTRESOURCEW(300));
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(SizeofResource(Module(), empty), 0u);

    // Type, name and module must all match.
    EXPECT_EQ(FindResourceW(Module(), MAKEINTRESOURCEW(7), MAKEINTRESOURCEW(300)), nullptr);
    EXPECT_EQ(FindResourceW(Module(), MAKEINTRESOURCEW(8), L"MAXSCRIPT"), nullptr);
    EXPECT_EQ(FindResourceW(Module(), L"NAME", L"TEXTFILE"), nullptr);
    EXPECT_EQ(FindResourceW(Module(), L"NAMEDX", L"TEXTFILE"), nullptr);
    int elsewhere = 0;
    EXPECT_EQ(
        FindResourceW(reinterpret_cast<HMODULE>(&elsewhere), MAKEINTRESOURCEW(7), L"MAXSCRIPT"),
        nullptr);
    EXPECT_EQ(LoadResource(Module(), nullptr), nullptr);
    EXPECT_EQ(SizeofResource(Module(), nullptr), 0u);
}

TEST_F(RoundTrip, LanguagesFollowTheLanguageStatements) {
    const auto languageOf = [](LPCWSTR name, LPCWSTR type) {
        HRSRC found = FindResourceW(Module(), name, type);
        return found == nullptr
                   ? -1
                   : static_cast<int>(reinterpret_cast<const ModuleResource*>(found)->language);
    };
    EXPECT_EQ(languageOf(MAKEINTRESOURCEW(1), RT_STRING), 1033);
    EXPECT_EQ(languageOf(MAKEINTRESOURCEW(7), RT_DIALOG), 1033);
    EXPECT_EQ(languageOf(MAKEINTRESOURCEW(7), L"MAXSCRIPT"), 1035);
}

TEST_F(RoundTrip, UnregisteredTablesAreGone) {
    UnregisterModuleResources(Module(), &kRoundTripResources);
    EXPECT_EQ(FindResourceW(Module(), MAKEINTRESOURCEW(7), L"MAXSCRIPT"), nullptr);
    RegisterModuleResources(Module(), &kRoundTripResources);
    EXPECT_NE(FindResourceW(Module(), MAKEINTRESOURCEW(7), L"MAXSCRIPT"), nullptr);
}

}  // namespace
