#include "framework/dpi.h"

int ScaleForDpi(int pixelsAt96, int dpi)
{
    const long long scaled = static_cast<long long>(pixelsAt96) * dpi;
    return static_cast<int>((scaled + kBaseDpi / 2) / kBaseDpi);
}
