// Screenshots of the dialogs as PNG files, for a person to look at after a test run.
#pragma once

#include <windows.h>

#include <string>

// The window as it is on the screen, frame and caption included. False when it could not be
// captured or written.
bool SaveWindowPng(HWND window, const std::string& path);
