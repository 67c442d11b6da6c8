// Resource identifiers shared by the resource script and the code.
#pragma once

#define IDI_VELMORA 1  // program icon: 16x16 and 32x32, 24-bit colour
