// CDialog: a dialog from a template, run modally by a loop of its own so that
// PreTranslateMessage sees every message before the dialog manager does.
// The dialog is one message switch (HandleMessage) that hands each event to a
// named member.
#pragma once

#include "framework/wnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate)
        : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}
    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate;  // TRUE: controls to members; FALSE: members to controls
};

void DDX_Text(CDataExchange* exchange, int id, CString& value);
// Attaches the control object to the dialog's control on the first exchange.
void DDX_Control(CDataExchange* exchange, int id, CWnd& control);

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr)
        : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

    // Creates the dialog, runs it until EndDialog, destroys it; answers the
    // result given to EndDialog, or -1 when the dialog could not be created.
    virtual INT_PTR DoModal();
    void EndDialog(int result);
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange*) {}
    virtual BOOL PreTranslateMessage(MSG* message);

protected:
    // The dialog's message switch. Answers TRUE when the message was handled,
    // with result holding what the dialog procedure returns for it.
    virtual BOOL HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND OwnerForModalRun() const;
    void CenterOnOwner(HWND owner);

    bool m_ended = false;
    int m_result = -1;
};
