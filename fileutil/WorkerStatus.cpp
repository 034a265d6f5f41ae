#include "WorkerStatus.h"

#include <new>

void CWorkerStatus::AddFailure(const char* pszPath) {
    m_nFailed += 1;
    try {
        m_failures.AddTail(CString(pszPath));
    } catch (const std::bad_alloc&) {
        // Counted all the same: the result still says files are missing.
    }
}
