# veltrix_strict_warnings(TARGET)
# The program's own code is also checked for shadowed names, conversions that may change a value or
# its sign, and C-style casts (the sizes of a plan are single precision, and a silent conversion is
# how a size or a count goes wrong).
function(veltrix_strict_warnings target)
  target_compile_options(${target} PRIVATE -Wshadow -Wconversion -Wsign-conversion -Wold-style-cast)
endfunction()

# veltrix_library(NAME SOURCES ... DEPENDS ...)
# A core static library named veltrix_<NAME>, with src/ as its include root.
function(veltrix_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(veltrix_${name} STATIC ${ARG_SOURCES})
  target_include_directories(veltrix_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(veltrix_${name} PUBLIC ${ARG_DEPENDS})
  veltrix_strict_warnings(veltrix_${name})
endfunction()

# veltrix_test(NAME SOURCES ... DEPENDS ... [LABELS ...] [ENVIRONMENT ...])
# A GoogleTest executable registered with CTest, one CTest entry per test case.
function(veltrix_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS;LABELS;ENVIRONMENT" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} veltrix_testsupport GTest::gtest_main GTest::gmock)
  if(NOT ARG_LABELS)
    set(ARG_LABELS unit)
  endif()
  # gtest_discover_tests (CMake 3.25) splits a list-valued ENVIRONMENT property into separate
  # arguments, so a second variable would be lost. Each test runs through `env` instead, which
  # sets every variable, both for the test list and for each test.
  if(ARG_ENVIRONMENT)
    set_property(TARGET ${name} PROPERTY CROSSCOMPILING_EMULATOR env ${ARG_ENVIRONMENT})
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS "${ARG_LABELS}")
endfunction()
