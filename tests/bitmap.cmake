# The bitmap texture with real image files: reading, caching, mapping and filtering.
if(NOT TARGET PkgConfig::OIIO)
    find_package(PkgConfig REQUIRED)
    pkg_check_modules(OIIO REQUIRED IMPORTED_TARGET OpenImageIO)
endif()
add_executable(kaleidra_bitmap_tests bitmap_test.cpp)
target_link_libraries(kaleidra_bitmap_tests PRIVATE kaleidra_host PkgConfig::OIIO GTest::gtest_main
                      kaleidra_warnings)
gtest_discover_tests(kaleidra_bitmap_tests DISCOVERY_TIMEOUT 60)
