// Resource identifiers shared by the resource script and the code.
#pragma once

// The bitmaps are stored packed (resources/art_pack.h) under this resource
// type, as drawn for 96 dpi; platform's LoadBitmapResource unpacks them, or
// draws them afresh (resources/art/artwork.h) for another DPI.
#define PACKED_BITMAP_TYPE L"PACKED_BITMAP"

#define IDI_VELMORA 1  // program icon: 16 to 40 px in 24-bit colour, 48 with alpha

// The skin of the skinned windows: 410 x 387, 24-bit.
#define IDB_SKIN 100
// The launcher panel's small title picture, 18 x 18, 32-bit with alpha.
#define IDB_PANEL_TITLE 101
// Cell pictures of the launcher panel, 32-bit with premultiplied alpha, in
// the order of the cell table (row by row, left to right): IDB_CELL_FIRST
// + 0 is 我的电脑 ... + 19 is 关闭计算机.
#define IDB_CELL_FIRST 110
#define IDB_CELL_COUNT 20
// Caption buttons, 24-bit: IDB_CAPTION_BUTTON_FIRST + state * 3 + button,
// state 0 at rest, 1 under the pointer, 2 pressed; button 0 minimise 28x15,
// 1 restore 27x15, 2 close 42x15.
#define IDB_CAPTION_BUTTON_FIRST 140
// The pointing hand over cells and links: 32 x 32 monochrome, hot spot (5, 0).
#define IDC_HAND_POINTER 200

// Web-search box: five 65 x 66 mushrooms (green, blue, red, yellow, dark
// red), 32-bit with premultiplied alpha, IDB_SEARCH_MUSHROOM_FIRST + i; the
// 391 x 66 grass strip, 24-bit; the red-ball close icon, 32 x 32.
#define IDB_SEARCH_MUSHROOM_FIRST 160
#define IDB_SEARCH_GRASS 165
#define IDI_SEARCH_CLOSE 166
// Colour picker: the 113 x 86 pipette, 32-bit with premultiplied alpha; the
// red-cross close icon, 16 x 16.
#define IDB_PICKER_PIPETTE 170
#define IDI_PICKER_CLOSE 171
