// Mirror folder assignment. Each entry takes destination\name, or the first
// of name(1), name(2), ... that no entry holds at that moment: entries
// before it already hold their new mirrors, entries after it still hold
// those of the last load or save.
//
// Names are compared with letter case folded, as the file system compares
// them: two entries named Data and data would otherwise share one folder and
// delete each other's files. The names of the history folder and of the run
// log's folder are never given out,
// and an entry whose folder has no real name for a mirror (D:\a\.., say)
// gets none, so that a run refuses it instead of mirroring into the
// destination itself.
#include "HistoryFolder.h"
#include "MrqDoc.h"
#include "RunLog.h"

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
    CMirrorIndex(const CObList& sources, const CString& strDestination) {
        for (POSITION pos = sources.GetHeadPosition(); pos;)
            ++m_held[Key(GetNextSource(sources, pos)->m_strMirror.str())];
        ++m_held[Key((strDestination + HISTORY_FOLDER_NAME).str())];
        ++m_held[Key((strDestination + RUN_LOG_FOLDER_NAME).str())];
    }

    void Release(const std::string& mirror) {
        auto it = m_held.find(Key(mirror));
        if (it == m_held.end() || --it->second > 0)
            return;
        m_held.erase(it);
        // A freed name may be the first free one of its base again.
        LowerFloor(Key(mirror), 0);
        std::string base;
        int n = 0;
        if (SplitSuffix(mirror, base, n))
            LowerFloor(Key(base), n);
    }

    // The first free name of base, now held.
    std::string Take(const std::string& base) {
        int& nFloor = m_floor[Key(base)];
        int n = nFloor;
        while (m_held.count(Key(WithSuffix(base, n))))
            ++n;
        nFloor = n + 1;
        std::string name = WithSuffix(base, n);
        ++m_held[Key(name)];
        return name;
    }

private:
    static std::wstring Key(const std::string& name) { return FoldCase(name); }

    void LowerFloor(const std::wstring& base, int n) {
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

    std::unordered_map<std::wstring, int> m_held;  // folded mirror -> entries holding it
    std::unordered_map<std::wstring, int> m_floor; // folded base -> every suffix below is held
};

// The folder's last component ("D root" for a drive root), or "" when the
// folder has none that is a real name.
CString MirrorName(const CString& strFolder) {
    CString strNormal;
    if (!NormalizeFolderPath(strFolder, strNormal))
        return CString();
    CString strName = GetLastComponent(strNormal);
    return IsRealName(strName) ? strName : CString();
}

} // namespace

void CMrqDoc::AssignMirrors() {
    CString strDestination(m_strDestination);
    AddBackslash(strDestination);
    CMirrorIndex index(m_sources, strDestination);
    for (POSITION pos = m_sources.GetHeadPosition(); pos;) {
        CBackupSource* pSource = GetNextSource(m_sources, pos);
        index.Release(pSource->m_strMirror.str());
        pSource->m_strMirror.Empty();
        CString strName = MirrorName(pSource->m_strFolder);
        if (!strName.IsEmpty())
            pSource->m_strMirror = CString(index.Take((strDestination + strName).str()));
    }
}
