// A point in time in whole seconds, kept as a 64-bit time_t; converted to
// and from local time like the system's C runtime does.
#pragma once

#include <ctime>
#include "String.h"

class CTimeSpan {
public:
    explicit CTimeSpan(long long nSeconds = 0) : m_nSeconds(nSeconds) {}
    long long GetTotalSeconds() const { return m_nSeconds; }

private:
    long long m_nSeconds;
};

class CTime {
public:
    CTime() = default;
    explicit CTime(__time64_t time) : m_time(time) {}
    // From a file time in UTC: converted to local time, fractions of a second
    // dropped. A time the C runtime cannot represent gives -1.
    explicit CTime(const FILETIME& fileTime);
    CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);

    static CTime GetCurrentTime();

    __time64_t GetTime() const { return m_time; }
    bool IsValid() const { return m_time >= 0; }
    int GetYear() const { return Field(&tm::tm_year) + 1900; }
    int GetMonth() const { return Field(&tm::tm_mon) + 1; }
    int GetDay() const { return Field(&tm::tm_mday); }
    int GetHour() const { return Field(&tm::tm_hour); }
    int GetMinute() const { return Field(&tm::tm_min); }
    int GetSecond() const { return Field(&tm::tm_sec); }

    // strftime format in local time; "" for an invalid time.
    CString Format(const char* pszFormat) const;

    CTime operator+(CTimeSpan span) const { return CTime(m_time + span.GetTotalSeconds()); }
    CTime operator-(CTimeSpan span) const { return CTime(m_time - span.GetTotalSeconds()); }
    CTimeSpan operator-(CTime other) const { return CTimeSpan(m_time - other.m_time); }
    bool operator==(CTime other) const { return m_time == other.m_time; }
    bool operator!=(CTime other) const { return m_time != other.m_time; }
    bool operator<(CTime other) const { return m_time < other.m_time; }

private:
    int Field(int tm::*pField) const;

    __time64_t m_time = 0;
};
