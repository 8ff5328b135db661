// A handle that closes itself however its scope is left, an exception
// included: a search handle (FindClose) or a kernel object (CloseHandle).
#pragma once

#include <windows.h>

template <BOOL(WINAPI* Close)(HANDLE)>
class OwnedHandle {
public:
    explicit OwnedHandle(HANDLE handle) : m_handle(handle) {}
    ~OwnedHandle()
    {
        if (IsValid())
            Close(m_handle);
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;

    bool IsValid() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};

typedef OwnedHandle<::FindClose> SearchHandle;
typedef OwnedHandle<::CloseHandle> FileHandle;
