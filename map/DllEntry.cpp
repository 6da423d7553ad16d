#include "DllEntry.h"

HINSTANCE hInstance = nullptr;

// Runs under the loader lock: record the module and nothing else.
extern "C" BOOL WINAPI DllMain(HINSTANCE hinstDLL, ULONG fdwReason, LPVOID /*lpvReserved*/) {
    if (fdwReason == DLL_PROCESS_ATTACH) {
        hInstance = hinstDLL;
        DisableThreadLibraryCalls(hInstance);
    }
    return TRUE;
}

const MCHAR* GetString(int id) {
    static MCHAR buf[512];
    if (hInstance == nullptr) {
        return nullptr;
    }
    const int length = LoadStringW(hInstance, static_cast<UINT>(id), buf, 512);
    return length != 0 ? buf : nullptr;
}
