// The texts the program shows, looked up in the language chosen at start
// (framework/language.h). The texts themselves are in texts/catalogue.h.
#pragma once

#include "framework/cstring.h"
#include "framework/language.h"

#include <initializer_list>
#include <vector>

enum class TextId {
#define TESSERA_TEXT(name, japanese, english) name,
#include "texts/catalogue.h"
#undef TESSERA_TEXT
};

const char* Text(TextId id);
const char* Text(TextId id, Language language);
// One argument of a text: a name, a path or a number.
class TextArgument {
public:
    TextArgument(const char* text) : m_text(text) {}
    TextArgument(const CString& text) : m_text(text) {}
    TextArgument(int number);
    const CString& Value() const { return m_text; }

private:
    CString m_text;
};

// A text decided but not yet written: which text, and its arguments. The
// rules answer these; what shows them writes them, once.
struct Message {
    TextId text;
    std::vector<TextArgument> arguments;
};

// The text in the chosen language with each %1 to %9 replaced by the argument
// of that number (one that was not given by nothing) and %% by a percent sign.
CString FormatText(const Message& message);
inline CString FormatText(TextId format, std::initializer_list<TextArgument> arguments)
{
    return FormatText(Message{format, arguments});
}

// Every identifier, for the tests that read the whole catalogue.
int TextCount();
