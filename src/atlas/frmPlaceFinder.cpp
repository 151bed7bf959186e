#include "atlas/frmPlaceFinder.h"

#include "atlas/AtlasTexts.h"
#include "atlas/PlaceSearch.h"
#include "shell/AppIcon.h"
#include "shell/AppServices.h"
#include "shell/LinkLabel.h"
#include "shell/UiKit.h"
#include "shell/modHelp.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString qs(const std::string& text)
{
    return QString::fromStdString(text);
}

// "40°25'N", as the entry window will get it.
QString angleText(const atlas::DegreesMinutes& angle, char hemisphere)
{
    return QStringLiteral("%1°%2'%3")
        .arg(angle.degrees)
        .arg(angle.minutes, 2, 10, QLatin1Char('0'))
        .arg(QLatin1Char(hemisphere));
}

const QUrl kLicence(QStringLiteral("https://creativecommons.org/licenses/by/4.0/"));

} // namespace

frmPlaceFinder::frmPlaceFinder(const atlas::PlaceIndex& index, const atlas::CivilTime& birthLocal,
                               QWidget* parent)
    : QDialog(parent), index_(index), birthLocal_(birthLocal)
{
    setObjectName(QStringLiteral("frmPlaceFinder"));
    setWindowTitle(kWindowCaption + QStringLiteral(" - Find Place Offline"));
    setWindowIcon(appIcon());
    setFont(uiFont(8.25));
    buildControls();
    txtSearch->setFocus();
    txtSearchChanged();
}

void frmPlaceFinder::buildControls()
{
    NAMED(txtSearch, this);
    txtSearch->setPlaceholderText(
        QStringLiteral("Type a place's name; after a comma its region or country"));
    txtSearch->setAccessibleName(QStringLiteral("Place to find"));
    txtSearch->installEventFilter(this);

    NAMED(lstPlaces, this);
    lstPlaces->setColumnCount(6);
    lstPlaces->setHeaderLabels({QStringLiteral("Place"), QStringLiteral("Region"),
                                QStringLiteral("Country"), QStringLiteral("Latitude"),
                                QStringLiteral("Longitude"), QStringLiteral("Time zone")});
    lstPlaces->setRootIsDecorated(false);
    lstPlaces->setUniformRowHeights(true);
    lstPlaces->setSelectionMode(QAbstractItemView::SingleSelection);
    lstPlaces->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstPlaces->setAccessibleName(QStringLiteral("Places found"));
    // Long names and zones keep both their ends in view; the tooltip holds the whole text.
    lstPlaces->setTextElideMode(Qt::ElideMiddle);
    lstPlaces->header()->setStretchLastSection(true);
    lstPlaces->setColumnWidth(0, 170);
    lstPlaces->setColumnWidth(1, 130);
    lstPlaces->setColumnWidth(2, 120);
    lstPlaces->setColumnWidth(3, 70);
    lstPlaces->setColumnWidth(4, 75);

    NAMED(lblClock, this);
    lblClock->setFont(uiFont(8.25, true));
    lblClock->setWordWrap(true);
    lblClock->setTextFormat(Qt::PlainText);
    NAMED(lblNotes, this);
    lblNotes->setWordWrap(true);
    lblNotes->setTextFormat(Qt::PlainText);

    occurrenceGroup = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) {
        optOccurrence[i] =
            makeNamed<QRadioButton>(this, i == 0 ? "optOccurrence_0" : "optOccurrence_1");
        occurrenceGroup->addButton(optOccurrence[i], i);
        optOccurrence[i]->hide();
    }

    NAMED(lblCredit, this,
          QStringLiteral("Places from GeoNames (geonames.org), licensed under CC BY 4.0; this "
                         "index is derived from it."));
    lblCredit->setWordWrap(true);
    lblCredit->setFont(uiFont(8.25, false, true));

    NAMED(cmdOK, this, QStringLiteral("OK"));
    cmdOK->setDefault(true);
    cmdOK->setAutoDefault(false);
    NAMED(cmdCancel, this, QStringLiteral("Cancel"));
    cmdCancel->setAutoDefault(false);

    auto* occurrences = new QHBoxLayout;
    occurrences->addWidget(optOccurrence[0]);
    occurrences->addWidget(optOccurrence[1]);
    occurrences->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lblCredit, 1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txtSearch);
    layout->addWidget(lstPlaces, 1);
    layout->addWidget(lblClock);
    layout->addWidget(lblNotes);
    layout->addLayout(occurrences);
    layout->addLayout(buttons);
    resize(760, 520);

    connect(txtSearch, &QLineEdit::textChanged, this, &frmPlaceFinder::txtSearchChanged);
    connect(lstPlaces, &QTreeWidget::currentItemChanged, this,
            &frmPlaceFinder::lstPlacesCurrentChanged);
    connect(lstPlaces, &QTreeWidget::itemDoubleClicked, this, &frmPlaceFinder::cmdOKClicked);
    connect(occurrenceGroup, &QButtonGroup::idClicked, this, &frmPlaceFinder::optOccurrenceClicked);
    connect(cmdOK, &QPushButton::clicked, this, &frmPlaceFinder::cmdOKClicked);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(lblCredit, &LinkLabel::clicked, this, [] { modHelp::OpenLink(kLicence); });
}

