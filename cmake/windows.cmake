# The Windows side: Velmora.exe, the Win32 test program, the end-to-end
# driver and the benchmark programs. Everything links statically, so the
# programs need no DLL beyond Windows' own.
enable_language(RC)

set(VELMORA_ART_DIR "" CACHE PATH "Folder holding the generated velmora.ico")
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} --codepage=65001 -I${VELMORA_ART_DIR} -I${CMAKE_SOURCE_DIR}/app")
add_compile_definitions(UNICODE _UNICODE NOMINMAX _WIN32_WINNT=0x0A00 WINVER=0x0A00)
add_link_options(-static -static-libgcc -static-libstdc++)
# reach: no link time in the PE header, so a commit always gives the same bytes.
add_link_options(-Wl,--no-insert-timestamp)

add_library(velmora_win STATIC
  frame/skinned_window.cpp
  launcher/commands.cpp
  launcher/frm_main.cpp
  platform/app_dir.cpp
  platform/effects.cpp
  platform/message_box.cpp
  platform/text.cpp
  platform/twips.cpp
  settings/placement.cpp
  settings/profile.cpp
  shell/app_windows.cpp
  shell/single_instance.cpp
  shell/tray_icon.cpp
  shell/yindao.cpp
  shell/auto_start.cpp
  tools/form3.cpp
  tools/qkhsz.cpp
  tools/see.cpp
  tools/wlss.cpp
  wallpaper/ghzm.cpp
  wallpaper/picture.cpp
  wallpaper/wallpaper_apply.cpp
)
target_link_libraries(velmora_win PUBLIC velmora_core shell32 comctl32 winmm advapi32 user32 gdi32 msimg32 ole32 oleaut32 uuid windowscodecs)
target_compile_options(velmora_win PRIVATE -Wall -Wextra)

set(VELMORA_RESOURCES app/velmora.rc)
set_source_files_properties(app/velmora.rc PROPERTIES
  OBJECT_DEPENDS "${VELMORA_ART_DIR}/velmora.ico;${VELMORA_ART_DIR}/ui.stamp;${VELMORA_ART_DIR}/tools.stamp;${CMAKE_SOURCE_DIR}/app/velmora.manifest;${CMAKE_SOURCE_DIR}/app/resource.h")

add_executable(Velmora WIN32 app/main.cpp ${VELMORA_RESOURCES})
target_link_libraries(Velmora PRIVATE velmora_win)
target_link_options(Velmora PRIVATE -municode -s)

# GoogleTest from Debian's sources, built with mingw.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_SOURCE_DIR} googletest EXCLUDE_FROM_ALL)

add_executable(velmora_win32_tests
  tests/win32/main.cpp
  tests/win32/test_support.cpp
  tests/win32/profile_test.cpp
  tests/win32/tray_test.cpp
  tests/win32/platform_test.cpp
  tests/win32/commands_test.cpp
  tests/win32/frame_test.cpp
  tests/win32/panel_test.cpp
  tests/win32/picture_test.cpp
  tests/win32/ghzm_test.cpp
  tests/win32/see_test.cpp
  tests/win32/qkhsz_test.cpp
  tests/win32/wlss_test.cpp
  tests/win32/form3_test.cpp
  tests/win32/auto_start_test.cpp
  ${VELMORA_RESOURCES}
)
target_link_libraries(velmora_win32_tests PRIVATE velmora_win gtest)

# Drives a running Velmora.exe from outside, as the user's shell would.
add_executable(vdriver tests/e2e/vdriver.cpp)
target_link_libraries(vdriver PRIVATE user32 gdi32 shell32 psapi)
target_link_options(vdriver PRIVATE -municode)

# Start-up benchmark and its baseline: the least a tray program can do.
add_executable(tray_baseline WIN32 bench/tray_baseline.cpp)
target_link_libraries(tray_baseline PRIVATE user32 shell32)
target_link_options(tray_baseline PRIVATE -municode -s)
add_executable(startup_bench bench/startup_bench.cpp)
target_link_libraries(startup_bench PRIVATE user32 shell32 psapi)
target_include_directories(startup_bench PRIVATE ${CMAKE_SOURCE_DIR})
target_link_options(startup_bench PRIVATE -municode)

# Launcher panel benchmark: opening, DrawSkin, resize and clock handle counts.
add_executable(panel_bench bench/panel_bench.cpp ${VELMORA_RESOURCES})
target_link_libraries(panel_bench PRIVATE velmora_win)

# Wallpaper benchmark: applying a large JPEG, rebuilding the list of a big
# folder, and an hour of the clock schedule.
add_executable(wallpaper_bench bench/wallpaper_bench.cpp ${VELMORA_RESOURCES})
target_link_libraries(wallpaper_bench PRIVATE velmora_win)

# Colour picker benchmark: CPU time of the readings against the idle program.
add_executable(picker_bench bench/picker_bench.cpp ${VELMORA_RESOURCES})
target_link_libraries(picker_bench PRIVATE velmora_win psapi)
