// The log panel of the main view: what AppendLog adds, what the panel
// shows, and the scroll bar whose arrows move it a line at a time.
#include "ViewHarness.h"

#include "LogBuffer.h"

namespace {

class MrqViewLogTest : public CMrqViewTest {
protected:
    void SetUp() override {
        CMrqViewTest::SetUp();
        Start();
    }
    CString Panel() const { return ControlText(IDC_LOG_TEXT); }
    void Arrow(int nCode) {
        View()->SendMessage(WM_VSCROLL, MAKEWPARAM(nCode, 0),
                            reinterpret_cast<LPARAM>(Control(IDC_LOG_SCROLL)));
    }
    int Thumb() const { return LogScroll().GetScrollPos(); }
};

TEST_F(MrqViewLogTest, OpeningLineAloneAndNeitherArrowMovesIt) {
    EXPECT_EQ(CString("mrq BackupTool LogView\n"), Panel());
    int nMin = -1, nMax = -1;
    LogScroll().GetScrollRange(&nMin, &nMax);
    EXPECT_EQ(0, nMin);
    EXPECT_EQ(4, nMax);
    EXPECT_EQ(2, Thumb());
    Arrow(SB_LINEUP);
    Arrow(SB_LINEDOWN);
    EXPECT_EQ(0, LogBuffer().m_nTop);
    EXPECT_EQ(CString("mrq BackupTool LogView\n"), Panel());
}

TEST_F(MrqViewLogTest, AppendLogJoinsTheGivenParts) {
    View()->GetLog().Append("a", nullptr, "c");
    EXPECT_EQ(CString("mrq BackupTool LogView\nac\n"), Panel());
    View()->GetLog().Append(nullptr, "x", "y"); // adds nothing
    EXPECT_EQ(2, LogBuffer().m_nLines);
    View()->GetLog().Append("データファイル ", "D:\\表\\a.mrd", " を読み込みました。");
    View()->GetLog().Append("E:\\ソ", " をバックアップ元に登録しました。");
    EXPECT_EQ(CString("ac\nデータファイル D:\\表\\a.mrd を読み込みました。\n"
                      "E:\\ソ をバックアップ元に登録しました。\n"),
              Panel());
}

TEST_F(MrqViewLogTest, ArrowsMoveOneLineAndTheThumbReturnsToTheMiddle) {
    View()->GetLog().Append("2");
    View()->GetLog().Append("3");
    View()->GetLog().Append("4");
    EXPECT_EQ(CString("2\n3\n4\n"), Panel());
    Arrow(SB_LINEUP);
    EXPECT_EQ(CString("mrq BackupTool LogView\n2\n3\n4\n"), Panel());
    EXPECT_EQ(2, Thumb());
    Arrow(SB_LINEUP);
    EXPECT_EQ(0, LogBuffer().m_nTop);
    Arrow(SB_LINEDOWN);
    Arrow(SB_LINEDOWN);
    Arrow(SB_LINEDOWN);
    EXPECT_EQ(CString("4\n"), Panel());
    Arrow(SB_LINEDOWN); // the newest line stays
    EXPECT_EQ(CString("4\n"), Panel());

    // Page areas and the thumb do nothing but put the thumb back.
    LogScroll().SetScrollPos(4);
    Arrow(SB_PAGEUP);
    Arrow(SB_THUMBTRACK);
    EXPECT_EQ(CString("4\n"), Panel());
    EXPECT_EQ(2, Thumb());

    // A new line shows the newest three again.
    View()->GetLog().Append("5");
    EXPECT_EQ(CString("3\n4\n5\n"), Panel());
}

TEST_F(MrqViewLogTest, TwoLinesScrolledDownStayThereWhenAThirdComes) {
    View()->GetLog().Append("2");
    Arrow(SB_LINEDOWN);
    EXPECT_EQ(CString("2\n"), Panel());
    View()->GetLog().Append("3");
    EXPECT_EQ(CString("2\n3\n"), Panel());
}

TEST_F(MrqViewLogTest, FiftyLinesAreKeptAndTheNewestThreeShown) {
    for (int i = 2; i <= 51; i++)
        View()->GetLog().Append(std::to_string(i).c_str());
    EXPECT_EQ(50, LogBuffer().m_nLines);
    EXPECT_EQ(0, LogBuffer().m_strText.Find("2\n")); // the opening line went
    EXPECT_EQ(CString("49\n50\n51\n"), Panel());
}

TEST_F(MrqViewLogTest, LogSurvivesANewDocumentAndKeepsFileLines) {
    View()->GetLog().Append("kept");
    m_pApp->OnFileNew();
    EXPECT_EQ(3, LogBuffer().m_nLines);
    EXPECT_EQ(0, LogBuffer().m_strText.Find("mrq BackupTool LogView\nkept\n"));
}

} // namespace