bool frmPlaceFinder::eventFilter(QObject* watched, QEvent* event)
{
    // The arrow and page keys in the search box move through the list, so the
    // hands can stay on the keyboard.
    if (watched == txtSearch && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
            key == Qt::Key_PageDown) {
            QCoreApplication::sendEvent(lstPlaces, event);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmPlaceFinder::txtSearchChanged()
{
    const std::vector<atlas::PlaceHit> hits =
        atlas::findPlaces(index_, txtSearch->text().toStdString());
    rows_.clear();
    lstPlaces->clear();
    QList<QTreeWidgetItem*> items;
    for (const atlas::PlaceHit& hit : hits) {
        rows_.push_back(hit.id);
        const atlas::Place place = index_.place(hit.id);
        const atlas::EntryFields fields = atlas::entryFields(place, nullptr);
        auto* item = new QTreeWidgetItem(
            {qs(atlas::listedName(place.name, hit.otherName)), qs(place.region), qs(place.country),
             angleText(fields.latitude, fields.south ? 'S' : 'N'),
             angleText(fields.longitude, fields.east ? 'E' : 'W'), qs(place.zoneId)});
        for (int column = 0; column < item->columnCount(); ++column)
            item->setToolTip(column, item->text(column));
        items.append(item);
    }
    lstPlaces->addTopLevelItems(items);
    if (!items.isEmpty())
        lstPlaces->setCurrentItem(items.front());
    else
        lstPlacesCurrentChanged();
}

void frmPlaceFinder::lstPlacesCurrentChanged()
{
    // A new place starts from the first occurrence of a repeated time.
    occurrence_ = atlas::Occurrence::First;
    showClock();
}

void frmPlaceFinder::optOccurrenceClicked()
{
    occurrence_ =
        occurrenceGroup->checkedId() == 1 ? atlas::Occurrence::Second : atlas::Occurrence::First;
    showClock();
}

std::optional<atlas::PlaceChoice> frmPlaceFinder::currentChoice() const
{
    const int row = lstPlaces->currentItem() != nullptr
                        ? lstPlaces->indexOfTopLevelItem(lstPlaces->currentItem())
                        : -1;
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.size())
        return std::nullopt;
    return atlas::choosePlace(index_.place(rows_[static_cast<std::size_t>(row)]), birthLocal_,
                              occurrence_);
}

void frmPlaceFinder::showClock()
{
    const std::optional<atlas::PlaceChoice> choice = currentChoice();
    cmdOK->setEnabled(choice.has_value());
    const bool repeated =
        choice && choice->clock && choice->clock->kind == atlas::LocalTimeKind::Repeated;
    for (QRadioButton* option : optOccurrence)
        option->setVisible(repeated);
    if (!choice) {
        const bool typed = !txtSearch->text().trimmed().isEmpty();
        lblClock->setText(typed ? QStringLiteral("No place matches") : QString());
        lblNotes->clear();
        return;
    }
    if (!choice->clock) {
        lblClock->setText(qs(atlas::clockErrorLine(choice->place.name, choice->clockError)));
        lblNotes->setText(QStringLiteral("The place and its coordinates are filled in; the "
                                         "zone fields are left as they are."));
        return;
    }
    lblClock->setText(qs(atlas::clockLine(*choice->clock)));
    QStringList notes;
    for (const std::string& note : atlas::clockNotes(choice->place.name, *choice->clock,
                                                     *choice->fields.zone, choice->fields.east))
        notes.append(qs(note));
    lblNotes->setText(notes.join(QLatin1Char('\n')));
    if (repeated) {
        const std::vector<std::string> captions = atlas::occurrenceCaptions(*choice->clock);
        for (std::size_t i = 0; i < optOccurrence.size(); ++i)
            optOccurrence[i]->setText(qs(captions[i]));
        optOccurrence[occurrence_ == atlas::Occurrence::Second ? 1 : 0]->setChecked(true);
    }
}

void frmPlaceFinder::cmdOKClicked()
{
    chosen_ = currentChoice();
    if (chosen_)
        accept();
}
