# The module handle and string loader, and the resources they read.
target_sources(kaleidra_map PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/DllEntry.cpp)
target_link_libraries(kaleidra_map PUBLIC kaleidra_resources)
