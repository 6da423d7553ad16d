// The functions the host calls after loading the plug-in, by these plain names.
#include "DllEntry.h"
#include "MultiMapClassDesc.h"
#include "resource.h"

extern "C" {

// "Brindle Kaleidra"; null before the module handle is known or when the string is missing.
__declspec(dllexport) const MCHAR* LibDescription() {
    return GetString(IDS_LIBDESCRIPTION);
}

__declspec(dllexport) int LibNumberClasses() {
    return 1;
}

// The one class descriptor, whatever the index.
__declspec(dllexport) ClassDesc* LibClassDesc(int) {
    return GetMultiMapDesc();
}

__declspec(dllexport) int LibInitialize() {
    return TRUE;
}

__declspec(dllexport) int LibShutdown() {
    return TRUE;
}

}  // extern "C"
