# The host side: unit tests of the core, artwork, the nested Windows build,
# the portable program folder dist/, and the Wine test layers.
include(ExternalProject)
include(GoogleTest)
enable_testing()

set(VELMORA_DIST_DIR "${CMAKE_SOURCE_DIR}/dist" CACHE PATH "Portable program folder")
set(VELMORA_WIN_DIR "${CMAKE_BINARY_DIR}/win")
set(VELMORA_ART_DIR "${CMAKE_BINARY_DIR}/art")

# ---- unit tests of the core (native)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_SOURCE_DIR} googletest EXCLUDE_FROM_ALL)
add_executable(velmora_unit_tests
  tests/unit/cells_test.cpp
  tests/unit/clock_test.cpp
  tests/unit/frame_layout_test.cpp
  tests/unit/placement_codec_test.cpp
  tests/unit/profile_codec_test.cpp
  tests/unit/tray_menus_test.cpp
  tests/unit/picture_library_test.cpp
  tests/unit/schedule_test.cpp
  tests/unit/picture_header_test.cpp
  tests/unit/viewer_fit_test.cpp
  tests/unit/tools_rules_test.cpp
  tests/unit/colour_autostart_test.cpp
)
target_link_libraries(velmora_unit_tests PRIVATE velmora_core gtest_main)
gtest_discover_tests(velmora_unit_tests TEST_PREFIX "unit." DISCOVERY_TIMEOUT 30)

# ---- artwork
add_executable(gen_art app/art/gen_art.cpp app/art/gen_ui_art.cpp app/art/gen_tools_art.cpp app/art/gen_picker_art.cpp)
add_custom_command(
  OUTPUT ${VELMORA_ART_DIR}/velmora.ico
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VELMORA_ART_DIR}
  COMMAND gen_art icon ${VELMORA_ART_DIR}/velmora.ico
  DEPENDS gen_art
  COMMENT "Drawing the program icon")
set(WALLPAPER_STAMP ${VELMORA_ART_DIR}/wallpapers.stamp)
add_custom_command(
  OUTPUT ${WALLPAPER_STAMP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VELMORA_ART_DIR}/pic
  COMMAND gen_art wallpapers ${VELMORA_ART_DIR}/pic 1920 1080
  COMMAND ${CMAKE_COMMAND} -E touch ${WALLPAPER_STAMP}
  DEPENDS gen_art
  COMMENT "Drawing the sample wallpapers")
set(UI_ART_STAMP ${VELMORA_ART_DIR}/ui.stamp)
add_custom_command(
  OUTPUT ${UI_ART_STAMP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VELMORA_ART_DIR}/ui
  COMMAND gen_art ui ${VELMORA_ART_DIR}/ui
  COMMAND ${CMAKE_COMMAND} -E touch ${UI_ART_STAMP}
  DEPENDS gen_art
  COMMENT "Drawing the launcher panel's skin, buttons, cell pictures and cursor")
set(TOOLS_ART_STAMP ${VELMORA_ART_DIR}/tools.stamp)
add_custom_command(
  OUTPUT ${TOOLS_ART_STAMP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VELMORA_ART_DIR}/tools
  COMMAND gen_art tools ${VELMORA_ART_DIR}/tools
  COMMAND ${CMAKE_COMMAND} -E touch ${TOOLS_ART_STAMP}
  DEPENDS gen_art
  COMMENT "Drawing the tool windows' pictures")
add_custom_target(velmora_art ALL DEPENDS ${VELMORA_ART_DIR}/velmora.ico ${WALLPAPER_STAMP} ${UI_ART_STAMP} ${TOOLS_ART_STAMP})

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

# ---- Wine test layers: one private X display and one fresh prefix per run
set(WINE_SESSION ${CMAKE_BINARY_DIR}/wine-session)
set(SESSION_SH ${CMAKE_SOURCE_DIR}/tests/wine/session.sh)

add_test(NAME wine.session.start COMMAND bash ${SESSION_SH} start ${WINE_SESSION})
set_tests_properties(wine.session.start PROPERTIES FIXTURES_SETUP wine TIMEOUT 180)
add_test(NAME wine.session.stop COMMAND bash ${SESSION_SH} stop ${WINE_SESSION})
set_tests_properties(wine.session.stop PROPERTIES FIXTURES_CLEANUP wine TIMEOUT 60)

function(velmora_wine_test name)
  add_test(NAME ${name} COMMAND bash ${SESSION_SH} run ${WINE_SESSION} ${ARGN})
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK wine TIMEOUT 300)
endfunction()

velmora_wine_test(win32.all ${VELMORA_WIN_DIR}/velmora_win32_tests.exe)

foreach(scenario IN ITEMS single_instance tray_menu profile_startup desktop_tray panel commands logoff
                         wallpaper wallpaper_startup recycle autostart)
  velmora_wine_test(e2e.${scenario}
    bash ${CMAKE_SOURCE_DIR}/tests/e2e/${scenario}.sh ${VELMORA_DIST_DIR} ${VELMORA_WIN_DIR})
endforeach()

# ---- reach: what scripts/run.sh builds (the target velmora_program): the
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
# run.sh without a display: the desktop served to a browser on 127.0.0.1.
add_test(NAME e2e.run_browser COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/run_browser.sh ${CMAKE_BINARY_DIR})
# Its own waits are bounded to about 6 minutes in all, below the time-out.
set_tests_properties(e2e.run_browser PROPERTIES RESOURCE_LOCK "wine;dist" TIMEOUT 420)
