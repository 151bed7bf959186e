#include "support/Readings.h"

#include "display/frmDisplay.h"
#include "ephemeris/ReferenceReading.h"
#include "support/WindowControls.h"

#include <QApplication>
#include <QLineEdit>

QStringList computedReading(const modEphemeris::BirthData& birth)
{
    const modEphemeris::MoonReading sidereal = modEphemeris::ComputeMoonReading(birth, false);
    const modEphemeris::MoonReading tropical = modEphemeris::ComputeMoonReading(birth, true);
    return {QString::fromStdString(sidereal.GeocentricText),
            QString::fromStdString(sidereal.TopocentricText),
            QString::fromStdString(tropical.GeocentricText),
            QString::fromStdString(tropical.TopocentricText)};
}

QStringList workedExampleReading()
{
    QStringList texts;
    for (const std::string_view text : birth::kWorkedExampleTexts)
        texts << QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return texts;
}

QStringList shownReading(const frmDisplay& display)
{
    const DisplayControls ui(display);
    return {ui.txtSiderealNonParallax->text(), ui.txtSiderealParallax->text(),
            ui.txtWesternNonParallax->text(), ui.txtWesternParallax->text()};
}

QList<frmDisplay*> displayWindows()
{
    QList<frmDisplay*> displays;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* display = qobject_cast<frmDisplay*>(window))
            displays.append(display);
    }
    return displays;
}

frmDisplay* shownDisplay()
{
    frmDisplay* shown = nullptr;
    for (frmDisplay* display : displayWindows()) {
        if (display->isVisible()) {
            if (shown != nullptr)
                return nullptr; // never two at once
            shown = display;
        }
    }
    return shown;
}

void deleteDisplayWindows()
{
    qDeleteAll(displayWindows());
}
