// Reporting of exceptions that leave message handlers.
#include "HandlerGuard.h"

#include "Exceptions.h"

void ReportHandlerException() noexcept {
    try {
        throw;
    } catch (const CException& e) {
        e.ReportError();
    } catch (...) {
        CException().ReportError();
    }
}
