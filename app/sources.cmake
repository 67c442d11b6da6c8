# app/: the application object that owns everything, and wWinMain.
set(APP_CORE_SOURCES)
set(APP_WIN_SOURCES
  app/application.cpp
)
