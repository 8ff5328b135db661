// CLongTextDlg: a text too long for a message box, read in a dialog that
// scrolls and can be resized. A read-only multi-line edit control holds a
// summary line, an empty line and the text, and fills the dialog but for its
// margins and the OK button below it. Captioned with the application's name,
// as AfxMessageBox is.
#pragma once

#include "framework/dialog.h"

// The resizable template (WS_THICKFRAME) and its edit control; the template
// places its OK button (IDOK) below the edit control.
struct LongTextTemplate {
    UINT templateId;
    int textId;
};

class CLongTextDlg : public CDialog {
public:
    CLongTextDlg(const LongTextTemplate& layout, const char* text, const char* summary,
                 CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    BOOL HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    // The edit control keeps the template's margins from the client area's
    // edges; the button keeps its height and distance from the bottom, centred.
    void OnSize(int width, int height);

    int m_textId;
    CString m_text;  // line breaks as CR LF, which the edit control needs
    RECT m_textMargins = {};  // left, top, right, bottom: from the client edges
    SIZE m_buttonSize = {};
    int m_buttonBottomMargin = 0;
    SIZE m_smallest = {};  // window size: room for the button and a few lines
};
