// Where the minimised dialog draws its icon: centred in the client area, each
// coordinate (client - icon + 1) / 2 with C++'s division, which truncates
// toward zero, also when the client area is smaller than the icon.
#pragma once

inline int CentredIconOffset(int clientExtent, int iconExtent)
{
    return (clientExtent - iconExtent + 1) / 2;
}
