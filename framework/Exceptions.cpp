// Reporting of the framework's exceptions.
#include "Exceptions.h"

#include "WinApp.h"

void CException::ReportError(UINT type) const {
    AfxMessageBox(Describe(), type);
}

const char* CException::Describe() const {
    return "The last action could not be completed.";
}
