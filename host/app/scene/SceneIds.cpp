#include "SceneIds.h"

#include <cstdio>

std::string HexId(ULONG word) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(word));
    return text;
}

bool ParseHexId(const std::string& text, ULONG& word) {
    if (text.size() < 3 || text.size() > 10 || text[0] != '0' || text[1] != 'x') {
        return false;
    }
    unsigned long value = 0;
    for (std::size_t i = 2; i < text.size(); ++i) {
        const char c = text[i];
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                 : -1;
        if (digit < 0) {
            return false;
        }
        value = value * 16 + static_cast<unsigned long>(digit);
    }
    word = static_cast<ULONG>(value);
    return true;
}

std::string DescribeClass(SClass_ID superClassID, const Class_ID& classID) {
    return "super class " + HexId(superClassID) + ", class " + HexId(classID.PartA()) + " " +
           HexId(classID.PartB());
}
