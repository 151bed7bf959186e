#pragma once

#include "ephemeris/modEphemeris.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <memory>
#include <optional>

class BirthClock;
class frmDisplay;
class frmMain;

/// The composition root's one object: it owns the entry window for the whole run
/// and answers what the windows ask for. A reading request is checked, computed
/// and shown; a lookup opens the location browser; "TZ Help" opens the picker,
/// whose choice it writes into the entry window.
class AppController final : public QObject
{
    Q_OBJECT
public:
    AppController();
    ~AppController() override;
    AppController(const AppController&) = delete;
    AppController& operator=(const AppController&) = delete;

    /// Shows the entry window and draws its front promotional label.
    void start();

    [[nodiscard]] frmMain& entryWindow() const;

private:
    void showReading();
    void openLookup();
    void openZonePicker(QPoint pickerTopLeft);
    void showDetails();
    void showDasha(double yearDays, double birthTimeMinutes);
    frmDisplay& displayWindow();

    std::unique_ptr<frmMain> entry_;
    /// The display window of the last reading, while it is loaded.
    QPointer<frmDisplay> display_;
    /// The moment the shown reading was computed for.
    std::optional<modEphemeris::BirthMoment> shownMoment_;
    /// The offline atlas's link to a place's clock; none in a build without the atlas.
    BirthClock* placeClock_ = nullptr;
};
