#pragma once

#include "app/AppController.h"
#include "entry/frmMain.h"
#include "support/RecordingServices.h"
#include "support/WindowControls.h"

/// The program as a window test drives it: the controller with its entry window
/// shown and active, and the desktop's message boxes and dialogs recorded. Made
/// in a test's init() and dropped in its cleanup(); the display windows it leaves
/// are deleted outright then, since closing them would run the program's exit.
class ProgramUnderTest
{
public:
    ProgramUnderTest();
    ~ProgramUnderTest();
    ProgramUnderTest(const ProgramUnderTest&) = delete;
    ProgramUnderTest& operator=(const ProgramUnderTest&) = delete;

    /// True when the entry window came up and took the focus.
    [[nodiscard]] bool started() const { return started_; }

    RecordingServices services;
    AppController controller;
    frmMain& entry;
    const EntryControls ui;

private:
    bool started_ = false;
};
