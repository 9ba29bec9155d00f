// The one place where an exception that leaves a message handler is caught, so that none
// crosses a Win32 callback.
#pragma once

#include <windows.h>

#include <utility>

#include "FrameworkApi.h"

// Reports the exception being handled to the user; call only from inside a catch block.
FRAMEWORK_API void ReportHandlerException() noexcept;

// Runs a handler; an exception that leaves it is reported and `failed` is returned instead.
template <class Result, class Function>
Result RunHandler(Function&& handler, Result failed) noexcept {
    try {
        return std::forward<Function>(handler)();
    } catch (...) {
        ReportHandlerException();
        return failed;
    }
}
