#pragma once

#include <thread>

/// Reads the font system's configuration and font cache on a thread of its own,
/// from the moment the program starts, so that this set-up (about a quarter of
/// the start-up's work) runs while the application connects to the display.
/// finish() waits for it; the first window's text needs it done.
class FontSetUp
{
public:
    FontSetUp();
    ~FontSetUp();
    FontSetUp(const FontSetUp&) = delete;
    FontSetUp& operator=(const FontSetUp&) = delete;

    void finish();

private:
    std::thread thread_;
};
