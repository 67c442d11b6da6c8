// Resource identifiers shared by the resource script and the code.
#pragma once

#define IDI_VELMORA 1  // program icon: 16x16 and 32x32, 24-bit colour

// Skin picture Image1 of the skinned windows: 410 x 387, 24-bit.
#define IDB_SKIN 100
// Image2: the panel's small title picture, 18 x 18, 32-bit with alpha.
#define IDB_IMAGE2 101
// Cell pictures of the launcher panel, 32-bit with premultiplied alpha, in
// the order of the cell table (row by row, left to right): IDB_CELL_FIRST
// + 0 is Image5 (我的电脑) ... + 19 is Image13 (关闭计算机).
#define IDB_CELL_FIRST 110
#define IDB_CELL_COUNT 20
// Caption buttons, 24-bit: IDB_CAPBTN_FIRST + state * 3 + index, state 0
// normal (imgNormal), 1 hover (imgOver), 2 pressed (imgDown); index 0
// minimise 28x15, 1 maximise 27x15, 2 close 42x15.
#define IDB_CAPBTN_FIRST 140
// The pointing hand over cells and links: 32 x 32 monochrome, hot spot (5, 0).
#define IDC_VELMORA_HAND 200

// Web-search box wlss: five 65 x 66 mushrooms (green, blue, red, yellow,
// dark red), 32-bit with premultiplied alpha, IDB_WLSS_MUSHROOM_FIRST + i;
// the 391 x 66 grass strip, 24-bit; the red-ball close icon, 32 x 32.
#define IDB_WLSS_MUSHROOM_FIRST 160
#define IDB_WLSS_GRASS 165
#define IDI_WLSS_BALL 166
// Colour picker Form3: the 113 x 86 pipette, 32-bit with premultiplied
// alpha; the red-cross close icon, 16 x 16.
#define IDB_FORM3_PIPETTE 170
#define IDI_FORM3_CROSS 171
// Recycle-bin emptier qkhsz: the 325 x 25 green title gradient, 24-bit; the
// recycle-bin icon, 16 x 16 and 32 x 32.
#define IDB_QKHSZ_TITLE 175
#define IDI_QKHSZ_BIN 176
