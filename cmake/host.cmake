# The host side: unit tests of the core, artwork, the nested Windows build,
# the portable program folder dist/, and the Wine test layers.
include(ExternalProject)
include(GoogleTest)
enable_testing()

set(VELMORA_DIST_DIR "${CMAKE_SOURCE_DIR}/dist" CACHE PATH "Portable program folder")
set(VELMORA_WIN_DIR "${CMAKE_BINARY_DIR}/win")
set(VELMORA_ART_DIR "${CMAKE_BINARY_DIR}/art")

# ---- unit tests of the core (native), built once, under AddressSanitizer
# and UndefinedBehaviorSanitizer where the compiler has them: the core of
# each layer is built a second time with the sanitizers for them, and every
# test case is a CTest entry of its own (unit.<Suite>.<Case>).
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_SOURCE_DIR} googletest EXCLUDE_FROM_ALL)
target_compile_options(gtest PRIVATE -O1)

include(CheckCXXSourceCompiles)
set(VELMORA_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
set(CMAKE_REQUIRED_FLAGS "-fsanitize=address,undefined")
set(CMAKE_REQUIRED_LINK_OPTIONS -fsanitize=address,undefined)
check_cxx_source_compiles("int main() { return 0; }" VELMORA_HAVE_SANITIZERS)
unset(CMAKE_REQUIRED_FLAGS)
unset(CMAKE_REQUIRED_LINK_OPTIONS)
if(VELMORA_HAVE_SANITIZERS)
  set(core_suffix _asan)
  foreach(layer IN LISTS VELMORA_LAYERS)
    string(TOUPPER ${layer} LAYER)
    if(${LAYER}_CORE_SOURCES)
      # the plain core serves only the Windows build
      set_target_properties(velmora_${layer}_core PROPERTIES EXCLUDE_FROM_ALL ON)
      add_library(velmora_${layer}_core_asan STATIC EXCLUDE_FROM_ALL ${${LAYER}_CORE_SOURCES})
      target_include_directories(velmora_${layer}_core_asan PUBLIC ${CMAKE_SOURCE_DIR})
      target_compile_options(velmora_${layer}_core_asan PUBLIC -g -O1 ${VELMORA_SANITIZERS})
      target_link_options(velmora_${layer}_core_asan PUBLIC ${VELMORA_SANITIZERS})
      if(NOT layer STREQUAL "platform")
        target_link_libraries(velmora_${layer}_core_asan PUBLIC velmora_platform_core_asan)
      endif()
      if(NOT layer MATCHES "^(platform|settings)$")
        target_link_libraries(velmora_${layer}_core_asan PUBLIC velmora_settings_core_asan)
      endif()
    endif()
  endforeach()
else()
  set(core_suffix "")
  message(STATUS "No sanitizer runtime for ${CMAKE_CXX_COMPILER}: the unit tests run without them")
endif()

# One unit-test program per layer: tests/unit/<layer>_*_test.cpp.
foreach(layer IN LISTS VELMORA_LAYERS)
  file(GLOB layer_unit_tests CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/${layer}_*_test.cpp)
  if(layer_unit_tests)
    set(exe velmora_${layer}_unit_tests)
    add_executable(${exe} ${layer_unit_tests})
    if(layer MATCHES "^(shell|app)$")
      # The shell and the application stand on the features.
      foreach(other IN LISTS VELMORA_LAYERS)
        if(TARGET velmora_${other}_core${core_suffix})
          target_link_libraries(${exe} PRIVATE velmora_${other}_core${core_suffix})
        endif()
      endforeach()
    elseif(TARGET velmora_${layer}_core${core_suffix})
      target_link_libraries(${exe} PRIVATE velmora_${layer}_core${core_suffix})
    endif()
    target_include_directories(${exe} PRIVATE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${exe} PRIVATE velmora_platform_core${core_suffix} gtest_main)
    # The artwork's drawing rules are tested with the platform, which loads it.
    if(layer STREQUAL "platform")
      target_link_libraries(${exe} PRIVATE velmora_drawing)
    endif()
    gtest_discover_tests(${exe} TEST_PREFIX "unit." DISCOVERY_TIMEOUT 30
      PROPERTIES ENVIRONMENT
        "ASAN_OPTIONS=detect_leaks=1:abort_on_error=0;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
  endif()
endforeach()

# ---- fuzz targets (tests/fuzz/*_fuzz.cpp), built with clang's libFuzzer in
# a project of their own; CTest runs each a bounded number of times over its
# seed corpus (fuzz.<target>), scripts/fuzz.sh runs them longer.
find_program(VELMORA_FUZZ_CXX NAMES clang++-14 clang++)
set(VELMORA_FUZZ_DIR ${CMAKE_BINARY_DIR}/fuzz)
if(VELMORA_FUZZ_CXX)
  file(WRITE ${CMAKE_BINARY_DIR}/fuzz-check/check.cpp
    "extern \"C\" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }\n")
  execute_process(
    COMMAND ${VELMORA_FUZZ_CXX} -fsanitize=fuzzer,address,undefined check.cpp -o check
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz-check
    RESULT_VARIABLE fuzz_check_result OUTPUT_QUIET ERROR_QUIET)
  if(NOT fuzz_check_result EQUAL 0)
    set(VELMORA_FUZZ_CXX "")
  endif()
endif()
if(VELMORA_FUZZ_CXX)
  ExternalProject_Add(velmora_fuzz
    SOURCE_DIR ${CMAKE_SOURCE_DIR}/tests/fuzz
    BINARY_DIR ${VELMORA_FUZZ_DIR}
    CMAKE_ARGS -DCMAKE_CXX_COMPILER=${VELMORA_FUZZ_CXX} -DCMAKE_BUILD_TYPE=Release
    BUILD_COMMAND ${CMAKE_COMMAND} --build ${VELMORA_FUZZ_DIR} -j 2
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON)
  file(GLOB fuzz_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*_fuzz.cpp)
  foreach(source IN LISTS fuzz_sources)
    get_filename_component(target ${source} NAME_WE)
    string(REGEX REPLACE "_fuzz$" "" name ${target})
    add_test(NAME fuzz.${name}
      COMMAND bash ${CMAKE_SOURCE_DIR}/tests/fuzz/run.sh ${VELMORA_FUZZ_DIR}/${target}
        ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${target} ${CMAKE_BINARY_DIR}/fuzz-artifacts -runs=30000)
    set_tests_properties(fuzz.${name} PROPERTIES TIMEOUT 60)
  endforeach()
else()
  message(STATUS "No clang with libFuzzer and the sanitizers: the fuzz.* tests are left out")
endif()

# ---- artwork
add_library(velmora_drawing STATIC ${VELMORA_ART_SOURCES})
target_include_directories(velmora_drawing PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(velmora_drawing PRIVATE -Wall -Wextra)
file(GLOB GEN_ART_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/art/gen_*.cpp)
add_executable(gen_art ${GEN_ART_SOURCES})
target_include_directories(gen_art PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(gen_art PRIVATE velmora_drawing)
add_custom_command(
  OUTPUT ${VELMORA_ART_DIR}/velmora.ico
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VELMORA_ART_DIR}
  COMMAND gen_art icon ${VELMORA_ART_DIR}/velmora.ico
  DEPENDS gen_art
  COMMENT "Drawing the program icon")
# Each kind of artwork into its own folder, with a stamp (in ART_STAMPS) for
# the build to depend on.
function(velmora_art kind folder comment)
  set(stamp ${VELMORA_ART_DIR}/${kind}.stamp)
  add_custom_command(
    OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VELMORA_ART_DIR}/${folder}
    COMMAND gen_art ${kind} ${VELMORA_ART_DIR}/${folder} ${ARGN}
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS gen_art
    COMMENT "${comment}")
  set(ART_STAMPS ${ART_STAMPS} ${stamp} PARENT_SCOPE)
endfunction()
set(ART_STAMPS)
velmora_art(wallpapers pic "Drawing the sample wallpapers" 1920 1080)
velmora_art(ui ui "Drawing the launcher panel's skin, buttons, cell pictures and cursor")
velmora_art(tools tools "Drawing the tool windows' pictures")
add_custom_target(velmora_art ALL DEPENDS ${VELMORA_ART_DIR}/velmora.ico ${ART_STAMPS})

# ---- the Windows side, cross-compiled
ExternalProject_Add(velmora_windows
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${VELMORA_WIN_DIR}
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/mingw-w64.cmake
    -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
    -DVELMORA_ART_DIR=${VELMORA_ART_DIR}
    -DGTEST_SOURCE_DIR=${GTEST_SOURCE_DIR}
  BUILD_COMMAND ${CMAKE_COMMAND} --build ${VELMORA_WIN_DIR} -j 2
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  USES_TERMINAL_BUILD ON
  DEPENDS velmora_art)

# ---- dist/: what a user copies to a Windows machine
add_custom_target(velmora_dist ALL
  COMMAND ${CMAKE_COMMAND}
    -DWIN_DIR=${VELMORA_WIN_DIR} -DART_DIR=${VELMORA_ART_DIR} -DDIST_DIR=${VELMORA_DIST_DIR}
    -DVERSION=${PROJECT_VERSION}
    -P ${CMAKE_SOURCE_DIR}/cmake/assemble_dist.cmake
  DEPENDS velmora_windows velmora_art
  COMMENT "Assembling ${VELMORA_DIST_DIR}")

# ---- Wine test layers: two private X displays, each with a fresh prefix,
# so that two Wine tests run side by side (most of their time is spent
# waiting on Wine). A test asks CTest for one "wine" slot and runs in the
# session of the slot it is given (tests/wine/wine-slots.json, passed by
# scripts/test.sh); run without that file, every test runs in session a,
# one at a time.
set(WINE_SESSIONS ${CMAKE_BINARY_DIR}/wine-sessions)
set(SESSION_SH ${CMAKE_SOURCE_DIR}/tests/wine/session.sh)

foreach(slot IN ITEMS a b)
  add_test(NAME wine.session.start.${slot} COMMAND bash ${SESSION_SH} start ${WINE_SESSIONS}/${slot})
  set_tests_properties(wine.session.start.${slot} PROPERTIES FIXTURES_SETUP wine TIMEOUT 180)
  add_test(NAME wine.session.stop.${slot} COMMAND bash ${SESSION_SH} stop ${WINE_SESSIONS}/${slot})
  set_tests_properties(wine.session.stop.${slot} PROPERTIES FIXTURES_CLEANUP wine TIMEOUT 60)
endforeach()

function(velmora_wine_test name)
  add_test(NAME ${name} COMMAND bash ${SESSION_SH} run-slot ${WINE_SESSIONS} ${ARGN})
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine RESOURCE_GROUPS wine:1 TIMEOUT 300)
endfunction()

# One Win32 test program per layer that has tests (cmake/windows.cmake).
foreach(layer IN LISTS VELMORA_LAYERS)
  file(GLOB layer_tests CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/${layer}/*_test.cpp)
  if(layer_tests)
    velmora_wine_test(win32.${layer} ${VELMORA_WIN_DIR}/velmora_${layer}_tests.exe)
  endif()
endforeach()

foreach(scenario IN ITEMS single_instance tray_menu profile_startup desktop_tray panel panel_keys commands logoff
                         wallpaper wallpaper_startup wallpaper_verbs recycle autostart picker_copy
                         startup_modules dpi_bad_input instance_squatted user_files pic_folder planted_library)
  velmora_wine_test(e2e.${scenario}
    bash ${CMAKE_SOURCE_DIR}/tests/e2e/${scenario}.sh ${VELMORA_DIST_DIR} ${VELMORA_WIN_DIR})
endforeach()

# Every window at two scales: each test sets the display's LogPixels for
# the programs it starts and puts it back when it ends.
foreach(dpi IN ITEMS 144 192)
  velmora_wine_test(e2e.dpi_layout_${dpi}
    bash ${CMAKE_SOURCE_DIR}/tests/e2e/dpi_layout.sh ${VELMORA_DIST_DIR} ${VELMORA_WIN_DIR} ${dpi})
endforeach()

# Two monitors side by side (a nested Xephyr): a session of their own,
# started once for the tests that need it, beside the two others.
set(WINE_SESSION_MONITORS ${CMAKE_BINARY_DIR}/wine-session-monitors)
add_test(NAME wine.monitors.start COMMAND bash ${SESSION_SH} start ${WINE_SESSION_MONITORS} --monitors 2)
set_tests_properties(wine.monitors.start PROPERTIES FIXTURES_SETUP wine_monitors TIMEOUT 180)
add_test(NAME wine.monitors.stop COMMAND bash ${SESSION_SH} stop ${WINE_SESSION_MONITORS})
set_tests_properties(wine.monitors.stop PROPERTIES FIXTURES_CLEANUP wine_monitors TIMEOUT 60)
add_test(NAME e2e.monitors COMMAND bash ${SESSION_SH} run ${WINE_SESSION_MONITORS}
  bash ${CMAKE_SOURCE_DIR}/tests/e2e/monitors.sh ${VELMORA_DIST_DIR} ${VELMORA_WIN_DIR})
set_tests_properties(e2e.monitors PROPERTIES FIXTURES_REQUIRED wine_monitors RESOURCE_LOCK wine_monitors TIMEOUT 300)

# ---- what scripts/run.sh builds (the target velmora_program): the
# artwork, Velmora.exe alone from the nested Windows build (none of its test
# and benchmark programs), dist/ and the portable zip. Not part of ALL.
ExternalProject_Add_StepTargets(velmora_windows configure)
add_custom_target(velmora_program_exe
  COMMAND ${CMAKE_COMMAND} --build ${VELMORA_WIN_DIR} --target Velmora -j 2
  DEPENDS velmora_windows-configure velmora_art
  USES_TERMINAL
  COMMENT "Building Velmora.exe alone")
add_custom_target(velmora_program
  COMMAND ${CMAKE_COMMAND}
    -DWIN_DIR=${VELMORA_WIN_DIR} -DART_DIR=${VELMORA_ART_DIR} -DDIST_DIR=${VELMORA_DIST_DIR}
    -DVERSION=${PROJECT_VERSION}
    -P ${CMAKE_SOURCE_DIR}/cmake/assemble_dist.cmake
  DEPENDS velmora_program_exe velmora_art
  COMMENT "Assembling ${VELMORA_DIST_DIR}")

# The portable zip: its content and checksum, and the same bytes from a
# second build in a folder of its own.
add_test(NAME dist.zip_content
  COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/dist/check_zip.py ${VELMORA_DIST_DIR} ${PROJECT_VERSION} ${VELMORA_ART_DIR}/pic)
set_tests_properties(dist.zip_content PROPERTIES RESOURCE_LOCK dist TIMEOUT 60)
add_test(NAME dist.zip_reproducible
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/dist/reproducible.sh ${VELMORA_DIST_DIR} ${PROJECT_VERSION})
set_tests_properties(dist.zip_reproducible PROPERTIES RESOURCE_LOCK dist TIMEOUT 600)
# The shipped program has no switch that turns its effects into a log.
add_test(NAME dist.no_test_switch
  COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/dist/no_test_switch.py ${VELMORA_DIST_DIR} ${VELMORA_WIN_DIR})
set_tests_properties(dist.no_test_switch PROPERTIES RESOURCE_LOCK dist TIMEOUT 60)
# Velmora.exe within 1 MB.
add_test(NAME dist.exe_size COMMAND bash ${CMAKE_SOURCE_DIR}/tests/dist/check_exe_size.sh ${VELMORA_DIST_DIR} 1000000)
set_tests_properties(dist.exe_size PROPERTIES RESOURCE_LOCK dist TIMEOUT 60)
# run.sh without a display: the desktop served to a browser on 127.0.0.1.
add_test(NAME e2e.run_browser COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/run_browser.sh ${CMAKE_BINARY_DIR})
# Its own waits are bounded to about 6 minutes in all, below the time-out.
set_tests_properties(e2e.run_browser PROPERTIES RESOURCE_LOCK dist RESOURCE_GROUPS wine:1 TIMEOUT 420)
