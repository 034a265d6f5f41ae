// The linked lists: links stay consistent through removals at either end and
// in the middle, positions walk both ways, and a failed append leaves the
// list exactly as it was.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ObList.h"
#include "StringList.h"

namespace {

std::vector<std::string> Forward(const CStringList& list) {
    std::vector<std::string> out;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        out.push_back(list.GetNext(pos).str());
    return out;
}

std::vector<std::string> Backward(const CStringList& list) {
    std::vector<std::string> out;
    for (POSITION pos = list.GetTailPosition(); pos;)
        out.push_back(list.GetPrev(pos).str());
    return out;
}

typedef std::vector<std::string> Texts;

} // namespace

TEST(List, EmptyListHasNoPositions) {
    CStringList list;
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(0, list.GetCount());
    EXPECT_EQ(nullptr, list.GetHeadPosition());
    EXPECT_EQ(nullptr, list.GetTailPosition());
    EXPECT_EQ(nullptr, list.FindIndex(0));
    EXPECT_EQ(nullptr, list.Find("x"));
}

TEST(List, AddAtBothEndsAndWalkBothWays) {
    CStringList list;
    list.AddTail("表");
    list.AddTail("ソ");
    list.AddHead("能");
    EXPECT_EQ(3, list.GetCount());
    EXPECT_EQ((Texts{"能", "表", "ソ"}), Forward(list));
    EXPECT_EQ((Texts{"ソ", "表", "能"}), Backward(list));
    EXPECT_EQ("能", list.GetHead());
    EXPECT_EQ("ソ", list.GetTail());
}

TEST(List, FindAndFindIndex) {
    CStringList list;
    list.AddTail("a");
    POSITION posB = list.AddTail("b");
    list.AddTail("b");
    EXPECT_EQ(posB, list.Find("b"));
    EXPECT_EQ(nullptr, list.Find("B"));
    EXPECT_EQ(posB, list.FindIndex(1));
    EXPECT_EQ(nullptr, list.FindIndex(3));
    EXPECT_EQ(nullptr, list.FindIndex(-1));
    list.GetAt(list.FindIndex(2)) = "c";
    EXPECT_EQ((Texts{"a", "b", "c"}), Forward(list));
}

TEST(List, RemovalKeepsBothDirectionsLinked) {
    CStringList list;
    for (const char* psz : {"1", "2", "3", "4", "5"})
        list.AddTail(psz);
    list.RemoveAt(list.FindIndex(2)); // middle
    list.RemoveAt(list.GetTailPosition());
    EXPECT_EQ("1", list.RemoveHead());
    EXPECT_EQ((Texts{"2", "4"}), Forward(list));
    EXPECT_EQ((Texts{"4", "2"}), Backward(list));
    EXPECT_EQ(2, list.GetCount());

    list.RemoveAt(list.GetHeadPosition());
    list.RemoveAt(list.GetHeadPosition());
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(nullptr, list.GetTailPosition());
    // Appends after emptying must relink head and tail.
    list.AddHead("x");
    list.AddTail("y");
    EXPECT_EQ((Texts{"x", "y"}), Forward(list));
    EXPECT_EQ((Texts{"y", "x"}), Backward(list));

    list.RemoveAll();
    EXPECT_EQ(0, list.GetCount());
    EXPECT_EQ(nullptr, list.GetHeadPosition());
}

TEST(List, FailedAppendLeavesTheListUnchanged) {
    CStringList list;
    list.AddTail("a");
    list.FailAllocationsAfter(2);
    list.AddTail("b");
    list.AddHead("c");
    EXPECT_THROW(list.AddTail("d"), std::bad_alloc);
    EXPECT_THROW(list.AddHead("e"), std::bad_alloc);
    EXPECT_EQ(3, list.GetCount());
    EXPECT_EQ((Texts{"c", "a", "b"}), Forward(list));
    EXPECT_EQ((Texts{"b", "a", "c"}), Backward(list));

    list.FailAllocationsAfter(-1);
    list.AddTail("f");
    EXPECT_EQ((Texts{"c", "a", "b", "f"}), Forward(list));
}

TEST(List, FailureAtOnceOnAnEmptyList) {
    CStringList list;
    list.FailAllocationsAfter(0);
    EXPECT_THROW(list.AddHead("a"), std::bad_alloc);
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(nullptr, list.GetHeadPosition());
    EXPECT_EQ(nullptr, list.GetTailPosition());
}

namespace {

class CCounted : public CObject {
public:
    explicit CCounted(int& nAlive) : m_nAlive(nAlive) { ++m_nAlive; }
    ~CCounted() override { --m_nAlive; }

private:
    int& m_nAlive;
};

} // namespace

TEST(List, ObjectListOwnsNothing) {
    int nAlive = 0;
    {
        CObList list;
        CCounted a(nAlive);
        list.AddTail(&a);
        list.AddTail(new CCounted(nAlive));
        EXPECT_EQ(&a, list.GetHead());
        EXPECT_EQ(list.GetHeadPosition(), list.Find(&a));
        // The owner destroys its entries through the virtual destructor.
        EXPECT_EQ(&a, list.RemoveHead());
        delete list.RemoveHead();
        EXPECT_EQ(1, nAlive);
    }
    EXPECT_EQ(0, nAlive);
}
