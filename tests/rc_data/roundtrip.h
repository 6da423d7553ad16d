// Identifiers of the round-trip resources.
#pragma once
#define IDS_FIRST 1
#define IDS_COMPUTED (IDS_FIRST + 0x20)
#define IDS_UNICODE 40
#define IDS_QUOTES 41
#define IDS_EMPTY 42
#define ID_PLAIN_DIALOG 7
#define ID_FONT_DIALOG 8
#define ID_IMAGE 103
#define ID_CONTROL_BASE 2000
#define ID_TEXT 7
#define ID_EMPTY 9
#define RT_CUSTOM 300
