# The Windows side: one library per layer, Velmora.exe, the Win32 test
# programs (one per layer), the end-to-end driver and the benchmark
# programs. Everything links statically, so the programs need no DLL beyond
# Windows' own.
enable_language(RC)

set(VELMORA_ART_DIR "" CACHE PATH "Folder holding the generated artwork")
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} --codepage=65001 -I${VELMORA_ART_DIR} -I${CMAKE_SOURCE_DIR}")
add_compile_definitions(UNICODE _UNICODE NOMINMAX _WIN32_WINNT=0x0A00 WINVER=0x0A00)
add_link_options(-static -static-libgcc -static-libstdc++)
# No link time in the PE header, so a commit always gives the same bytes.
add_link_options(-Wl,--no-insert-timestamp)
include(${CMAKE_CURRENT_LIST_DIR}/footprint.cmake)

# The artwork's drawing code, beneath everything: the program draws its
# pictures with it for any scale but the stored 96 dpi (resources/art).
add_library(velmora_drawing STATIC ${VELMORA_ART_SOURCES})
target_include_directories(velmora_drawing PUBLIC ${CMAKE_SOURCE_DIR})
# Small rather than quickest: it is drawn once per scale and cached.
target_compile_options(velmora_drawing PRIVATE -Os)

# Each layer links the layers it may include, and nothing above them.
# Common controls, COM, the picture decoders and MCI are not imported:
# platform/lazy_imports.cpp loads them at first use.
set(platform_USES velmora_core velmora_drawing advapi32 user32 gdi32 msimg32 uuid)
set(settings_USES velmora_platform)
set(commands_USES velmora_platform)
set(frame_USES velmora_platform)
set(launcher_USES velmora_frame velmora_commands velmora_settings imm32)
set(wallpaper_USES velmora_frame velmora_commands velmora_settings)
set(tools_USES velmora_commands velmora_settings)
set(shell_USES velmora_commands velmora_settings)
set(app_USES velmora_shell velmora_launcher velmora_wallpaper velmora_tools)
foreach(layer IN LISTS VELMORA_LAYERS)
  string(TOUPPER ${layer} LAYER)
  if(${LAYER}_WIN_SOURCES)
    add_library(velmora_${layer} STATIC ${${LAYER}_WIN_SOURCES})
  else()
    add_library(velmora_${layer} INTERFACE)
  endif()
  get_target_property(kind velmora_${layer} TYPE)
  if(kind STREQUAL "INTERFACE_LIBRARY")
    target_link_libraries(velmora_${layer} INTERFACE ${${layer}_USES})
  else()
    target_link_libraries(velmora_${layer} PUBLIC ${${layer}_USES})
    target_compile_options(velmora_${layer} PRIVATE -Wall -Wextra)
  endif()
  # Small rather than quickest, but for the tools and the unpacking of the
  # stored artwork (built with -Os, the web-search box lost its grass strip
  # and close ball) and the pixel loops below.
  if(NOT layer STREQUAL "tools")
    if(TARGET velmora_${layer}_core)
      target_compile_options(velmora_${layer}_core PRIVATE -Os)
    endif()
    if(${LAYER}_WIN_SOURCES)
      target_compile_options(velmora_${layer} PRIVATE -Os)
    endif()
  endif()
endforeach()
# What runs once per pixel of a picture stays quick.
set_source_files_properties(platform/art_loader.cpp platform/picture.cpp platform/picture_scaling.cpp
  wallpaper/screen_layout.cpp PROPERTIES COMPILE_OPTIONS -O3)

