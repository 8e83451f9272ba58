# Helpers shared by the folders' CMakeLists.

# GoogleTest is built from the sources Debian installs, so the cross build gets Windows
# libraries of it; elsewhere (MSYS2) an installed GoogleTest serves.
set(FRAMORA_GTEST_SOURCE "/usr/src/googletest" CACHE PATH "GoogleTest source folder")
if(EXISTS "${FRAMORA_GTEST_SOURCE}/CMakeLists.txt")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory("${FRAMORA_GTEST_SOURCE}" "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL
                   SYSTEM)
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# framora_add_test(<name> SOURCES <files...> LIBS <targets...> [DISPLAY] [MEDIA] [TOOLS]
#                  [WINE_LANG <unix locale>])
#   DISPLAY: the test draws windows and takes focus and keyboard, so it runs alone.
#   MEDIA:   the test reads the videos made by the make_test_media fixture.
#   TOOLS:   the test needs ffmpeg.exe, ffprobe.exe and font.ttf in the program folder.
#   WINE_LANG: the Windows locale the test runs in under Wine (de_DE.UTF-8: comma decimals;
#            ja_JP.UTF-8: the double-byte ANSI code page 932). Default en_US.UTF-8.
# Natively every GoogleTest case is its own CTest test; under Wine one test per executable,
# since every Wine process start costs a good part of a second.
function(framora_add_test name)
  cmake_parse_arguments(arg "DISPLAY;MEDIA;TOOLS" "WINE_LANG" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${arg_SOURCES})
  target_link_libraries(${name} PRIVATE ${arg_LIBS} framora_test_support framora_warnings
                        GTest::gmock GTest::gtest_main)
  set(env "")
  set(fixtures "")
  if(CMAKE_CROSSCOMPILING)
    list(APPEND fixtures framora_wine)
  endif()
  if(arg_MEDIA)
    list(APPEND fixtures framora_media)
    list(APPEND env "FRAMORA_TEST_MEDIA=${FRAMORA_TEST_MEDIA}")
  endif()
  if(arg_TOOLS AND WIN32)
    add_dependencies(${name} framora_program_tools)
  endif()
  set(locks "")
  if(arg_DISPLAY)
    # Wine keeps one desktop per prefix: windows of two tests at once would fight over the
    # focus and the keyboard, so tests that draw take turns.
    set(locks framora_display)
  endif()
  if(arg_WINE_LANG)
    list(APPEND env "FRAMORA_WINE_LANG=${arg_WINE_LANG}")
  endif()
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" FIXTURES_REQUIRED "${fixtures}"
                         RESOURCE_LOCK "${locks}")
  else()
    gtest_discover_tests(${name} PROPERTIES ENVIRONMENT "${env}" FIXTURES_REQUIRED "${fixtures}"
                         DISCOVERY_TIMEOUT 60)
  endif()
endfunction()

# framora_add_locale_test(<name> <test executable> <gtest filter> <unix locale> [MEDIA] [DISPLAY])
# Runs the cases of an existing Wine test executable once more in another Windows locale.
function(framora_add_locale_test name executable filter locale)
  cmake_parse_arguments(arg "DISPLAY;MEDIA" "" "" ${ARGN})
  set(env "FRAMORA_WINE_LANG=${locale}")
  set(fixtures framora_wine)
  if(arg_MEDIA)
    list(APPEND env "FRAMORA_TEST_MEDIA=${FRAMORA_TEST_MEDIA}")
    list(APPEND fixtures framora_media)
  endif()
  add_test(NAME ${name} COMMAND ${executable} --gtest_filter=${filter})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" FIXTURES_REQUIRED "${fixtures}")
  if(arg_DISPLAY)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK framora_display)
  endif()
endfunction()

# framora_check_headers(<target> <headers...>): each header must compile on its own.
function(framora_check_headers target)
  set(sources "")
  foreach(header IN LISTS ARGN)
    get_filename_component(base "${header}" NAME_WE)
    set(src "${CMAKE_CURRENT_BINARY_DIR}/header_check/${base}.cpp")
    file(CONFIGURE OUTPUT "${src}" CONTENT "#include \"${CMAKE_CURRENT_SOURCE_DIR}/${header}\"\n")
    list(APPEND sources "${src}")
  endforeach()
  add_library(${target}_headers OBJECT ${sources})
  target_link_libraries(${target}_headers PRIVATE ${target} framora_warnings)
endfunction()
