#pragma once

#include <QDialog>
#include <QPointer>

class QEvent;
class QLineEdit;
class QListWidget;
class QPushButton;

/// The time zone picker: the built-in zones in a list; a double-click copies the
/// chosen zone's hours and minutes into the entry window's two zone boxes and
/// closes. Create it with new: it deletes itself on close, and the opener makes
/// a fresh one each time.
class FrmTimeZone final : public QDialog
{
    Q_OBJECT
public:
    explicit FrmTimeZone(QLineEdit* txtZoneHour, QLineEdit* txtZoneMinute,
                         QWidget* parent = nullptr);

    QListWidget* lstTimeZone = nullptr;
    QPushButton* cmdQuit = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void loadZones();
    void lstTimeZoneDoubleClicked();
    void cmdQuitClicked();

    // The entry window's boxes; guarded in case they go before the picker does.
    QPointer<QLineEdit> zoneHourBox;
    QPointer<QLineEdit> zoneMinuteBox;
};
