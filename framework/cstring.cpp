#include "framework/cstring.h"

#include <cstdio>

void CString::Format(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    FormatV(format, arguments);
    va_end(arguments);
}

#ifdef _WIN32
// msvcrt's _vsnprintf rather than the C99 vsnprintf, whose mingw-w64 version
// brings its own printf with floating point into the program. The C runtime
// of NT 4.0 and 98 answers -1 when the text does not fit and cannot size a
// text without writing it: a longer text is tried in ever larger buffers.
void CString::FormatV(const char* format, va_list arguments)
{
    char local[512];
    va_list attempt;
    va_copy(attempt, arguments);
    const int length = _vsnprintf(local, sizeof local, format, attempt);
    va_end(attempt);
    if (length >= 0 && static_cast<size_t>(length) < sizeof local) {
        m_text.assign(local, static_cast<size_t>(length));
        return;
    }
    const size_t kLimit = 64 * 1024 * 1024;
    for (size_t size = 2 * sizeof local; size <= kLimit; size *= 2) {
        std::string text(size, '\0');
        va_copy(attempt, arguments);
        const int written = _vsnprintf(&text[0], size, format, attempt);
        va_end(attempt);
        if (written >= 0 && static_cast<size_t>(written) < size) {
            text.resize(static_cast<size_t>(written));
            m_text.swap(text);
            return;
        }
    }
    m_text.clear();
}
#else
void CString::FormatV(const char* format, va_list arguments)
{
    va_list sizing;
    va_copy(sizing, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, sizing);
    va_end(sizing);
    if (length < 0) {
        m_text.clear();
        return;
    }
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::vsnprintf(&text[0], text.size(), format, arguments);
    text.resize(static_cast<size_t>(length));
    m_text.swap(text);
}
#endif
