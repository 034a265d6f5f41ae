// The one owner of a kernel handle: a mutex, an event, a thread, an open
// file (CHandle) or a file search (CFindHandle). It closes the handle when
// it goes, so no path forgets the close or makes it twice:
//
//     CHandle hFile(CreateFileA(...));
//     if (!hFile.IsValid())
//         return false;
//     ReadFile(hFile, ...); // closed at the end of the scope
//
// Both null and INVALID_HANDLE_VALUE mean "no handle": the system returns
// one or the other for a failure, depending on the call. The holder passes
// as a plain HANDLE to the system's functions, except to the one that
// closes it: Close() and Reset() do that.
#pragma once

#include "Types.h"

template <BOOL(WINAPI* pfnClose)(HANDLE)> class CHandleOf {
public:
    CHandleOf() = default;
    explicit CHandleOf(HANDLE h) : m_h(h) {}
    CHandleOf(CHandleOf&& other) noexcept : m_h(other.Release()) {}
    CHandleOf& operator=(CHandleOf&& other) noexcept {
        Reset(other.Release());
        return *this;
    }
    CHandleOf(const CHandleOf&) = delete;
    CHandleOf& operator=(const CHandleOf&) = delete;
    ~CHandleOf() { CloseKeepingLastError(); }

    operator HANDLE() const { return m_h; }
    bool IsValid() const { return m_h != nullptr && m_h != INVALID_HANDLE_VALUE; }

    // Closes the handle now; true when there was one and it closed.
    bool Close() {
        HANDLE h = Release();
        return h != nullptr && h != INVALID_HANDLE_VALUE && pfnClose(h) != FALSE;
    }
    // Closes the handle held and takes h instead (say, the result of the
    // call that made h, whose last error the caller may still read).
    void Reset(HANDLE h = nullptr) {
        CloseKeepingLastError();
        m_h = h;
    }
    // Lets go of the handle without closing it.
    HANDLE Release() {
        HANDLE h = m_h;
        m_h = nullptr;
        return h;
    }

private:
    // A close at the end of a scope, or before a new handle is taken, keeps
    // the last error that the code before it left for its caller.
    void CloseKeepingLastError() {
        DWORD dwError = ::GetLastError();
        Close();
        ::SetLastError(dwError);
    }

    HANDLE m_h = nullptr;
};

typedef CHandleOf<::CloseHandle> CHandle;
typedef CHandleOf<::FindClose> CFindHandle;
