#include "Time.h"

namespace {

bool ToLocalTm(__time64_t time, tm& out) {
    if (time < 0)
        return false;
    tm* p = _localtime64(&time);
    if (!p)
        return false;
    out = *p;
    return true;
}

__time64_t FromLocalFields(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec) {
    tm t = {};
    t.tm_year = nYear - 1900;
    t.tm_mon = nMonth - 1;
    t.tm_mday = nDay;
    t.tm_hour = nHour;
    t.tm_min = nMin;
    t.tm_sec = nSec;
    t.tm_isdst = -1;
    return _mktime64(&t);
}

} // namespace

CTime::CTime(const FILETIME& fileTime) {
    FILETIME local;
    SYSTEMTIME st;
    if (!FileTimeToLocalFileTime(&fileTime, &local) || !FileTimeToSystemTime(&local, &st)) {
        m_time = -1;
        return;
    }
    m_time = FromLocalFields(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
}

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
    : m_time(FromLocalFields(nYear, nMonth, nDay, nHour, nMin, nSec)) {}

CTime CTime::GetCurrentTime() {
    return CTime(_time64(nullptr));
}

int CTime::Field(int tm::*pField) const {
    tm t;
    return ToLocalTm(m_time, t) ? t.*pField : 0;
}

CString CTime::Format(const char* pszFormat) const {
    tm t;
    if (!ToLocalTm(m_time, t))
        return CString();
    char sz[256];
    size_t n = strftime(sz, sizeof sz, pszFormat, &t);
    return CString(sz, static_cast<int>(n));
}
