// Single steps for the demo script: wait for Quorvane's main window to show, or close it.
#pragma once

bool IsDemoCommand(const char* argument);

// --await-main-window: 0 once the main window shows (painted, ready for a screenshot), 1 when it does not
// within a minute. --close-main-window: 0 once the main window took WM_CLOSE and is gone.
int RunDemoCommand(const char* command);
