# The parameter block description and the class descriptor it registers with.
target_sources(kaleidra_map PRIVATE
    ${CMAKE_CURRENT_SOURCE_DIR}/MultiMapClassDesc.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/MultiMapParams.cpp
)
