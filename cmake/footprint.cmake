# Size of the Windows programs: each function and datum in a section of its
# own so that the linker drops what nothing calls, and symbols stripped.
# Velmora.exe stays within 1 MB, 1,000,000 bytes (dist.exe_size).
add_compile_options(-ffunction-sections -fdata-sections)
add_link_options(-Wl,--gc-sections)
# Not -Os: with it, the web-search box drew neither its grass strip nor its
# close ball (tools/search_box.cpp), while -O3 draws them as before.
