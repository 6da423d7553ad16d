# The plug-in's resources, the Windows resource calls, the string loader and the resource
# compiler.

# A second resource script whose table is exported by name, for tests that need resources
# under a module handle of their own (long strings, unusual templates, custom types).
set(rc_roundtrip_source ${CMAKE_CURRENT_BINARY_DIR}/RoundTripResources.cpp)
kaleidra_compile_resources(
    SCRIPT ${CMAKE_CURRENT_SOURCE_DIR}/rc_data/roundtrip.rc
    OUTPUT ${rc_roundtrip_source}
    TABLE kRoundTripResources
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/rc_data/roundtrip.h
            ${CMAKE_CURRENT_SOURCE_DIR}/rc_data/roundtrip_script.txt
            ${CMAKE_CURRENT_SOURCE_DIR}/rc_data/roundtrip_empty.txt)
add_library(kaleidra_rc_roundtrip OBJECT ${rc_roundtrip_source})
target_link_libraries(kaleidra_rc_roundtrip PUBLIC maxsdk PRIVATE kaleidra_warnings)

add_executable(kaleidra_resources_tests resources_test.cpp string_loader_test.cpp)
target_compile_definitions(kaleidra_resources_tests PRIVATE
                           KALEIDRA_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
target_link_libraries(kaleidra_resources_tests PRIVATE kaleidra_map kaleidra_rc_roundtrip ${CMAKE_DL_LIBS}
                      GTest::gtest_main kaleidra_warnings)
gtest_discover_tests(kaleidra_resources_tests DISCOVERY_TIMEOUT 60)

add_executable(kaleidra_rc_tests rc_compiler_test.cpp rc_roundtrip_test.cpp)
target_compile_definitions(kaleidra_rc_tests PRIVATE
                           KALEIDRA_RC_PATH="$<TARGET_FILE:kaleidra_rc>"
                           KALEIDRA_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
add_dependencies(kaleidra_rc_tests kaleidra_rc)
target_link_libraries(kaleidra_rc_tests PRIVATE maxsdk kaleidra_rc_roundtrip GTest::gtest_main
                      kaleidra_warnings)
gtest_discover_tests(kaleidra_rc_tests DISCOVERY_TIMEOUT 60)
