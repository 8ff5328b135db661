// The language of everything the program shows, chosen once at start, before
// the first text; the program decides which.
#pragma once

enum class Language { kJapanese, kEnglish };

void ChooseLanguage(Language language);
Language ChosenLanguage();  // Japanese until a language is chosen
// The language identifier of the resources in the chosen language:
// 0x0411 (Japanese) or 0x0409 (English, United States).
unsigned short ResourceLanguageId();