set(VELMORA_RESOURCES resources/velmora.rc)
file(GLOB VELMORA_ART_STAMPS ${VELMORA_ART_DIR}/*.stamp)
set_source_files_properties(resources/velmora.rc PROPERTIES
  OBJECT_DEPENDS "${VELMORA_ART_DIR}/velmora.ico;${VELMORA_ART_STAMPS};${CMAKE_SOURCE_DIR}/resources/velmora.manifest;${CMAKE_SOURCE_DIR}/resources/ids.h")

add_executable(Velmora WIN32 app/main.cpp ${VELMORA_RESOURCES})
target_link_libraries(Velmora PRIVATE velmora_app)
target_link_options(Velmora PRIVATE -municode -s)

# The recording build for the end-to-end tests: the same program, which
# writes what it would do to the system to the log named by
# VELMORA_EFFECTS_LOG instead of doing it. Only main.cpp differs, so the
# libraries are shared; it never goes into dist/.
add_executable(VelmoraRecording WIN32 app/main.cpp ${VELMORA_RESOURCES})
target_compile_definitions(VelmoraRecording PRIVATE VELMORA_RECORDING_BUILD)
target_link_libraries(VelmoraRecording PRIVATE velmora_app)
target_link_options(VelmoraRecording PRIVATE -municode -s)

# GoogleTest from Debian's sources, built with mingw.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_SOURCE_DIR} googletest EXCLUDE_FROM_ALL)

# The test programs are built for a short build, not for speed: -O1 after
# the build type's -O3.
set(VELMORA_TEST_OPTIMISE -O1)
target_compile_options(gtest PRIVATE ${VELMORA_TEST_OPTIMISE})

# Shared by the Win32 test programs: fakes of the services, helpers and main.
file(GLOB TEST_SUPPORT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/support/*.cpp)
add_library(velmora_test_support STATIC ${TEST_SUPPORT_SOURCES})
target_include_directories(velmora_test_support PUBLIC ${CMAKE_SOURCE_DIR}/tests/win32)
target_link_libraries(velmora_test_support PUBLIC velmora_platform gtest)
target_compile_options(velmora_test_support PUBLIC ${VELMORA_TEST_OPTIMISE})

# Helper programs some tests start (a profile writer to kill in mid-write).
file(GLOB test_helpers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/helpers/*.cpp)
foreach(helper IN LISTS test_helpers)
  get_filename_component(name ${helper} NAME_WE)
  add_executable(${name} ${helper})
  target_link_libraries(${name} PRIVATE velmora_settings)
  target_link_options(${name} PRIVATE -municode)
  list(APPEND TEST_HELPERS ${name})
endforeach()


# One Win32 test program per layer, linked to that layer and what is below it.
foreach(layer IN LISTS VELMORA_LAYERS)
  file(GLOB layer_tests CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/${layer}/*_test.cpp)
  if(layer_tests)
    add_executable(velmora_${layer}_tests ${layer_tests} ${VELMORA_RESOURCES})
    target_link_libraries(velmora_${layer}_tests PRIVATE velmora_${layer} velmora_test_support)
    if(TEST_HELPERS)
      add_dependencies(velmora_${layer}_tests ${TEST_HELPERS})
    endif()
  endif()
endforeach()
# Drives a running Velmora.exe from outside, as the user's shell would.
add_executable(vdriver tests/e2e/vdriver.cpp)
target_link_libraries(vdriver PRIVATE user32 gdi32 shell32 psapi advapi32)
target_link_options(vdriver PRIVATE -municode)
# A library of a system library's name, planted beside the program by a test.
add_library(planted_library SHARED tests/e2e/planted_library.cpp)
set_target_properties(planted_library PROPERTIES PREFIX "" OUTPUT_NAME planted)

# Benchmarks (bench/): start-up against the least a tray program can do,
# the launcher panel, the wallpaper path, the next wallpaper from a second
# start and the colour picker.
add_executable(tray_baseline WIN32 bench/tray_baseline.cpp)
target_link_libraries(tray_baseline PRIVATE user32 shell32)
target_link_options(tray_baseline PRIVATE -municode -s)
add_executable(startup_bench bench/startup_bench.cpp)
target_link_libraries(startup_bench PRIVATE user32 shell32 psapi)
target_include_directories(startup_bench PRIVATE ${CMAKE_SOURCE_DIR})
target_link_options(startup_bench PRIVATE -municode)
# The next wallpaper from a second start, against the real program.
add_executable(next_bench bench/next_bench.cpp)
target_link_libraries(next_bench PRIVATE velmora_wallpaper psapi)
target_link_options(next_bench PRIVATE -municode)
# Every monitor its own picture: render, compose, write and set.
add_executable(monitors_bench bench/monitors_bench.cpp)
target_link_libraries(monitors_bench PRIVATE velmora_wallpaper psapi)
foreach(bench panel_bench wallpaper_bench picker_bench)
  add_executable(${bench} bench/${bench}.cpp ${VELMORA_RESOURCES})
  target_link_libraries(${bench} PRIVATE velmora_app psapi)
endforeach()
