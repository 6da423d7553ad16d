// Basic host types: time, class and interface identities, reference results and messages.
#pragma once

#include <climits>

#include "windows.h"

typedef wchar_t MCHAR;
#define _M(x) L##x
#ifndef _T
#define _T(x) L##x
#endif

#define CoreExport
#define UtilExport
#define GeomExport
#define PB2Export
#define ScripterExport

// Time in ticks, 4800 per second.
typedef int TimeValue;
#define TIME_TICKSPERSEC 4800
#define TIME_NegInfinity TimeValue(INT_MIN)
#define TIME_PosInfinity TimeValue(INT_MAX)

typedef ULONG SClass_ID;
typedef ULONG PartID;
typedef unsigned int RefMessage;
typedef short ParamID;
typedef short BlockID;
typedef short MapID;
typedef int StringResID;

// A class identity: two 32-bit words. Built-in classes use PartB 0.
class Class_ID {
public:
    Class_ID() : a(0xFFFFFFFFu), b(0xFFFFFFFFu) {}
    Class_ID(ULONG aa, ULONG bb) : a(aa), b(bb) {}
    ULONG PartA() const { return a; }
    ULONG PartB() const { return b; }
    void SetPartA(ULONG aa) { a = aa; }
    void SetPartB(ULONG bb) { b = bb; }
    int operator==(const Class_ID& o) const { return a == o.a && b == o.b; }
    int operator!=(const Class_ID& o) const { return !(*this == o); }
    bool operator<(const Class_ID& o) const { return a < o.a || (a == o.a && b < o.b); }

private:
    ULONG a, b;
};

// A published interface identity: two 32-bit words.
class Interface_ID {
public:
    Interface_ID() : a(0xFFFFFFFFu), b(0xFFFFFFFFu) {}
    Interface_ID(ULONG aa, ULONG bb) : a(aa), b(bb) {}
    ULONG PartA() const { return a; }
    ULONG PartB() const { return b; }
    int operator==(const Interface_ID& o) const { return a == o.a && b == o.b; }
    int operator!=(const Interface_ID& o) const { return !(*this == o); }
    bool operator<(const Interface_ID& o) const { return a < o.a || (a == o.a && b < o.b); }

private:
    ULONG a, b;
};

// Super class identities.
#define REF_MAKER_CLASS_ID 0x00000100
#define REF_TARGET_CLASS_ID 0x00000200
#define MATERIAL_CLASS_ID 0x00000C00
#define TEXMAP_CLASS_ID 0x00000C10
#define UVGEN_CLASS_ID 0x00000C20

// Results of reference operations.
enum RefResult { REF_FAIL = 0, REF_SUCCEED = 1, REF_DONTCARE, REF_STOP, REF_INVALID, REF_HALT };
