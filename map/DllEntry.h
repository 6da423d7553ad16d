// The plug-in's module handle and its string loader.
#pragma once

#include "max.h"

// The plug-in's own module, recorded by DllMain at load; null until then.
extern HINSTANCE hInstance;

// Loads string `id` of the plug-in's string table into one shared 512-character buffer and
// returns it, or null when the module is unknown or the string missing. The text lives until
// the next call: copy it at once.
const MCHAR* GetString(int id);
