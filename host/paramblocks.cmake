# Parameter blocks and their descriptors, class descriptors, references, undo recording and the
# core interface.
target_sources(maxsdk PRIVATE
    ${CMAKE_CURRENT_SOURCE_DIR}/runtime/classdesc.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/runtime/coreinterface.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/runtime/hold.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/runtime/keytrack.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/runtime/paramblock.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/runtime/paramblockdesc.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/runtime/paramentry.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/runtime/references.cpp
)
