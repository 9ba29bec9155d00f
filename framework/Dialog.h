// CDialog: a dialog made from a template resource, run modally (DoModal) or modeless (Create).
#pragma once

#include "DataExchange.h"
#include "Wnd.h"

class FRAMEWORK_API CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    // Runs the dialog until EndDialog; returns the value given to EndDialog, or -1 when the
    // dialog could not be created.
    virtual INT_PTR DoModal();
    // Creates the dialog modeless; it lives until DestroyWindow.
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    void EndDialog(int nResult);

protected:
    // Override these.
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* pDX);
    const MessageMap* GetMessageMap() const override;

    // Call these.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND CreateFromTemplate(UINT nIDTemplate, HWND owner);
    HWND ModalOwner() const;
    void RunModalLoop();

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    bool m_bModalRunning;
    INT_PTR m_nModalResult;
};
