// Shared by the window tests: every message box is recorded and answered,
// every modal dialog nobody expected fails the test instead of waiting for
// a user, and messages can be pumped until something happens.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "ModalSeam.h"
#include "String.h"

struct CShownBox {
    HWND hOwner;
    CString strText;
    CString strCaption;
    UINT nType;
};

class CWindowTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The boxes shown since the test began, and the button each one gets.
    static std::vector<CShownBox> s_boxes;
    static int s_nBoxAnswer;

    // Dispatches this thread's messages until done() holds or the time is
    // up; returns done().
    static bool PumpUntil(const std::function<bool()>& done, DWORD dwTimeoutMs = 5000);
    // Dispatches what is queued now.
    static void PumpPending();

private:
    static int RecordBox(HWND hOwner, const char* pszText, const char* pszCaption, UINT nType);
};
