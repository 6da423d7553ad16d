# The kaleidra command driven as a user drives it: the built program run on scenes the tests
# write into temporary folders.
find_package(nlohmann_json REQUIRED)
find_package(PkgConfig REQUIRED)
pkg_check_modules(OIIO REQUIRED IMPORTED_TARGET OpenImageIO)
add_executable(kaleidra_cli_tests cli_test.cpp cli_eval_test.cpp)
target_compile_definitions(kaleidra_cli_tests PRIVATE KALEIDRA_TOOL="$<TARGET_FILE:kaleidra>"
    KALEIDRA_EXAMPLES_DIR="${CMAKE_SOURCE_DIR}/examples")
target_link_libraries(kaleidra_cli_tests PRIVATE maxsdk nlohmann_json::nlohmann_json
                      PkgConfig::OIIO GTest::gtest_main kaleidra_warnings)
add_dependencies(kaleidra_cli_tests kaleidra)
gtest_discover_tests(kaleidra_cli_tests DISCOVERY_TIMEOUT 60)
