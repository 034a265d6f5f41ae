// The drag of a splitter bar: it starts only on the bar of a splitter that
// is on, holds the mouse until the release, keeps its line inside the range,
// and tells the move from the release point as delivered.
#include <gtest/gtest.h>

#include "Splitter.h"
#include "WindowTestSupport.h"

namespace {

// The cursor the splitter shows; the tests' resources have none, which
// leaves the arrow.
const UINT IDCUR_NONE = 1;

class Splitter : public CWindowTest {
protected:
    void SetUp() override {
        CWindowTest::SetUp();
        ASSERT_TRUE(
            m_wnd.CreateEx(0, "splitter", WS_OVERLAPPEDWINDOW, RECT{0, 0, 600, 400}, nullptr, 0));
        m_splitter.SetBar({150, 70, 155, 350});
        m_splitter.SetDragRange(7, 592);
    }
    void TearDown() override {
        ::ReleaseCapture();
        m_wnd.DestroyWindow();
        CWindowTest::TearDown();
    }
    // The release's move, or a text saying no drag ended.
    std::string Release(int x, int y) {
        int nMoved = 0;
        if (!m_splitter.OnButtonUp({x, y}, &nMoved))
            return "no drag";
        return std::to_string(nMoved);
    }

    CWnd m_wnd;
    CSplitter m_splitter{m_wnd, IDCUR_NONE};
};

TEST_F(Splitter, DragStartsOnTheBarOnlyAndHoldsTheMouseUntilTheRelease) {
    for (POINT outside : {POINT{200, 100}, POINT{152, 350}, POINT{149, 100}, POINT{155, 200}}) {
        m_splitter.OnButtonDown(outside);
        EXPECT_FALSE(m_splitter.IsDragging()) << outside.x << "," << outside.y;
        EXPECT_EQ(nullptr, ::GetCapture());
    }
    EXPECT_EQ("no drag", Release(152, 100));

    m_splitter.OnButtonDown({152, 70});
    EXPECT_TRUE(m_splitter.IsDragging());
    EXPECT_EQ(m_wnd.GetSafeHwnd(), ::GetCapture());
    EXPECT_EQ(152, m_splitter.GetDragX());
    // Up and down play no part.
    m_splitter.OnMouseMove({100, 500});
    EXPECT_EQ(100, m_splitter.GetDragX());
    EXPECT_EQ("-62", Release(90, -20));
    EXPECT_FALSE(m_splitter.IsDragging());
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_EQ("no drag", Release(90, 100));
}

TEST_F(Splitter, LineStaysInsideTheRangeWhileTheMoveIsTheReleasePoint) {
    m_splitter.OnButtonDown({152, 200});
    m_splitter.OnMouseMove({900, 200});
    EXPECT_EQ(592, m_splitter.GetDragX());
    m_splitter.OnMouseMove({-50, 200});
    EXPECT_EQ(7, m_splitter.GetDragX());
    EXPECT_EQ("-202", Release(-50, 200));

    // A window narrower than its margins: the right end wins.
    m_splitter.SetDragRange(7, 3);
    m_splitter.OnButtonDown({152, 200});
    m_splitter.OnMouseMove({5, 200});
    EXPECT_EQ(3, m_splitter.GetDragX());
    EXPECT_EQ("748", Release(900, 200));
}

TEST_F(Splitter, ABarThatIsOffStartsNoDragButOneUnderWayEnds) {
    m_splitter.Enable(false);
    m_splitter.OnButtonDown({152, 200});
    EXPECT_FALSE(m_splitter.IsDragging());
    EXPECT_EQ(nullptr, ::GetCapture());

    m_splitter.Enable(true);
    m_splitter.OnButtonDown({152, 200});
    m_splitter.Enable(false);
    m_splitter.OnMouseMove({300, 200});
    EXPECT_EQ(300, m_splitter.GetDragX());
    EXPECT_EQ("148", Release(300, 200));
    EXPECT_EQ(nullptr, ::GetCapture());
}

} // namespace
