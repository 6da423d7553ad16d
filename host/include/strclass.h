// The host's wide string. MSTR is the same class.
#pragma once

#include <cwchar>
#include <string>

#include "maxheap.h"
#include "maxtypes.h"

class WStr : public MaxHeapOperators {
public:
    WStr() = default;
    WStr(const wchar_t* s) : str(s ? s : L"") {}
    WStr(const std::wstring& s) : str(s) {}

    const wchar_t* data() const { return str.c_str(); }
    operator const wchar_t*() const { return str.c_str(); }
    int Length() const { return static_cast<int>(str.size()); }
    int length() const { return Length(); }
    bool isNull() const { return str.empty(); }
    void Resize(int n) { str.resize(n < 0 ? 0 : static_cast<std::size_t>(n)); }

    WStr& operator=(const wchar_t* s) {
        str = s ? s : L"";
        return *this;
    }
    WStr& operator+=(const WStr& s) {
        str += s.str;
        return *this;
    }
    WStr operator+(const WStr& s) const { return WStr(str + s.str); }
    bool operator==(const WStr& s) const { return str == s.str; }
    bool operator!=(const WStr& s) const { return str != s.str; }
    bool operator==(const wchar_t* s) const { return str == (s ? s : L""); }
    bool operator<(const WStr& s) const { return str < s.str; }

    const std::wstring& ToStdWString() const { return str; }

private:
    std::wstring str;
};

typedef WStr MSTR;
typedef WStr TSTR;
