# How the project declares its targets.
#
# mrq_library(NAME SOURCES file... [DEPENDS lib...] [SYSTEM lib...] [RESOURCES])
#   One library a folder: the folder of the calling CMakeLists is its source
#   and include folder, and nothing else is. A library sees the headers of
#   what it DEPENDS on (and of what those depend on), never those of a
#   library above it: the build refuses an include that runs upward, and
#   tests/layers proves each boundary. SYSTEM names Windows libraries;
#   RESOURCES gives the program's resource ids (resources/resource.h).
#   Product code compiles without warnings: every warning is an error.
#
# mrq_test(NAME source... [LIBS lib...])
#   One test executable, one CTest test, run under wine in the shared
#   prefix (tests/CMakeLists.txt sets it up before the first test).

set(MRQ_WARNINGS -Wall -Wextra -Wpedantic -Wno-unknown-pragmas)
set(MRQ_PRODUCT_WARNINGS ${MRQ_WARNINGS} -Werror)

function(mrq_library name)
  cmake_parse_arguments(ARG "RESOURCES" "" "SOURCES;DEPENDS;SYSTEM" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  if(ARG_RESOURCES)
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/resources)
  endif()
  target_compile_options(${name} PRIVATE ${MRQ_PRODUCT_WARNINGS})
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS} ${ARG_SYSTEM})
endfunction()

function(mrq_test name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  add_executable(${name} ${ARG_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE testsupport ${ARG_LIBS})
  target_compile_options(${name} PRIVATE ${MRQ_WARNINGS})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    FIXTURES_REQUIRED wine
    ENVIRONMENT "${MRQ_TEST_ENVIRONMENT}"
    TIMEOUT 600)
endfunction()
