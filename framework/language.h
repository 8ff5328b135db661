// The language of everything the program shows, chosen once at start, before
// the first text: Japanese where the system's ANSI code page is 932, English
// wherever else, because Japanese bytes read in another code page are mojibake.
#pragma once

enum class Language { kJapanese, kEnglish };

const unsigned kJapaneseCodePage = 932;

Language LanguageForCodePage(unsigned ansiCodePage);
void ChooseLanguage(Language language);
Language ChosenLanguage();  // Japanese until a language is chosen
// The language identifier of the resources in the chosen language:
// 0x0411 (Japanese) or 0x0409 (English, United States).
unsigned short ResourceLanguageId();
