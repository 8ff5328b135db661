// CStringArray: the framework's growable array of strings, indexed from 0.
#pragma once

#include "framework/cstring.h"

#include <vector>

class CStringArray {
public:
    int GetSize() const { return static_cast<int>(m_items.size()); }
    const CString& GetAt(int index) const { return m_items.at(static_cast<size_t>(index)); }
    const CString& operator[](int index) const { return GetAt(index); }
    int Add(const CString& item) { m_items.push_back(item); return GetSize() - 1; }
    void RemoveAt(int index) { m_items.erase(m_items.begin() + Checked(index)); }

private:
    std::ptrdiff_t Checked(int index) const {
        (void)m_items.at(static_cast<size_t>(index));
        return index;
    }
    std::vector<CString> m_items;
};
