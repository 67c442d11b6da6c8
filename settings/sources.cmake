# settings/: the profile file and the window placement record.
set(SETTINGS_CORE_SOURCES
  settings/placement_codec.cpp
  settings/profile_codec.cpp
  settings/settings_store.cpp
)
set(SETTINGS_WIN_SOURCES
  settings/placement.cpp
  settings/profile_file.cpp
)
