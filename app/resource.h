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
