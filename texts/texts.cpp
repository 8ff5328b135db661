#include "texts/texts.h"


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

TextArgument::TextArgument(int number)
{
    m_text.Format("%d", number);
}

// No trail byte of a double-byte character of code page 932 is a '%' or a
// digit, so the texts are scanned byte by byte.
CString FormatText(const Message& message)
{
    CString text;
    for (const char* c = Text(message.text); *c != '\0'; ++c) {
        if (c[0] == '%' && c[1] >= '1' && c[1] <= '9') {
            const size_t number = static_cast<size_t>(*++c - '1');
            if (number < message.arguments.size())
                text += message.arguments[number].Value();
        } else {
            text += *c;
            if (c[0] == '%' && c[1] == '%')
                ++c;
        }
    }
    return text;
}

int TextCount()
{
    return static_cast<int>(sizeof kEntries / sizeof kEntries[0]);
}
