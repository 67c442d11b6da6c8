# frame/: the skinned frame of the launcher panel and the wallpaper changer.
set(FRAME_CORE_SOURCES
  frame/frame_layout.cpp
)
set(FRAME_WIN_SOURCES
  frame/skinned_frame.cpp
)
