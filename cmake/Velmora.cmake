# Helpers shared by the folders' CMakeLists.

# velmora_library(<name> [UI] SOURCES ... LINKS ...)
# A static library of one folder. Sources are the folder's files; a logic library must
# not link Qt6::Widgets (the UI variant may).
function(velmora_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LINKS})
endfunction()

# velmora_test(<name> SOURCES ... LINKS ...)
# One QtTest executable registered with CTest. Every test runs offscreen; the test main
# (tests/support) gives it private XDG folders and a private program folder.
function(velmora_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE velmora_testsupport ${ARG_LINKS} Qt6::Test)
  add_dependencies(${name} velmora_data)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;VELMORA_SHARE_DIR=${VELMORA_SHARE_DIR};VELMORA_SOURCE_DIR=${CMAKE_SOURCE_DIR}"
    TIMEOUT 300)
endfunction()
