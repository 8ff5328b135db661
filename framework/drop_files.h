// The items of one drag-and-drop from the shell.
#pragma once

#include "framework/cstringarray.h"

#include <windows.h>

// The names of the dropped items in order, each read in full; an item whose
// name cannot be read is left out. Finishes the drop, which frees it. Empty
// when the shell cannot be loaded.
CStringArray DroppedFileNames(HDROP drop);
