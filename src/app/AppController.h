#pragma once

#include "ephemeris/modEphemeris.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <memory>
#include <optional>

class frmDisplay;
class frmMain;
class PlaceClockLink;

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
    void readingRequested();
    void lookupRequested();
    void zoneHelpRequested(QPoint pickerTopLeft);
    frmDisplay& displayWindow();
    void detailsRequested();

    /// What the shown reading was computed from: the birth data, and the true offset of
    /// the place's clock from universal time when the reading was made at that instant
    /// rather than by the zone fields.
    struct ReadingBasis
    {
        modEphemeris::BirthData birth;
        std::optional<int> utcOffsetSeconds;
    };

    std::unique_ptr<frmMain> entry_;
    /// The display window of the last reading, while it is loaded.
    QPointer<frmDisplay> display_;
    std::optional<ReadingBasis> shownReading_;
    /// The offline atlas's link to a place's clock; none in a build without the atlas.
    PlaceClockLink* placeClock_ = nullptr;
};
