#include "ui/minimized_icon.h"

#include <doctest/doctest.h>

#include <vector>

TEST_CASE("The minimised icon is centred, rounding as signed division does")
{
    struct Row {
        int client;
        int icon;
        int offset;
    };
    const std::vector<Row> rows = {
        {32, 32, 0},    // (0 + 1) / 2
        {36, 32, 2},    // (4 + 1) / 2
        {37, 32, 3},    // (5 + 1) / 2
        {100, 32, 34},
        {0, 32, -15},   // -31 / 2 truncates toward zero, not down to -16
        {31, 32, 0},    // 0 / 2
        {30, 32, 0},    // -1 / 2 truncates to 0
        {29, 32, -1},   // -2 / 2
    };
    for (const Row& row : rows) {
        CAPTURE(row.client);
        CHECK(CentredIconOffset(row.client, row.icon) == row.offset);
    }
}
