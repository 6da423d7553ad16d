// The host version this build of the plug-in is made for; the only file compiled once per
// host version.
#include "maxversion.h"
#include "windows.h"

extern "C" __declspec(dllexport) ULONG LibVersion() {
    return VERSION_3DSMAX;
}
