// Mirror folder assignment. Each entry takes destination\name, or the first
// of name(1), name(2), ... that no entry holds at that moment: entries
// before it already hold their new mirrors, entries after it still hold
// those of the last load or save.
#include "MrqDoc.h"

#include <string>
#include <unordered_map>

#include "PathText.h"

namespace {

std::string WithSuffix(const std::string& base, int n) {
    return n == 0 ? base : base + "(" + std::to_string(n) + ")";
}

// The mirrors the entries hold, for lookups in constant time. A set of
// many entries with the same folder name would otherwise cost a scan of
// the whole list for every suffix tried.
class CMirrorIndex {
public:
    explicit CMirrorIndex(const CObList& sources) {
        for (POSITION pos = sources.GetHeadPosition(); pos;)
            ++m_held[GetNextSource(sources, pos)->m_strMirror.str()];
    }

    void Release(const std::string& mirror) {
        auto it = m_held.find(mirror);
        if (it == m_held.end() || --it->second > 0)
            return;
        m_held.erase(it);
        // A freed name may be the first free one of its base again.
        LowerFloor(mirror, 0);
        std::string base;
        int n = 0;
        if (SplitSuffix(mirror, base, n))
            LowerFloor(base, n);
    }

    // The first free name of base, now held.
    std::string Take(const std::string& base) {
        int& nFloor = m_floor[base];
        int n = nFloor;
        while (m_held.count(WithSuffix(base, n)))
            ++n;
        nFloor = n + 1;
        std::string name = WithSuffix(base, n);
        ++m_held[name];
        return name;
    }

private:
    void LowerFloor(const std::string& base, int n) {
        auto it = m_floor.find(base);
        if (it != m_floor.end() && it->second > n)
            it->second = n;
    }

    // "name(12)" -> "name", 12: the form WithSuffix gives, nothing else.
    static bool SplitSuffix(const std::string& name, std::string& base, int& n) {
        size_t nOpen = name.rfind('(');
        if (nOpen == std::string::npos || name.size() < nOpen + 3 || name.back() != ')')
            return false;
        std::string digits = name.substr(nOpen + 1, name.size() - nOpen - 2);
        if (digits[0] == '0' || digits.size() > 9 ||
            digits.find_first_not_of("0123456789") != std::string::npos)
            return false;
        base = name.substr(0, nOpen);
        n = std::stoi(digits);
        return true;
    }

    std::unordered_map<std::string, int> m_held;  // mirror -> entries holding it
    std::unordered_map<std::string, int> m_floor; // base -> every suffix below is held
};

} // namespace

void CMrqDoc::AssignMirrors() {
    CString strDestination(m_strDestination);
    AddBackslash(strDestination);
    CMirrorIndex index(m_sources);
    for (POSITION pos = m_sources.GetHeadPosition(); pos;) {
        CBackupSource* pSource = GetNextSource(m_sources, pos);
        index.Release(pSource->m_strMirror.str());
        pSource->m_strMirror.Empty();
        CString strBase = strDestination + GetLastComponent(pSource->m_strFolder);
        pSource->m_strMirror = CString(index.Take(strBase.str()));
    }
}
