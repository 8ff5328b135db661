// The texts the program shows, looked up in the language chosen at start
// (framework/language.h). The texts themselves are in texts/catalogue.h.
#pragma once

#include "framework/cstring.h"
#include "framework/language.h"

enum class TextId {
#define TESSERA_TEXT(name, japanese, english) name,
#include "texts/catalogue.h"
#undef TESSERA_TEXT
};

const char* Text(TextId id);
const char* Text(TextId id, Language language);
// The text filled in with the arguments its conversions take (const char* for
// %s, int for %d), in the chosen language.
CString FormatText(TextId format, ...);

// Every identifier, for the tests that read the whole catalogue.
int TextCount();
