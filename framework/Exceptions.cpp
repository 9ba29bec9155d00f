// Reporting of the framework's exceptions.
#include "Exceptions.h"

#include "WinApp.h"

void CException::ReportError(UINT type) const {
    AfxMessageBox(Describe().c_str(), type);
}

std::string CException::Describe() const {
    return "The last action could not be completed.";
}
