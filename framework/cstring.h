// CString: the framework's narrow string, in the system's ANSI code page.
// Bytes are kept as given; nothing here knows about characters.
#pragma once

#include <cstdarg>
#include <string>

class CString {
public:
    CString() = default;
    CString(const char* text) : m_text(text ? text : "") {}
    CString(const char* text, int length) : m_text(text, static_cast<size_t>(length)) {}

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    operator const char*() const { return m_text.c_str(); }
    char operator[](int index) const { return m_text[static_cast<size_t>(index)]; }

    // printf-style formatting; the result is as long as it needs to be.
    void Format(const char* format, ...);
    void FormatV(const char* format, va_list arguments);

    CString Left(int count) const { return CString(m_text.substr(0, Clamp(count))); }
    CString Mid(int first) const { return CString(m_text.substr(Clamp(first))); }

    CString& operator=(const char* text) { m_text = text ? text : ""; return *this; }
    CString& operator+=(const CString& other) { m_text += other.m_text; return *this; }
    CString& operator+=(const char* text) { m_text += text ? text : ""; return *this; }
    CString& operator+=(char c) { m_text += c; return *this; }

    // Byte-wise comparison: no case folding, no normalisation.
    int Compare(const char* other) const { return m_text.compare(other ? other : ""); }
    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    friend bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const char* b) { return !(a == b); }
    friend CString operator+(CString a, const CString& b) { return a += b; }
    friend CString operator+(CString a, const char* b) { return a += b; }
    friend CString operator+(const char* a, const CString& b) { return CString(a) += b; }

private:
    explicit CString(std::string text) : m_text(std::move(text)) {}
    size_t Clamp(int count) const {
        return count < 0 ? 0 : std::min(static_cast<size_t>(count), m_text.size());
    }

    std::string m_text;
};
