#include "Dialog.h"

#include <cctype>

#include "ByteWriter.h"

namespace rc {

namespace {
void WriteSzOrOrd(ByteWriter& out, const SzOrOrd& value) {
    if (value.isOrdinal) {
        out.U16(0xFFFF);
        out.U16(value.ordinal);
    } else {
        out.ZeroTerminated(value.text);
    }
}
}  // namespace

std::uint16_t PredefinedClassOrdinal(const std::string& className) {
    std::string upper;
    for (char c : className) {
        upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    static const char* const kNames[] = {"BUTTON",  "EDIT",      "STATIC",
                                         "LISTBOX", "SCROLLBAR", "COMBOBOX"};
    for (std::uint16_t i = 0; i < 6; ++i) {
        if (upper == kNames[i]) {
            return static_cast<std::uint16_t>(0x80 + i);
        }
    }
    return 0;
}

std::vector<std::uint8_t> EncodeDialogEx(const Dialog& dialog) {
    ByteWriter out;
    out.U16(1);       // dlgVer
    out.U16(0xFFFF);  // signature of the extended form
    out.U32(dialog.helpId);
    out.U32(dialog.exStyle);
    out.U32(dialog.style);
    out.U16(static_cast<std::uint16_t>(dialog.items.size()));
    out.I16(dialog.x);
    out.I16(dialog.y);
    out.I16(dialog.cx);
    out.I16(dialog.cy);
    out.U16(0);  // no menu
    out.U16(0);  // default window class
    out.ZeroTerminated(dialog.caption);
    if ((dialog.style & kDsSetFont) != 0) {
        out.U16(dialog.font.pointSize);
        out.U16(dialog.font.weight);
        out.U8(dialog.font.italic);
        out.U8(dialog.font.charset);
        out.ZeroTerminated(dialog.font.typeface);
    }
    for (const DialogItem& item : dialog.items) {
        out.AlignTo4();
        out.U32(item.helpId);
        out.U32(item.exStyle);
        out.U32(item.style);
        out.I16(item.x);
        out.I16(item.y);
        out.I16(item.cx);
        out.I16(item.cy);
        out.U32(item.id);
        WriteSzOrOrd(out, item.windowClass);
        WriteSzOrOrd(out, item.title);
        out.U16(0);  // no creation data
    }
    return out.Take();
}

}  // namespace rc
