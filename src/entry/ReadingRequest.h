#pragma once

class frmMain;

/// The reading request behind "Get My Parallax Reading" and File > "Get Selenoscope
/// Calculator": checks the fields, computes the sidereal and the tropical reading,
/// fills the display window, hides the entry window and shows the display window.
void RequestReading(frmMain& entry);
