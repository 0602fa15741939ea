# Shared settings for every target of the project.

function(tavlo_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wformat=2 -Wnon-virtual-dtor -Woverloaded-virtual)
  if(TAVLO_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# tavlo_library(name SOURCES ... [PUBLIC_LIBS ...] [PRIVATE_LIBS ...])
# A static library of project code whose headers are found from the
# repository root, so includes read "store/Table.h".
function(tavlo_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE ${ARG_PRIVATE_LIBS})
  tavlo_warnings(${name})
endfunction()

# tavlo_test(name [GUI] SOURCES ... LIBS ...)
# One GoogleTest executable per unit, run by CTest headless with a fixed
# locale; its output names each failing case. GUI tests run inside a QApplication.
function(tavlo_test name)
  cmake_parse_arguments(ARG "GUI" "" "SOURCES;LIBS;PROPERTIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  if(ARG_GUI)
    set(test_main tavlo_gui_test_main)
  else()
    set(test_main GTest::gtest_main)
  endif()
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} tavlo_testsupport ${test_main}
                        GTest::gtest GTest::gmock)
  tavlo_warnings(${name})
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;TAVLO_BIN_DIR=${TAVLO_BIN_DIR};ASAN_OPTIONS=detect_leaks=1:abort_on_error=1;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
    TIMEOUT 600
    ${ARG_PROPERTIES})
endfunction()

