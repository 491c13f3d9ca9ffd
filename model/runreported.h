// How a command ends on a failure: the failure is shown as "Error!!! 75 Path/File access
// error ..." in a message box and the command returns, so no failure ever leaves an event
// handler and the program keeps running.
#pragma once

#include "commondialog.h"
#include "runerror.h"

#include <new>

// Runs `command`; returns false when a failure ended it and was shown.
template <typename Command> bool runReported(CommonDialog &dialog, Command &&command)
{
    try {
        command();
        return true;
    } catch (const RunError &error) {
        dialog.message(error.message());
    } catch (const std::bad_alloc &) {
        dialog.message(RunError(RunError::OutOfMemory).message());
    }
    return false;
}
