// Chooses the language of the program's texts for a test's life; Japanese,
// the language before any choice, again after it.
#pragma once

#include "framework/language.h"

class LanguageScope {
public:
    explicit LanguageScope(Language language) { ChooseLanguage(language); }
    ~LanguageScope() { ChooseLanguage(Language::kJapanese); }
    LanguageScope(const LanguageScope&) = delete;
    LanguageScope& operator=(const LanguageScope&) = delete;
};
