// Where a path of the mirror goes back to: through the mirror each entry
// holds, suffixed mirrors included, and never outside the source folder.
#include <gtest/gtest.h>

#include "MrqDoc.h"
#include "RestoreTarget.h"

namespace {

CBackupSource* AddSource(CMrqDoc& doc, const char* pszFolder, const char* pszMirror) {
    CBackupSource* pSource = new CBackupSource(pszFolder);
    pSource->m_strMirror = pszMirror;
    doc.m_sources.AddTail(pSource);
    return pSource;
}

struct CMapCase {
    const char* pszItem;
    const char* pszTarget;
};

void ExpectTargets(const CMrqDoc& doc, std::initializer_list<CMapCase> cases) {
    for (const CMapCase& c : cases)
        EXPECT_STREQ(c.pszTarget, MapRestoreTarget(doc, c.pszItem)) << c.pszItem;
}

} // namespace

TEST(MapRestoreTargetTest, EachMirrorGoesBackToItsOwnSource) {
    for (const char* pszDestination : {"F:\\bk", "F:\\bk\\"}) {
        CMrqDoc doc;
        doc.m_strDestination = pszDestination;
        AddSource(doc, "G:\\a\\data", "F:\\bk\\data");
        AddSource(doc, "D:\\data", "F:\\bk\\data(1)");
        AddSource(doc, "D:\\", "F:\\bk\\D root");
        AddSource(doc, "E:\\表", "F:\\bk\\表");
        AddSource(doc, "E:\\x\\new", ""); // registered since the last save
        ExpectTargets(doc, {
                               {"F:\\bk\\data", "G:\\a\\data"},
                               {"F:\\bk\\data\\sub\\a.txt", "G:\\a\\data\\sub\\a.txt"},
                               {"F:\\bk\\data(1)", "D:\\data"},
                               {"F:\\bk\\data(1)\\x.txt", "D:\\data\\x.txt"},
                               {"F:\\bk\\D root\\x.txt", "D:\\x.txt"},
                               {"F:\\bk\\表\\ソ\\能.txt", "E:\\表\\ソ\\能.txt"},
                               {"F:\\bk\\new\\a.txt", "E:\\x\\new\\a.txt"},
                               {"F:\\bk\\data(2)\\a.txt", ""},
                               {"F:\\bk\\other\\a.txt", ""},
                               {"F:\\bk\\mrq HistoryFolder\\bk1\\data\\a.txt", ""},
                               {"F:\\bk", ""},
                               {"F:\\bkdata\\a.txt", ""},
                               {"F:\\bk\\data\\..\\..\\x.txt", ""},
                               {"F:\\bk\\data\\.\\x.txt", ""},
                           });
        // The source folder comes along, as the spare folder of the copies.
        CString strFolder;
        EXPECT_STREQ("D:\\x.txt", MapRestoreTarget(doc, "F:\\bk\\D root\\x.txt", &strFolder));
        EXPECT_STREQ("D:\\", strFolder);
    }
}

TEST(MapRestoreTargetTest, MirrorsThatNoSaveWouldAssignTakeNothing) {
    // From a hand-edited data file: a mirror that is the destination itself,
    // one above it, one from another destination. None of them may pull the
    // items of other mirrors into its source.
    CMrqDoc doc;
    doc.m_strDestination = "F:\\bk";
    AddSource(doc, "D:\\whole", "F:\\bk");
    AddSource(doc, "D:\\above", "F:\\");
    AddSource(doc, "D:\\stale", "H:\\old\\data");
    AddSource(doc, "D:\\data", "F:\\bk\\data(1)");
    AddSource(doc, "relative", "F:\\bk\\rel");
    // Folder texts the backup refuses: they name no folder plainly.
    AddSource(doc, "D:\\a\\..\\..\\Windows", "F:\\bk\\Windows");
    AddSource(doc, "D:\\b\\..\\sys", "");
    AddSource(doc, "D:\\CON", "F:\\bk\\CON");
    ExpectTargets(doc, {
                           {"F:\\bk\\data(1)\\x.txt", "D:\\data\\x.txt"},
                           {"F:\\bk\\data\\x.txt", ""},
                           {"H:\\old\\data\\x.txt", ""},
                           {"F:\\bk\\rel\\x.txt", ""},
                           {"F:\\bk\\Windows\\x.txt", ""},
                           {"F:\\bk\\Windows", ""},
                           {"F:\\bk\\sys\\x.txt", ""},
                           {"F:\\bk\\CON\\x.txt", ""},
                       });
}
