// The help window: its pane, its topics and how it closes.
#include "HelpDlg.h"

#include <string>

#include "WaitCursor.h"
#include "res/resource.h"

namespace {

HANDLE OpenTopic(const std::string& path) {
    return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_READONLY,
                       nullptr);
}

std::string ProgramFolder() {
    char path[MAX_PATH] = "";
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

// The topics are looked for beside the program first: "Add..." may move the working folder.
HANDLE OpenTopicFile(LPCSTR fileName) {
    HANDLE file = OpenTopic(ProgramFolder() + fileName);
    return file != INVALID_HANDLE_VALUE ? file : OpenTopic(fileName);
}

}  // namespace

CHelpDlg::CHelpDlg(CWnd* pParent) : CDialog(IDD_HELP_DIALOG, pParent), m_pRichEdit(nullptr), m_rcText{} {}

CHelpDlg::~CHelpDlg() {
    delete m_pRichEdit;
}

const MessageMap* CHelpDlg::GetMessageMap() const {
    static const MessageMap map(CDialog::GetMessageMap(), {
        msg::Command(IDC_HELP_OVERVIEW, &CHelpDlg::OnOverview),
        msg::Command(IDC_HELP_SETTING_UP, &CHelpDlg::OnSettingUp),
        msg::Command(IDC_HELP_CREATING_LIST, &CHelpDlg::OnCreatingList),
        msg::Command(IDC_HELP_REMOVING_ITEM, &CHelpDlg::OnRemovingItem),
        msg::Command(IDC_HELP_PREVIEW, &CHelpDlg::OnPreviewOptions),
        msg::Command(IDC_HELP_FREQUENCY, &CHelpDlg::OnUpdateFrequency),
        msg::Command(IDC_HELP_PICK_ORDER, &CHelpDlg::OnPickOrder),
        msg::Command(IDC_HELP_MORE, &CHelpDlg::OnMoreHelp),
    });
    return &map;
}

BOOL CHelpDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    GetDlgItem(IDC_HELP_TEXT)->GetWindowRect(&m_rcText);
    ScreenToClient(&m_rcText);

    m_pRichEdit = new CRichEditCtrl;
    m_pRichEdit->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY |
                            ES_WANTRETURN,
                        m_rcText, this, IDC_HELP_TEXT);
    LoadLibraryA("RICHED32.DLL");
    m_pRichEdit->SetBackgroundColor(FALSE, RGB(192, 192, 192));
    LoadHelpFile("welcome.aid");
    return TRUE;
}

BOOL CHelpDlg::LoadHelpFile(LPCSTR fileName) {
    m_pRichEdit->SendMessage(WM_CLEAR);
    CWaitCursor wait;
    HANDLE file = OpenTopicFile(fileName);
    if (file == INVALID_HANDLE_VALUE) return FALSE;
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(file), 0, &CHelpDlg::HelpStreamInCallback};
    m_pRichEdit->StreamIn(SF_RTF, stream);
    CloseHandle(file);
    return TRUE;
}

// Hands the control the next bytes of the topic file; a failed read ends the stream.
DWORD CALLBACK CHelpDlg::HelpStreamInCallback(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* delivered) {
    DWORD got = 0;
    BOOL ok = ReadFile(reinterpret_cast<HANDLE>(cookie), buffer, DWORD(size), &got, nullptr);
    *delivered = LONG(got);
    return ok ? 0 : 1;
}

void CHelpDlg::ShowTopic(LPCSTR fileName) {
    if (!LoadHelpFile(fileName)) m_pRichEdit->SetWindowText("Help file open failed.");
}

void CHelpDlg::OnOverview() {
    ShowTopic("ovw.aid");
}

void CHelpDlg::OnSettingUp() {
    ShowTopic("setup.aid");
}

void CHelpDlg::OnCreatingList() {
    ShowTopic("add.aid");
}

void CHelpDlg::OnRemovingItem() {
    ShowTopic("rem.aid");
}

void CHelpDlg::OnPreviewOptions() {
    ShowTopic("preview.aid");
}

void CHelpDlg::OnUpdateFrequency() {
    ShowTopic("freq.aid");
}

void CHelpDlg::OnPickOrder() {
    ShowTopic("pick.aid");
}

void CHelpDlg::OnMoreHelp() {
    ShowTopic("more.aid");
}

// The help window is closed, never ended like a modal dialog.
void CHelpDlg::OnOK() {
    DestroyWindow();
}

void CHelpDlg::OnCancel() {
    DestroyWindow();
}

void CHelpDlg::PostNcDestroy() {
    delete this;
}
