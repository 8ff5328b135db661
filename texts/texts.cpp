#include "texts/texts.h"

#include <cstdarg>

namespace {
struct Entry {
    const char* japanese;
    const char* english;
};
const Entry kEntries[] = {
#define TESSERA_TEXT(name, japanese, english) {japanese, english},
#include "texts/catalogue.h"
#undef TESSERA_TEXT
};
}  // namespace

const char* Text(TextId id, Language language)
{
    const Entry& entry = kEntries[static_cast<int>(id)];
    return language == Language::kJapanese ? entry.japanese : entry.english;
}

const char* Text(TextId id)
{
    return Text(id, ChosenLanguage());
}

CString FormatText(TextId format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    CString text;
    text.FormatV(Text(format), arguments);
    va_end(arguments);
    return text;
}

int TextCount()
{
    return static_cast<int>(sizeof kEntries / sizeof kEntries[0]);
}
