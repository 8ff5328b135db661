// Pixel quantities that the program sets itself (column widths, wrap widths)
// are given at 96 DPI, the screen of the classic releases, and scaled to the
// screen's DPI, as the dialog templates are by their font.
#pragma once

const int kBaseDpi = 96;

// pixelsAt96 at dpi, rounded to the nearest pixel: exactly pixelsAt96 at 96.
int ScaleForDpi(int pixelsAt96, int dpi);
