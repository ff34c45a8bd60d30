# One place that gives every target of the project, library, program, test or benchmark,
# the same strict warnings and the same floating-point rules.

if(ZENTARIX_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# The fuzz tree: every library carries libFuzzer's coverage hooks, and every object runs
# under AddressSanitizer and UndefinedBehaviorSanitizer, any finding ending the run.
if(ZENTARIX_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "ZENTARIX_FUZZ needs clang (libFuzzer): configure with CXX=clang++-14")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer -g)
  add_link_options(-fsanitize=address,undefined)
endif()

# Debian's hardening for what users run: stack protector, fortified C library calls (they need
# the optimiser, so not in a Debug build), format checks, and full RELRO with immediate binding.
# The sanitizer and fuzz trees bring their own instrumentation instead.
if(NOT ZENTARIX_SANITIZE AND NOT ZENTARIX_FUZZ)
  add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security
                      $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
  add_link_options(-Wl,-z,relro -Wl,-z,now)
endif()

function(zentarix_strict target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic
    $<$<BOOL:${ZENTARIX_WERROR}>:-Werror>
    # The level arithmetic depends on every x87 operation being rounded on its own:
    # no contraction into fused operations, no reassociation.
    -ffp-contract=off -fno-fast-math)
endfunction()

# The plain core (the libraries of calc/, text/, diagram/ and the spin edit's number rules) is
# held to the conversion and shadowing warnings as well: its arithmetic moves between integer
# widths, signedness and the extended format on purpose, and each such step is written as a
# cast where it is meant. Errors under ZENTARIX_WERROR like every other warning.
function(zentarix_plain_core target)
  target_compile_options(${target} PRIVATE -Wconversion -Wsign-conversion -Wshadow)
endfunction()

# A static library of the project with strict warnings. Its headers, and those of every library
# it links, are included by their path from the repository root ("calc/uNumberText.h").
function(zentarix_library target)
  add_library(${target} STATIC ${ARGN})
  zentarix_strict(${target})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

# A GoogleTest program linked against the libraries it tests; each test case becomes a CTest
# test. Widget tests bring their own main (offscreen platform, QApplication). ENV NAME=value
# sets one more variable in the tests' environment, for a setting that must be in place before
# the program starts. (The test discovery splits list-valued properties once more, so a second
# variable could not travel in ENVIRONMENT; it travels as an environment modification.) Each
# test carries a CTest label: LABEL when given, else "widget" for widget tests and "unit".
function(zentarix_gtest target)
  cmake_parse_arguments(ARG "QT_MAIN" "ENV;LABEL" "SOURCES;LIBS" ${ARGN})
  add_executable(${target} ${ARG_SOURCES})
  zentarix_strict(${target})
  if(ARG_QT_MAIN)
    target_link_libraries(${target} PRIVATE zentarix_qt_test_main GTest::gtest ${ARG_LIBS})
  else()
    target_link_libraries(${target} PRIVATE GTest::gtest_main ${ARG_LIBS})
  endif()
  if(NOT ARG_LABEL)
    if(ARG_QT_MAIN)
      set(ARG_LABEL widget)
    else()
      set(ARG_LABEL unit)
    endif()
  endif()
  set(properties LABELS ${ARG_LABEL} ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  if(ARG_ENV)
    string(REGEX REPLACE "^([^=]+)=" "\\1=set:" modification "${ARG_ENV}")
    list(APPEND properties ENVIRONMENT_MODIFICATION "${modification}")
  endif()
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST PROPERTIES ${properties})
endfunction()

# A libFuzzer program: the fuzzer's own source, linked with libFuzzer's main and the
# libraries it exercises.
function(zentarix_fuzzer target)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${target} ${ARG_SOURCES})
  zentarix_strict(${target})
  target_link_options(${target} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${target} PRIVATE ${ARG_LIBS})
endfunction()
