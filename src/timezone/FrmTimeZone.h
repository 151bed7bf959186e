#pragma once

#include <QDialog>

class QEvent;
class QListWidget;
class QPushButton;

/// The time zone picker: the built-in zones in a list; a double-click on a row
/// chooses its zone and closes. Create it with new: it deletes itself on close,
/// and the opener makes a fresh one each time.
class FrmTimeZone final : public QDialog
{
    Q_OBJECT
public:
    explicit FrmTimeZone(QWidget* parent = nullptr);

signals:
    /// A row was chosen: its position in the zone table (0 to 70).
    void zoneChosen(int position);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void loadZones();
    void lstTimeZoneDoubleClicked();
    void cmdQuitClicked();

    QListWidget* lstTimeZone = nullptr;
    QPushButton* cmdQuit = nullptr;
};
