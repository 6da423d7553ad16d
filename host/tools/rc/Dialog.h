// An extended dialog template (DLGTEMPLATEEX with its DLGITEMTEMPLATEEX items).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace rc {

// A class or a text of a dialog item: an ordinal (0xFFFF, n) when `isOrdinal`, else a string.
struct SzOrOrd {
    bool isOrdinal = false;
    std::uint16_t ordinal = 0;
    std::u16string text;
};

struct DialogItem {
    std::uint32_t helpId = 0;
    std::uint32_t exStyle = 0;
    std::uint32_t style = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    std::uint32_t id = 0;
    SzOrOrd windowClass;
    SzOrOrd title;
};

struct DialogFont {
    std::uint16_t pointSize = 0;
    std::uint16_t weight = 0;
    std::uint8_t italic = 0;
    std::uint8_t charset = 0;
    std::u16string typeface;
};

struct Dialog {
    std::uint32_t helpId = 0;
    std::uint32_t exStyle = 0;
    std::uint32_t style = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    std::u16string caption;
    bool hasFont = false;
    DialogFont font;
    std::vector<DialogItem> items;
};

constexpr std::uint32_t kDsSetFont = 0x40;
constexpr std::uint32_t kDsShellFont = 0x48;

// The class ordinal Windows uses for a predefined control class ("BUTTON" -> 0x80 ...), or 0.
std::uint16_t PredefinedClassOrdinal(const std::string& className);

// The template's bytes exactly as Windows stores an RT_DIALOG resource in extended form.
// The font block is written when the style carries DS_SETFONT; the caller sets it with FONT.
std::vector<std::uint8_t> EncodeDialogEx(const Dialog& dialog);

}  // namespace rc
