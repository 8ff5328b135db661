#include "framework/language.h"

namespace {
Language g_language = Language::kJapanese;
}  // namespace

void ChooseLanguage(Language language)
{
    g_language = language;
}

Language ChosenLanguage()
{
    return g_language;
}

unsigned short ResourceLanguageId()
{
    return g_language == Language::kJapanese ? 0x0411 : 0x0409;
}
