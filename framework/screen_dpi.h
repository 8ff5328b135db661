// The DPI of the screen, as a program that declares itself DPI-aware for the
// whole system sees it: one value for every window while the program runs.
#pragma once

int ScreenDpi();
