# launcher/: the launcher panel, its cells and its clock line.
set(LAUNCHER_CORE_SOURCES
  launcher/cells.cpp
  launcher/clock_line.cpp
)
set(LAUNCHER_WIN_SOURCES
  launcher/launcher_panel.cpp
)
