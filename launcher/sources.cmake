# launcher/: the launcher panel, its cells and its clock line.
set(LAUNCHER_CORE_SOURCES
  launcher/cell_initials.cpp
  launcher/cell_keys.cpp
  launcher/cells.cpp
  launcher/clock_line.cpp
)
set(LAUNCHER_WIN_SOURCES
  launcher/launcher_panel.cpp
)
