#include "framework/dpi.h"

#include <doctest/doctest.h>

#include <vector>

TEST_CASE("Pixels given at 96 DPI keep their value there and scale with the screen, halves rounded up")
{
    struct Row {
        int pixelsAt96;
        int dpi;
        int scaled;
    };
    const std::vector<Row> rows = {
        // The widths the dialogs give stay exactly as they are at 96 DPI.
        {195, 96, 195}, {70, 96, 70}, {400, 96, 400}, {105, 96, 105}, {110, 96, 110}, {15, 96, 15},
        {195, 144, 293},  // 292.5
        {70, 144, 105}, {400, 144, 600}, {15, 144, 23},  // 22.5
        {195, 120, 244},  // 243.75
        {70, 120, 88},    // 87.5
        {195, 192, 390}, {0, 144, 0},
        {195, 72, 146},   // 146.25: a screen below 96 DPI shrinks them
    };
    for (const Row& row : rows) {
        CAPTURE(row.pixelsAt96);
        CAPTURE(row.dpi);
        CHECK(ScaleForDpi(row.pixelsAt96, row.dpi) == row.scaled);
    }
}
