# commands/: the actions of menus and cells, and the system commands.
set(COMMANDS_CORE_SOURCES)
set(COMMANDS_WIN_SOURCES
  commands/system_commands.cpp
)
