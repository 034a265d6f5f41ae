// The log panel at the foot of the main view: the log of what was done
// (CLogBuffer, at most 50 lines, nothing of it saved), three lines of it in
// the text control, inside an etched frame, moved a line at a time by the
// arrows of its scroll bar. The log lives as long as the view; opening
// another data file keeps it.
#pragma once

#include "LogBuffer.h"
#include "ScrollBar.h"

class CLogPanel {
public:
    CLogPanel() = default;
    CLogPanel(const CLogPanel&) = delete;
    CLogPanel& operator=(const CLogPanel&) = delete;

    void Attach(const CWnd& form);
    // Empties the log to its opening line, with the thumb at rest.
    void Reset();
    // The one way to write the log: the non-null parts joined into one
    // line; a null first part only refreshes the panel.
    void Append(const char* pszPart1, const char* pszPart2 = nullptr,
                const char* pszPart3 = nullptr);
    // A line of the log for each line of the text (each ends in a line
    // feed; a last line without one counts too).
    void AppendLines(const CString& strLines);
    // The form's WM_VSCROLL: the arrows of the panel's scroll bar move the
    // panel a line; anything else leaves the log as it is.
    void OnScroll(UINT nCode, HWND hScrollBar);
    // Shows or hides the text, its frame and its scroll bar.
    void Show(int nCmdShow);

    const CLogBuffer& GetBuffer() const { return m_buffer; }

private:
    void ShowText();

    CLogBuffer m_buffer;
    CWnd m_text;
    CWnd m_frame;
    CScrollBar m_scroll;
};
