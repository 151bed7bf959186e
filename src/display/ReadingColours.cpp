#include "display/ReadingColours.h"

QPalette readingPalette(QPalette colours)
{
    colours.setColor(QPalette::Window, kDarkTeal);
    colours.setColor(QPalette::WindowText, kCyan);
    colours.setColor(QPalette::Button, kTeal);
    colours.setColor(QPalette::ButtonText, kCyan);
    colours.setColor(QPalette::Base, kPaleCyan);
    colours.setColor(QPalette::Text, kDarkTeal);
    // Greyed items (a switched-off menu command) must still look switched off.
    for (const auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        colours.setColor(QPalette::Disabled, role, kTeal.lighter(150));
    return colours;
}
