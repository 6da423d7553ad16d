// Reads an extended dialog template (DLGTEMPLATEEX + DLGITEMTEMPLATEEX) from resource bytes,
// written from the Windows layout alone so that it checks the resource compiler's output.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

struct DecodedDialogItem {
    std::uint32_t helpId = 0;
    std::uint32_t exStyle = 0;
    std::uint32_t style = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    std::uint32_t id = 0;
    std::string windowClass;  // predefined classes by their upper-case names
    bool titleIsOrdinal = false;
    std::uint16_t titleOrdinal = 0;
    std::u16string title;
    std::uint16_t extraCount = 0;
};

struct DecodedDialog {
    std::uint16_t version = 0;
    std::uint16_t signature = 0;
    std::uint32_t helpId = 0;
    std::uint32_t exStyle = 0;
    std::uint32_t style = 0;
    std::uint16_t itemCount = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    std::uint16_t menu = 0xFFFF;         // 0 = no menu
    std::uint16_t windowClass = 0xFFFF;  // 0 = default class
    std::u16string caption;
    bool hasFont = false;
    std::uint16_t pointSize = 0;
    std::uint16_t weight = 0;
    std::uint8_t italic = 0;
    std::uint8_t charset = 0;
    std::u16string typeface;
    std::vector<DecodedDialogItem> items;
    std::size_t bytesRead = 0;  // where the last item ended
};

class DialogTemplateReader {
public:
    DialogTemplateReader(const void* data, std::size_t size)
        : bytes_(static_cast<const std::uint8_t*>(data)), size_(size) {}

    // Throws std::runtime_error when the bytes end early or are not an extended template.
    DecodedDialog Read() {
        DecodedDialog d;
        d.version = U16();
        d.signature = U16();
        if (d.version != 1 || d.signature != 0xFFFF) {
            throw std::runtime_error("not an extended dialog template");
        }
        d.helpId = U32();
        d.exStyle = U32();
        d.style = U32();
        d.itemCount = U16();
        d.x = I16(), d.y = I16(), d.cx = I16(), d.cy = I16();
        d.menu = U16();
        d.windowClass = U16();
        if (d.menu != 0 || d.windowClass != 0) {
            throw std::runtime_error("menus and dialog classes are not read");
        }
        d.caption = Sz();
        if ((d.style & 0x40) != 0) {  // DS_SETFONT
            d.hasFont = true;
            d.pointSize = U16();
            d.weight = U16();
            d.italic = U8();
            d.charset = U8();
            d.typeface = Sz();
        }
        for (std::uint16_t i = 0; i < d.itemCount; ++i) {
            pos_ = (pos_ + 3) / 4 * 4;
            DecodedDialogItem item;
            item.helpId = U32();
            item.exStyle = U32();
            item.style = U32();
            item.x = I16(), item.y = I16(), item.cx = I16(), item.cy = I16();
            item.id = U32();
            if (PeekU16() == 0xFFFF) {
                U16();
                item.windowClass = PredefinedClassName(U16());
            } else {
                for (char16_t c : Sz()) {
                    item.windowClass += static_cast<char>(c);
                }
            }
            if (PeekU16() == 0xFFFF) {
                U16();
                item.titleIsOrdinal = true;
                item.titleOrdinal = U16();
            } else {
                item.title = Sz();
            }
            item.extraCount = U16();
            pos_ += item.extraCount;
            d.items.push_back(item);
        }
        d.bytesRead = pos_;
        return d;
    }

private:
    static std::string PredefinedClassName(std::uint16_t ordinal) {
        static const char* const kNames[] = {"BUTTON",  "EDIT",      "STATIC",
                                             "LISTBOX", "SCROLLBAR", "COMBOBOX"};
        if (ordinal < 0x80 || ordinal > 0x85) {
            return "#" + std::to_string(ordinal);
        }
        return kNames[ordinal - 0x80];
    }
    void Need(std::size_t n) const {
        if (pos_ + n > size_) {
            throw std::runtime_error("dialog template ends early");
        }
    }
    std::uint8_t U8() {
        Need(1);
        return bytes_[pos_++];
    }
    std::uint16_t PeekU16() const {
        Need(2);
        return static_cast<std::uint16_t>(bytes_[pos_] | (bytes_[pos_ + 1] << 8));
    }
    std::uint16_t U16() {
        const std::uint16_t v = PeekU16();
        pos_ += 2;
        return v;
    }
    std::int16_t I16() { return static_cast<std::int16_t>(U16()); }
    std::uint32_t U32() {
        const std::uint32_t low = U16();
        return low | (std::uint32_t{U16()} << 16);
    }
    std::u16string Sz() {
        std::u16string s;
        for (std::uint16_t c = U16(); c != 0; c = U16()) {
            s += static_cast<char16_t>(c);
        }
        return s;
    }

    const std::uint8_t* bytes_;
    std::size_t size_;
    std::size_t pos_ = 0;
};
