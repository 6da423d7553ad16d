// The host version a build is made for. A build selects it with MAX_PRODUCT_YEAR_NUMBER
// (2022 to 2025, defined on the compiler's command line); the plug-in's LibVersion reports
// VERSION_3DSMAX, and the host refuses a plug-in built for another version.
#pragma once

#ifndef MAX_PRODUCT_YEAR_NUMBER
#define MAX_PRODUCT_YEAR_NUMBER 2025
#endif

#if MAX_PRODUCT_YEAR_NUMBER < 2022 || MAX_PRODUCT_YEAR_NUMBER > 2025
#error "MAX_PRODUCT_YEAR_NUMBER must be 2022, 2023, 2024 or 2025"
#endif

// The SDK release and API numbers of each supported host version; 0 for any other year.
constexpr unsigned int MaxReleaseOfYear(int year) {
    return year >= 2022 && year <= 2025 ? 24000u + 1000u * static_cast<unsigned int>(year - 2022)
                                        : 0u;
}
constexpr unsigned int MaxApiOfYear(int year) {
    return year >= 2022 && year <= 2025 ? 60u + 2u * static_cast<unsigned int>(year - 2022) : 0u;
}
// release x 65536 + API number x 256 + SDK revision (0 for every supported version).
constexpr unsigned int MaxVersionOfYear(int year) {
    return (MaxReleaseOfYear(year) << 16) + (MaxApiOfYear(year) << 8);
}

#define MAX_RELEASE MaxReleaseOfYear(MAX_PRODUCT_YEAR_NUMBER)
#define MAX_API_NUM MaxApiOfYear(MAX_PRODUCT_YEAR_NUMBER)
#define MAX_SDK_REV 0
#define VERSION_3DSMAX MaxVersionOfYear(MAX_PRODUCT_YEAR_NUMBER)

static_assert(MaxVersionOfYear(2025) == 0x69784200u, "2025: release 27000, API 66");
static_assert(MaxVersionOfYear(2024) == 0x65904000u, "2024: release 26000, API 64");
static_assert(MaxVersionOfYear(2023) == 0x61A83E00u, "2023: release 25000, API 62");
static_assert(MaxVersionOfYear(2022) == 0x5DC03C00u, "2022: release 24000, API 60");
