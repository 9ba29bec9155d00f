// MinimalDialog.exe: the least program that starts the way Quorvane.EXE does (the framework's
// entry point in MFC42.DLL, an application object, a modal dialog from a template), as the
// baseline of the start-up and memory benchmarks. Built a second time as TemplateDialog.exe,
// which shows Quorvane's own main dialog template with none of its code.
#include "Dialog.h"
#include "WinApp.h"

#ifdef BENCH_QUORVANE_TEMPLATE
#include "res/resource.h"
constexpr UINT kDialogTemplate = IDD_WALLPAPER_DIALOG;
#else
#include "res/BenchResource.h"
constexpr UINT kDialogTemplate = IDD_BENCH_DIALOG;
#endif

namespace {

class CMinimalApp : public CWinApp {
public:
    BOOL InitInstance() override {
        CDialog dialog(kDialogTemplate);
        m_pMainWnd = &dialog;
        dialog.DoModal();
        m_pMainWnd = nullptr;
        return FALSE;
    }
};

CMinimalApp theApp;

}  // namespace
