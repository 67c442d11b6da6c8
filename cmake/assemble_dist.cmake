# Copies the program and its sample wallpapers into the portable folder,
# then writes the portable download beside them (说明.txt, the zip and
# SHA256SUMS: scripts/package_dist.py). Wallpapers become JPEG files where
# ImageMagick is at hand (one stays a BMP, the format every Windows version
# shows as a wallpaper).
#
#   cmake -DWIN_DIR=... -DART_DIR=... -DDIST_DIR=... -DVERSION=... -P assemble_dist.cmake
get_filename_component(SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR} DIRECTORY)
file(MAKE_DIRECTORY ${DIST_DIR}/pic)
file(COPY ${WIN_DIR}/Velmora.exe DESTINATION ${DIST_DIR})
find_program(CONVERT NAMES convert-im6.q16 convert PATHS /usr/bin NO_DEFAULT_PATH)
file(GLOB bmps ${ART_DIR}/pic/*.bmp)
set(pictures)
foreach(bmp IN LISTS bmps)
  get_filename_component(name ${bmp} NAME_WE)
  if(CONVERT AND NOT name STREQUAL "柔光")
    if(NOT EXISTS ${DIST_DIR}/pic/${name}.jpg OR ${bmp} IS_NEWER_THAN ${DIST_DIR}/pic/${name}.jpg)
      execute_process(COMMAND ${CONVERT} ${bmp} -quality 90 ${DIST_DIR}/pic/${name}.jpg RESULT_VARIABLE rc)
      if(NOT rc EQUAL 0)
        message(FATAL_ERROR "could not convert ${bmp}")
      endif()
    endif()
    list(APPEND pictures ${name}.jpg)
  else()
    file(COPY ${bmp} DESTINATION ${DIST_DIR}/pic)
    list(APPEND pictures ${name}.bmp)
  endif()
endforeach()

# ---- the portable download: Velmora-VERSION-win64.zip and SHA256SUMS
if(NOT VERSION)
  message(FATAL_ERROR "assemble_dist.cmake: VERSION is not set")
endif()
find_program(PYTHON3 python3)
if(NOT PYTHON3)
  message(FATAL_ERROR "python3 is missing (scripts/deps.sh installs it)")
endif()
execute_process(
  COMMAND ${PYTHON3} ${SOURCE_DIR}/scripts/package_dist.py
    --dist ${DIST_DIR} --version ${VERSION} --source ${SOURCE_DIR}
    --readme ${SOURCE_DIR}/packaging/说明.txt ${pictures}
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "could not write the portable zip")
endif()
