// The compact work lists: what goes in comes back byte for byte and in the
// same order, however the paths are shaped, and an append that runs out of
// memory leaves the list as it was.
#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "WorkLists.h"

namespace {

TEST(FolderStore, TextsComeBackAsGivenAndSharedFoldersAreOne) {
    CFolderStore store;
    const char* texts[] = {"D:\\",         "D:\\a\\b",     "\\\\server\\share", "",
                           "\\",           "a\\\\b",       "E:\\表\\ソ",        "E:\\纊\\犾\\",
                           "relative\\名", "D:\\a\\b\\c\\"};
    std::vector<uint32_t> numbers;
    for (const char* psz : texts)
        numbers.push_back(store.Intern(psz));
    for (size_t i = 0; i < numbers.size(); ++i) {
        std::string strText;
        store.AppendText(numbers[i], strText);
        EXPECT_EQ(texts[i], strText);
    }
    // The same text, met again after others, is the same folder; a parent
    // met on its own is the folder its children were built on.
    EXPECT_EQ(numbers[1], store.Intern("D:\\a\\b"));
    uint32_t nParent = store.Intern("D:\\a");
    EXPECT_EQ(numbers[1], store.Intern("D:\\a\\b"));
    EXPECT_NE(nParent, numbers[1]);
    std::string strNone;
    store.AppendText(CFolderStore::NONE, strNone);
    EXPECT_EQ("", strNone);
}

std::vector<CCopyItem> ReadAll(const CCopyList& list) {
    std::vector<CCopyItem> items;
    CCopyList::CReader reader(list);
    CCopyItem item;
    while (reader.Next(item))
        items.push_back(item);
    return items;
}

std::vector<std::string> ReadAll(const CDeleteList& list) {
    std::vector<std::string> paths;
    CDeleteList::CReader reader(list);
    CString strPath;
    while (reader.Next(strPath))
        paths.push_back(strPath.str());
    return paths;
}

TEST(CopyList, ItemsComeBackInOrderWhateverTheirShape) {
    const CCopyItem items[] = {
        {"D:\\src\\a.txt", "E:\\m\\src\\a.txt", "src", 1},
        {"D:\\src\\表\\ソ.txt", "E:\\m\\src\\表\\ソ.txt", "src\\表", 1, true, 127},
        {"D:\\src\\b.txt", "E:\\m\\src\\b.txt", "src", 1, false, 128}, // a folder met before
        {"D:\\src\\c.txt", "E:\\m\\src\\c.txt", "src", 3}, // the same folders, another limit
        {"D:\\纊\\犾", "E:\\m\\纊\\犾", "纊", 99, true, 5ull << 32},   // names ending in 0x5C
        {"D:\\x.txt", "E:\\other name.txt", "D root", 0, true, ~0ull}, // the names differ
        {"\\\\server\\share\\f", "E:\\m\\share\\f", "", 2},            // an empty history name
        {"bare", "E:\\bare", "h", 1},                                  // no folder at all
        {"D:\\src\\\\double", "E:\\m\\\\double", "src", 1},
    };
    CCopyList list;
    for (const CCopyItem& item : items)
        list.Add(item.strSource, item.strMirror, item.strHistoryName, item.nHistoryLimit,
                 item.bChanged, item.nSize);
    ASSERT_EQ(static_cast<INT_PTR>(std::size(items)), list.GetCount());

    std::vector<CCopyItem> read = ReadAll(list);
    ASSERT_EQ(std::size(items), read.size());
    for (size_t i = 0; i < read.size(); ++i) {
        EXPECT_EQ(items[i].strSource, read[i].strSource) << i;
        EXPECT_EQ(items[i].strMirror, read[i].strMirror) << i;
        EXPECT_EQ(items[i].strHistoryName, read[i].strHistoryName) << i;
        EXPECT_EQ(items[i].nHistoryLimit, read[i].nHistoryLimit) << i;
        // What the survey found of the file: new or changed, and its size.
        EXPECT_EQ(items[i].bChanged, read[i].bChanged) << i;
        EXPECT_EQ(items[i].nSize, read[i].nSize) << i;
    }
    list.RemoveAll();
    EXPECT_EQ(0, list.GetCount());
    EXPECT_TRUE(ReadAll(list).empty());
}

TEST(CopyList, ManyItemsFillSeveralBlocksAndReadBackWhole) {
    CCopyList list;
    std::string strLongName(200, 'n');
    const int nItems = 3000; // about 600 KiB of names: several blocks
    for (int i = 0; i < nItems; ++i) {
        std::string strName = std::to_string(i) + strLongName;
        std::string strFolder = "\\d" + std::to_string(i % 7);
        list.Add(("D:\\s" + strFolder + "\\" + strName).c_str(),
                 ("E:\\m" + strFolder + "\\" + strName).c_str(), ("s" + strFolder).c_str(), i % 3);
    }
    std::vector<CCopyItem> read = ReadAll(list);
    ASSERT_EQ(static_cast<size_t>(nItems), read.size());
    for (int i = 0; i < nItems; i += 997) {
        std::string strFolder = "\\d" + std::to_string(i % 7);
        EXPECT_EQ("D:\\s" + strFolder + "\\" + std::to_string(i) + strLongName,
                  read[static_cast<size_t>(i)].strSource.str());
        EXPECT_EQ(i % 3, read[static_cast<size_t>(i)].nHistoryLimit);
    }
}

TEST(DeleteList, PathsComeBackInOrder) {
    const char* paths[] = {"E:\\m\\a", "E:\\m\\表\\b", "E:\\m\\c", "E:\\h\\bk3\\s\\纊",
                           "E:\\",     "name",         "E:\\m\\a"};
    CDeleteList list;
    for (const char* psz : paths)
        list.Add(psz);
    std::vector<std::string> read = ReadAll(list);
    ASSERT_EQ(std::size(paths), read.size());
    for (size_t i = 0; i < read.size(); ++i)
        EXPECT_EQ(paths[i], read[i]) << i;
}

TEST(WorkLists, AnAppendWithoutMemoryLeavesTheListAsItWas) {
    CCopyList copies;
    copies.Add("D:\\s\\a", "E:\\m\\a", "s", 1);
    copies.FailAllocationsAfter(1);
    copies.Add("D:\\s\\b", "E:\\m\\b", "s", 1);
    EXPECT_THROW(copies.Add("D:\\t\\c", "E:\\n\\c", "t", 2), std::bad_alloc);
    EXPECT_EQ(2, copies.GetCount());
    copies.FailAllocationsAfter(-1);
    copies.Add("D:\\s\\d", "E:\\m\\d", "s", 1);
    std::vector<CCopyItem> read = ReadAll(copies);
    ASSERT_EQ(3u, read.size());
    EXPECT_EQ("D:\\s\\b", read[1].strSource);
    EXPECT_EQ("D:\\s\\d", read[2].strSource);

    CDeleteList deletes;
    deletes.FailAllocationsAfter(0);
    EXPECT_THROW(deletes.Add("E:\\m\\a"), std::bad_alloc);
    EXPECT_EQ(0, deletes.GetCount());
    deletes.FailAllocationsAfter(-1);
    deletes.Add("E:\\m\\b");
    EXPECT_EQ(std::vector<std::string>{"E:\\m\\b"}, ReadAll(deletes));
}

} // namespace
