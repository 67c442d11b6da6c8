# wallpaper/: the picture list, the schedule, the changer's settings and
# rules, the wallpaper setter, the controller and the changer window.
set(WALLPAPER_CORE_SOURCES
  wallpaper/changer_rules.cpp
  wallpaper/changer_settings.cpp
  wallpaper/history.cpp
  wallpaper/picture_list.cpp
  wallpaper/rotation.cpp
  wallpaper/schedule.cpp
  wallpaper/screen_layout.cpp
  wallpaper/shuffle.cpp
)
set(WALLPAPER_WIN_SOURCES
  wallpaper/changer_controller.cpp
  wallpaper/monitors.cpp
  wallpaper/picture_folder.cpp
  wallpaper/picture_list_box.cpp
  wallpaper/rotation_changes.cpp
  wallpaper/wallpaper_changer.cpp
  wallpaper/wallpaper_rotation.cpp
  wallpaper/wallpaper_schedule.cpp
  wallpaper/wallpaper_setter.cpp
)
