// Which files the shell must open to find their icons, and the icon cache
// asking the shell by the name alone for all the others.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "IconCache.h"
#include "IconSource.h"
#include "ImageList.h"

namespace {

// Types registered for the test in the class root (and removed after it).
const char* const kTestKeys[] = {".mrqown",  "mrqown_file",  ".mrqhandler", "mrqhandler_file",
                                 ".mrqtype", "mrqtype_file", ".mrqdirect"};

void SetClassValue(const char* pszKey, const char* pszValue) {
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CLASSES_ROOT, pszKey, 0, nullptr, 0,
                                               KEY_ALL_ACCESS, nullptr, &hKey, nullptr));
    if (pszValue)
        ::RegSetValueExA(hKey, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(pszValue),
                         static_cast<DWORD>(std::strlen(pszValue) + 1));
    ::RegCloseKey(hKey);
}

class IconSourceTest : public testing::Test {
protected:
    void SetUp() override {
        TearDown();
        SetClassValue(".mrqown", "mrqown_file");
        SetClassValue("mrqown_file\\DefaultIcon", "\"%1\"");
        SetClassValue(".mrqhandler", "mrqhandler_file");
        SetClassValue("mrqhandler_file\\DefaultIcon", "shell32.dll,3");
        SetClassValue("mrqhandler_file\\shellex\\IconHandler",
                      "{00021401-0000-0000-C000-000000000046}");
        SetClassValue(".mrqtype", "mrqtype_file");
        SetClassValue("mrqtype_file\\DefaultIcon", "shell32.dll,1");
        SetClassValue(".mrqdirect\\DefaultIcon", "%1,0");
    }
    void TearDown() override {
        for (const char* pszKey : kTestKeys)
            ::RegDeleteTreeA(HKEY_CLASSES_ROOT, pszKey);
    }
};

TEST_F(IconSourceTest, OnlyTypesWhoseIconComesFromTheFileAskForTheFile) {
    // Programs, shortcuts, icons and cursors, in any letter case.
    for (const char* pszPath : {"C:\\a\\setup.exe", "C:\\a\\SETUP.EXE", "C:\\a\\link.lnk",
                                "C:\\a\\b.ico", "C:\\a\\c.cur", "C:\\a\\d.ani"})
        EXPECT_TRUE(HasIconOfItsOwn(pszPath)) << pszPath;
    // Registered with "%1" (on the type or on the extension itself) or an
    // icon handler.
    for (const char* pszPath :
         {"C:\\a\\x.mrqown", "C:\\a\\x.MRQOWN", "C:\\a\\x.mrqhandler", "C:\\a\\x.mrqdirect"})
        EXPECT_TRUE(HasIconOfItsOwn(pszPath)) << pszPath;
    // One icon for the type, an unknown type, no extension at all.
    for (const char* pszPath : {"C:\\a\\x.mrqtype", "C:\\a\\x.txt", "C:\\a\\x.mrqnone",
                                "C:\\a\\noext", "C:\\a\\dot.", "C:\\", ""})
        EXPECT_FALSE(HasIconOfItsOwn(pszPath)) << pszPath;
    // The extension is the name's, not a folder's; the byte 0x5C that ends
    // 表, ソ and 纊 is no backslash.
    EXPECT_FALSE(HasIconOfItsOwn("C:\\tools.exe\\readme"));
    EXPECT_FALSE(HasIconOfItsOwn("C:\\tools.exe\\表"));
    EXPECT_FALSE(HasIconOfItsOwn("C:\\ソ.lnk\\纊"));
    EXPECT_TRUE(HasIconOfItsOwn("C:\\表\\ソ.exe"));
    EXPECT_TRUE(HasIconOfItsOwn("C:\\a.txt\\纊.LNK"));
}

TEST_F(IconSourceTest, TypeIconsAreFoundByNameWithoutTheFile) {
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 4));
    CIconCache cache;
    // Files that do not exist: the type's icon needs only the name, the
    // icon of a program needs the program.
    CIconEntry* pText = cache.GetFileIcon("C:\\mrq-no-such-folder\\表.txt", images);
    ASSERT_NE(nullptr, pText);
    EXPECT_EQ(pText, cache.GetFileIcon("C:\\mrq-no-such-folder\\other.TXT", images));
    EXPECT_EQ(nullptr, cache.GetFileIcon("C:\\mrq-no-such-folder\\setup.exe", images));
    // A program that exists has its icon.
    char szSystem[MAX_PATH] = {};
    ASSERT_NE(0u, ::GetSystemDirectoryA(szSystem, MAX_PATH));
    EXPECT_NE(nullptr,
              cache.GetFileIcon((std::string(szSystem) + "\\notepad.exe").c_str(), images));
    EXPECT_EQ(static_cast<int>(cache.GetCount()), images.GetImageCount());
}

} // namespace
