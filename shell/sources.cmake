# shell/: the tray icon and its host window, the menus, starting at logon
# and the single running instance.
set(SHELL_CORE_SOURCES
  shell/tray_callback.cpp
  shell/auto_start_rules.cpp
  shell/menus.cpp
  shell/verbs.cpp
  shell/key_chord.cpp
)
set(SHELL_WIN_SOURCES
  shell/auto_start.cpp
  shell/single_instance.cpp
  shell/tray_host.cpp
  shell/tray_icon.cpp
)
