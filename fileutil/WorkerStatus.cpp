#include "WorkerStatus.h"

#include <new>

#include "ExactText.h"

void CWorkerStatus::AddFailure(const char* pszPath) {
    m_nFailed += 1;
    try {
        m_failures.AddTail(ShownText(pszPath)); // read by the user, never a path
    } catch (const std::bad_alloc&) {
        // Counted all the same: the result still says files are missing.
    }
}
