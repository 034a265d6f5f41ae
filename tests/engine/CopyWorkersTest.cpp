// Several copies at once: a run with many workers must end as one copy after
// the other would end it, in its warnings, its status and its history.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "BackupHarness.h"
#include "FileOps.h"
#include "ScratchTree.h"

namespace {

class CopyWorkersTest : public CBackupFixture {
protected:
    CopyWorkersTest() : CBackupFixture("workers", "src表") {}

    // Files of very different sizes, so that copies end out of their order:
    // f00 ... f39, every seventh of 4 MB.
    std::vector<CString> WriteMixedFiles() {
        std::vector<CString> paths;
        for (int i = 0; i < 40; ++i) {
            char sz[32];
            std::snprintf(sz, sizeof sz, "src表\\f%02d能.txt", i);
            paths.push_back(m_tree.WriteFile(sz, std::string(i % 7 ? 10 : 4 << 20, 'a' + i % 26)));
        }
        return paths;
    }

    // The source's files in the order the walk meets them (the list's order).
    std::vector<CString> ListOrder() const {
        std::vector<CString> order;
        WIN32_FIND_DATAA data;
        HANDLE h = FindFirstFileA(m_strSource + "\\*.*", &data);
        if (h == INVALID_HANDLE_VALUE)
            return order;
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                order.push_back(m_strSource + "\\" + data.cFileName);
        } while (FindNextFileA(h, &data));
        FindClose(h);
        return order;
    }

    // Large files copied beside the others too, so that a copy that takes
    // long is overtaken by those after it.
    CRunResult RunWith(int nWorkers) {
        CRunOptions options;
        options.nCopyWorkers = nWorkers;
        options.nAloneCopySize = 1ull << 40;
        return Run(options);
    }
};

// Holds a file open without sharing while it lives, as another program may.
class CLock {
public:
    explicit CLock(const char* pszPath)
        : m_h(CreateFileA(pszPath, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    ~CLock() { CloseHandle(m_h); }
    CLock(const CLock&) = delete;
    CLock& operator=(const CLock&) = delete;

private:
    HANDLE m_h;
};

std::string SharingWarning(const CString& strPath) {
    return ("Warning : " + strPath + " 排他的処理中の為コピーできません。\n").str();
}

TEST_F(CopyWorkersTest, WarningsComeInListOrderWhateverCopyEndsFirst) {
    std::vector<CString> paths = WriteMixedFiles();
    ASSERT_EQ(0, RunWith(8).nStatus);
    for (const CString& strPath : paths) {
        WriteWholeFile(strPath, ReadWholeFile(strPath) + "v2");
        SetWriteTime(strPath, 2021, 3, 4, 5, 6, 7);
    }
    std::vector<CString> order = ListOrder();
    std::vector<std::unique_ptr<CLock>> locks;
    std::string expected;
    int nHeldSources = 0;
    for (size_t i = 0; i < order.size(); ++i) {
        bool bLarge = ReadWholeFile(order[i]).size() > 1000;
        // A large file whose mirror another program holds fails only once
        // it is staged, long after the short failures of the files after
        // it, whose sources are held.
        if (bLarge || i % 3 == 1) {
            locks.push_back(
                std::make_unique<CLock>(bLarge ? Mirror(GetLastComponent(order[i])) : order[i]));
            expected += SharingWarning(order[i]);
            nHeldSources += !bLarge;
        }
    }
    CRunResult result = RunWith(8);
    EXPECT_EQ(0, result.nStatus);
    EXPECT_EQ(expected, result.strWarnings.str());
    // A held source counts in the total only, as the survey counted it.
    EXPECT_EQ(40, result.nTotal);
    EXPECT_EQ(40 - nHeldSources, result.nUpdated);
}

TEST_F(CopyWorkersTest, AFailureThatStopsTheRunStopsItAtItsOwnLine) {
    WriteMixedFiles();
    std::vector<CString> order = ListOrder();
    ASSERT_EQ(40u, order.size());
    // The mirror of the 20th file is a folder (one the removal pass does
    // not remove at once): its copy cannot replace it, which stops the run
    // with the system's error code.
    const size_t nBlocked = 20;
    ASSERT_TRUE(WriteWholeFile(Mirror(GetLastComponent(order[nBlocked])) + "\\in.txt", "x"));
    std::vector<std::unique_ptr<CLock>> locks;
    std::string expected;
    for (size_t i = 2; i < order.size(); i += 5) {
        locks.push_back(std::make_unique<CLock>(order[i]));
        if (i < nBlocked)
            expected += SharingWarning(order[i]);
    }
    CRunResult result = RunWith(8);
    EXPECT_EQ(ERROR_ACCESS_DENIED, result.nStatus);
    // Only the lines before it speak; nothing after it was reported.
    EXPECT_EQ(expected, result.strWarnings.str());
    for (size_t i = 0; i < nBlocked; ++i)
        if (i % 5 != 2) {
            EXPECT_EQ(ReadWholeFile(order[i]), ReadWholeFile(Mirror(GetLastComponent(order[i]))))
                << order[i];
        }
}

// Two entries of the same folder name share their history: their files of
// the same name rotate through the same generations, and the second
// entry's copy must go in after the first's, whichever worker is faster.
TEST_F(CopyWorkersTest, FilesSharingAHistoryFileShiftOneAfterTheOther) {
    CString strOther = m_tree.MakeFolder("other\\src表");
    auto second = MakeSource(strOther, m_strDestination, "3");
    second->m_strMirror = m_strDestination + "\\src表(1)";
    CBackupSource::SetOption(m_source->m_szHistory, "3");
    std::vector<CBackupSource*> both{m_source.get(), second.get()};
    CRunOptions options;
    options.nCopyWorkers = 8;
    auto Generation = [&](int n) {
        char sz[64];
        std::snprintf(sz, sizeof sz, "\\mrq HistoryFolder\\bk%d\\src表\\十.txt", n);
        return ReadWholeFile(m_strDestination + sz);
    };
    for (int nVersion = 1; nVersion <= 5; ++nVersion) {
        for (const char* pszEntry : {"src表", "other\\src表"}) {
            CString strPath =
                m_tree.WriteFile(CString(pszEntry) + "\\十.txt",
                                 std::string(pszEntry) + " v" + std::to_string(nVersion));
            SetWriteTime(strPath, 2020, 1, nVersion, 0, 0, 0);
        }
        ASSERT_EQ(0, RunBackup(both, m_strDestination, options).nStatus);
        if (nVersion < 3)
            continue;
        auto Version = [](const char* pszEntry, int n) {
            return std::string(pszEntry) + " v" + std::to_string(n);
        };
        EXPECT_EQ(Version("other\\src表", nVersion - 1), Generation(1)) << nVersion;
        EXPECT_EQ(Version("src表", nVersion - 1), Generation(2)) << nVersion;
        EXPECT_EQ(Version("other\\src表", nVersion - 2), Generation(3)) << nVersion;
    }
}

} // namespace
