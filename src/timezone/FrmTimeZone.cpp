#include "timezone/FrmTimeZone.h"

#include "shell/AppIcon.h"
#include "shell/Twips.h"
#include "shell/UiKit.h"
#include "timezone/TimeZoneTable.h"

#include <QEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>

FrmTimeZone::FrmTimeZone(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmTimeZone"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Housewheel v1.0--(Time Zone)--"));
    setWindowIcon(appIcon());
    setFont(uiFont(8.25));
    setFixedSize(twips(4950), twips(3480));

    NAMED(lstTimeZone, this);
    lstTimeZone->setGeometry(tw(0, 0, 4935, 3150));
    lstTimeZone->setFont(uiFont(8.25, true));
    lstTimeZone->setSelectionMode(QAbstractItemView::SingleSelection);
    lstTimeZone->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstTimeZone->setAccessibleName(QStringLiteral("Time zones"));
    // Every double-click on the list chooses, also one that lands on no row.
    lstTimeZone->viewport()->installEventFilter(this);

    NAMED(cmdQuit, this, QStringLiteral("&Quit"));
    cmdQuit->setGeometry(tw(0, 3140, 4935, 345));
    cmdQuit->setFont(uiFont(8.25, true));
    // The list passes Enter on to the dialog, so Enter quits here too; Esc
    // rejects, which closes the same way.
    cmdQuit->setDefault(true);

    connect(cmdQuit, &QPushButton::clicked, this, &FrmTimeZone::cmdQuitClicked);

    loadZones();
}

void FrmTimeZone::loadZones()
{
    lstTimeZone->clear();
    for (const TimeZoneRow& row : kTimeZoneRows)
        lstTimeZone->addItem(QString::fromUtf8(row.DisplayText.data(),
                                               static_cast<qsizetype>(row.DisplayText.size())));
    // No current row either: the list would otherwise mark the first row when it
    // takes the focus, and the arrow keys should start from the top.
    lstTimeZone->setCurrentIndex(QModelIndex());
}

bool FrmTimeZone::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lstTimeZone->viewport() && event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        lstTimeZoneDoubleClicked();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void FrmTimeZone::lstTimeZoneDoubleClicked()
{
    const QList<QListWidgetItem*> selected = lstTimeZone->selectedItems();
    const int position = selected.isEmpty() ? -1 : lstTimeZone->row(selected.constFirst());
    // A double-click on no row chooses nothing, and still closes.
    if (TimeZoneAt(position))
        emit zoneChosen(position);
    close();
}

void FrmTimeZone::cmdQuitClicked()
{
    close();
}
