// Class identities as scene files write them: 32-bit words as "0x" and eight hex digits.
#pragma once

#include <string>

#include "maxtypes.h"

std::string HexId(ULONG word);
// Reads "0x" followed by one to eight hex digits; false for anything else.
bool ParseHexId(const std::string& text, ULONG& word);
// "super class 0x00000C10, class 0x55C6D763 0xC637BB2E"
std::string DescribeClass(SClass_ID superClassID, const Class_ID& classID);
