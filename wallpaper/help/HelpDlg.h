// CHelpDlg: the modeless help window (template 132): topic buttons and a rich-text pane that
// shows one topic file (.aid, RTF) at a time. It owns itself and deletes itself when closed.
#pragma once

#include "Dialog.h"
#include "RichEditCtrl.h"

// The caption of the help window, by which an open one is found.
constexpr char kHelpWindowTitle[] = "Quorvane Help";

class CHelpDlg : public CDialog {
public:
    explicit CHelpDlg(CWnd* pParent = nullptr);
    ~CHelpDlg() override;

    // Shows the topic file in the pane; FALSE when it cannot be opened.
    BOOL LoadHelpFile(LPCSTR fileName);

protected:
    const MessageMap* GetMessageMap() const override;
    void PostNcDestroy() override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    static DWORD CALLBACK HelpStreamInCallback(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* delivered);
    void ShowTopic(LPCSTR fileName);

    void OnOverview();
    void OnSettingUp();
    void OnCreatingList();
    void OnRemovingItem();
    void OnPreviewOptions();
    void OnUpdateFrequency();
    void OnPickOrder();
    void OnMoreHelp();

    CRichEditCtrl* m_pRichEdit;
    RECT m_rcText;
};
