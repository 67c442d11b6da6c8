# platform/: Win32 foundations and the pure helpers beneath everything.
set(PLATFORM_CORE_SOURCES
  platform/long_paths.cpp
  platform/numbers.cpp
  platform/picture_header.cpp
  platform/units.cpp
)
set(PLATFORM_WIN_SOURCES
  platform/controls.cpp
  platform/deferred_calls.cpp
  platform/effects.cpp
  platform/files.cpp
  platform/folder_watch.cpp
  platform/picture.cpp
  platform/system_services.cpp
  platform/text.cpp
  platform/twips.cpp
)
