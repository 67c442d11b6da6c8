# tools/: the web-search box, the colour picker, the picture viewer and the
# recycle-bin emptier.
set(TOOLS_CORE_SOURCES
  tools/colour_copy.cpp
  tools/colour_lines.cpp
  tools/recycle_rules.cpp
  tools/search_address.cpp
  tools/viewer_fit.cpp
)
set(TOOLS_WIN_SOURCES
  tools/colour_picker.cpp
  tools/picture_viewer.cpp
  tools/recycle_bin.cpp
  tools/search_box.cpp
  tools/tool_window.cpp
)
