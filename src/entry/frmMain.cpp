#include "entry/frmMain.h"

#include "birth/BirthRanges.h"
#include "birth/EntryBoxes.h"
#include "entry/KeyFilter.h"
#include "shell/AppIcon.h"
#include "shell/AppLifetime.h"
#include "shell/AppServices.h"
#include "shell/CoBrand.h"
#include "shell/LinkLabel.h"
#include "shell/ProgramTexts.h"
#include "shell/PromoLabels.h"
#include "shell/SharedMenus.h"
#include "shell/Twips.h"
#include "shell/UiKit.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyleOptionButton>
#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>
#include <variant>

using birth::BirthDataFields;
using birth::BirthField;

namespace {

// Design sizes in twips that more than one place needs.
struct TwipRect
{
    int left, top, width, height;
    [[nodiscard]] QRect pixels() const { return tw(left, top, width, height); }
};
constexpr TwipRect kClientArea{0, 0, 6525, 6945};
constexpr TwipRect kTopBanner{0, 0, 6540, 615};
constexpr TwipRect kZoneFrame{2040, 1320, 3615, 855};
constexpr TwipRect kTZHelpLabel{1560, 240, 945, 375};
// The picker opens below and right of the "TZ Help" label, a little lower than its bottom edge.
constexpr int kPickerDrop = 600;

// Every row caption of the input frame starts here.
constexpr int kCaptionLeft = 840;
constexpr int kCaptionWidth = 1155;

// A push button whose caption wraps over several lines, as the lookup button's long caption must.
class WrappingButton final : public QPushButton
{
public:
    explicit WrappingButton(const QString& text, QWidget* parent = nullptr)
        : QPushButton(text, parent)
    {
        setProperty("wordWrap", true); // as a word-wrapping label says it
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override
    {
        QPainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        option.text.clear();
        style()->drawControl(QStyle::CE_PushButton, &option, &painter, this);
        const int margin = style()->pixelMetric(QStyle::PM_ButtonMargin, &option, this);
        style()->drawItemText(&painter, rect().adjusted(margin, margin, -margin, -margin),
                              Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, palette(),
                              isEnabled(), text(), QPalette::ButtonText);
    }
};

QLabel* addCaption(QWidget* parent, const char* name, const QString& text, const QRect& geometry,
                   Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto* caption = makeNamed<QLabel>(parent, name, text);
    caption->setGeometry(geometry);
    caption->setAlignment(alignment);
    return caption;
}

// The captions under a pair of boxes in a frame ("Hour"/"Min", "Deg"/"Min").
void addUnitCaptions(QWidget* frame, const char* firstName, const QString& first,
                     const QLineEdit* firstBox, const char* secondName, const QString& second,
                     const QLineEdit* secondBox)
{
    const int top = firstBox->geometry().bottom() + 1;
    const int height = twips(240);
    addCaption(frame, firstName, first, QRect(firstBox->x(), top, firstBox->width(), height),
               Qt::AlignCenter);
    addCaption(frame, secondName, second, QRect(secondBox->x(), top, secondBox->width(), height),
               Qt::AlignCenter);
}

QLineEdit* placeBox(QLineEdit* box, const QRect& geometry, int maxLength = -1)
{
    box->setGeometry(geometry);
    if (maxLength > 0)
        box->setMaxLength(maxLength);
    return box;
}

QButtonGroup* pairUp(std::array<QRadioButton*, 2>& pair, QWidget* owner, const char* groupName)
{
    auto* group = makeNamed<QButtonGroup>(owner, groupName);
    group->addButton(pair[0], 0);
    group->addButton(pair[1], 1);
    pair[0]->setChecked(true);
    return group;
}

QString qText(const std::string& text)
{
    return QString::fromStdString(text);
}

std::string stdText(const QString& text)
{
    return text.toStdString();
}

} // namespace

// How a change the user makes in a field counts for the link to a place's clock.
enum class HandEdit {
    None,        // the name, the seconds, the place's names: the instant stays
    BirthTime,   // the date, hour or minute: the zone may be derived again
    Zone,        // the zone hour or minute: the clock is the user's
    Coordinates, // where the birth was
};

// What a control's text is drawn in, within a frame whose caption may be bold.
enum class FieldFont { Inherited, Regular, Bold };

struct frmMain::TextBoxField
{
    QLineEdit* frmMain::*box;
    const char* name;
    QGroupBox* frmMain::*frame;
    TwipRect geometry; // within the frame
    FieldFont font;
    std::string BirthDataFields::*text; // nullptr: not part of the birth data
    std::optional<BirthField> field;    // the refusals that name it
    const char* accessibleName;
    HandEdit edit;
};

struct frmMain::ListField
{
    QComboBox* frmMain::*list;
    const char* name;
    TwipRect geometry;                  // within the input frame
    std::string BirthDataFields::*text; // nullptr: not part of the birth data
    std::optional<BirthField> field;
    const char* accessibleName;
    HandEdit edit;
};

std::span<const frmMain::TextBoxField> frmMain::textBoxFields()
{
    using F = BirthDataFields;
    // One field a row.
    // clang-format off
    static const std::array<TextBoxField, 10> kFields{{
        {&frmMain::txtName, "txtName", &frmMain::fraInput, {2040, 240, 3615, 285},
         FieldFont::Inherited, &F::name, BirthField::Name, "Name", HandEdit::None},
        {&frmMain::txtZoneHour, "txtZoneHour", &frmMain::fraZone, {240, 240, 495, 285},
         FieldFont::Bold, &F::zoneHour, BirthField::ZoneHour, "Zone hour", HandEdit::Zone},
        {&frmMain::txtZoneMinute, "txtZoneMinute", &frmMain::fraZone, {840, 240, 495, 285},
         FieldFont::Bold, &F::zoneMinute, BirthField::ZoneMinute, "Zone minutes", HandEdit::Zone},
        {&frmMain::txtLonD, "txtLonD", &frmMain::fraLongitude, {120, 240, 495, 285},
         FieldFont::Regular, &F::longitudeDegrees, BirthField::LongitudeDegrees,
         "Longitude degrees", HandEdit::Coordinates},
        {&frmMain::txtLonM, "txtLonM", &frmMain::fraLongitude, {720, 240, 495, 285},
         FieldFont::Regular, &F::longitudeMinutes, BirthField::LongitudeMinutes,
         "Longitude minutes", HandEdit::Coordinates},
        {&frmMain::txtLatD, "txtLatD", &frmMain::fraLatitude, {120, 240, 495, 285},
         FieldFont::Regular, &F::latitudeDegrees, BirthField::LatitudeDegrees,
         "Latitude degrees", HandEdit::Coordinates},
        {&frmMain::txtLatM, "txtLatM", &frmMain::fraLatitude, {720, 240, 495, 285},
         FieldFont::Regular, &F::latitudeMinutes, BirthField::LatitudeMinutes,
         "Latitude minutes", HandEdit::Coordinates},
        {&frmMain::txtMCity, "txtMCity", &frmMain::fraInput, {2040, 3240, 1935, 285},
         FieldFont::Inherited, nullptr, std::nullopt, "City", HandEdit::None},
        {&frmMain::txtMState, "txtMState", &frmMain::fraInput, {2040, 3600, 1935, 285},
         FieldFont::Inherited, nullptr, std::nullopt, "State", HandEdit::None},
        {&frmMain::txtMCountry, "txtMCountry", &frmMain::fraInput, {2040, 3960, 1935, 285},
         FieldFont::Inherited, nullptr, std::nullopt, "Country", HandEdit::None},
    }};
    // clang-format on
    return kFields;
}

std::span<const frmMain::ListField> frmMain::listFields()
{
    using F = BirthDataFields;
    // One field a row.
    // clang-format off
    static const std::array<ListField, 6> kFields{{
        {&frmMain::cboMonth, "cboMonth", {2040, 600, 1695, 315}, &F::month, BirthField::Month,
         "Birth month", HandEdit::BirthTime},
        {&frmMain::cboDate, "cboDate", {3900, 600, 735, 315}, &F::day, BirthField::Day,
         "Birth day", HandEdit::BirthTime},
        {&frmMain::cboYear, "cboYear", {4800, 600, 855, 315}, &F::year, BirthField::Year,
         "Birth year", HandEdit::BirthTime},
        {&frmMain::cboHH, "cboHH", {2040, 960, 735, 315}, &F::hour, BirthField::Hour,
         "Birth hour", HandEdit::BirthTime},
        {&frmMain::cboMM, "cboMM", {3000, 960, 735, 315}, &F::minute, BirthField::Minute,
         "Birth minute", HandEdit::BirthTime},
        // The seconds are shown and not used: a reading takes hours and minutes.
        {&frmMain::cboSS, "cboSS", {3900, 960, 735, 315}, nullptr, std::nullopt,
         "Birth second", HandEdit::None},
    }};
    // clang-format on
    return kFields;
}

frmMain::frmMain(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(kWindowCaption);
    setWindowIcon(appIcon());
    setFont(uiFont(8.25));

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("clientArea"));
    client->setFixedSize(kClientArea.pixels().size());
    setCentralWidget(client);

    buildBands();
    buildFrames();
    buildFields();
    buildDateAndTime();
    buildZone();
    buildCoordinates();
    buildPlace();
    buildMenus();
    chainTabOrder();
    describeForScreenReaders();
    reportHandEdits();

    layout()->setSizeConstraint(QLayout::SetFixedSize);
    txtName->setFocus();
}

void frmMain::buildBands()
{
    QWidget* client = centralWidget();

    NAMED(fraTopBanner, client);
    fraTopBanner->setGeometry(kTopBanner.pixels());
    Label61 = makeBannerLabel(fraTopBanner, BannerWording::DiscussionBoard, tw(0, 120, 6600, 465));

    NAMED(fraDescription, client);
    fraDescription->setGeometry(tw(0, 720, 6495, 615));
    NAMED(Label11, fraDescription, kProgramDescription);
    Label11->setGeometry(tw(120, 0, 6255, 615));
    Label11->setFont(uiFont(8.25, true));
    Label11->setAlignment(Qt::AlignCenter);
    Label11->setWordWrap(true);

    NAMED(fraInput, client); // a frame without caption
    fraInput->setGeometry(tw(0, 1320, 6540, 4815));

    NAMED(fraBottomBanner, client);
    fraBottomBanner->setGeometry(tw(0, 6120, 6540, 855));
    const PromoLabels promo = makePromoLabels(fraBottomBanner, tw(150, 120, 6225, 615));
    lblFullBrand = promo.lblFullBrand;
    lblCobrand = promo.lblCobrand;
}

void frmMain::buildFrames()
{
    NAMED(fraZone, fraInput); // a frame without caption
    fraZone->setGeometry(kZoneFrame.pixels());
    // The coordinate frames' captions are bold; what they hold is not.
    NAMED(fraLongitude, fraInput, QStringLiteral("Longitude"));
    fraLongitude->setGeometry(tw(840, 2230, 2295, 855));
    fraLongitude->setFont(uiFont(8.25, true));
    NAMED(fraLatitude, fraInput, QStringLiteral("Latitude"));
    fraLatitude->setGeometry(tw(3240, 2230, 2415, 855));
    fraLatitude->setFont(uiFont(8.25, true));
}

void frmMain::buildFields()
{
    for (const TextBoxField& row : textBoxFields()) {
        QLineEdit*& box = this->*row.box;
        box = makeNamed<QLineEdit>(this->*row.frame, row.name);
        // The most characters and the typed keys it takes, as the web page's form takes them.
        const birth::EntryBox* entry = birth::entryBox(row.name);
        placeBox(box, row.geometry.pixels(), entry->maxLength);
        if (row.font != FieldFont::Inherited)
            box->setFont(uiFont(8.25, row.font == FieldFont::Bold));
        if (entry->keys != nullptr)
            KeyFilter::install(box, *entry->keys);
    }
    for (const ListField& row : listFields()) {
        QComboBox*& list = this->*row.list;
        list = makeNamed<QComboBox>(fraInput, row.name);
        list->setGeometry(row.geometry.pixels());
        // The items every face lists (birth/EntryBoxes.h).
        const birth::ListItems& items = birth::entryList(row.name)->items;
        if (const auto* names = std::get_if<std::span<const std::string_view>>(&items)) {
            for (const std::string_view name : *names)
                list->addItem(
                    QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
        } else {
            const birth::Range range = std::get<birth::Range>(items);
            for (int n = range.first; n <= range.last; ++n)
                list->addItem(QString::number(n));
        }
        list->setCurrentIndex(0);
    }
}

void frmMain::buildDateAndTime()
{
    addCaption(fraInput, "LabelName", QStringLiteral("Name"),
               tw(kCaptionLeft, 240, kCaptionWidth, 285))
        ->setBuddy(txtName);
    addCaption(fraInput, "LabelDateOfBirth", QStringLiteral("Date of Birth"),
               tw(kCaptionLeft, 600, kCaptionWidth, 315))
        ->setBuddy(cboMonth);
    addCaption(fraInput, "LabelTimeOfBirth", QStringLiteral("Time of Birth"),
               tw(kCaptionLeft, 960, kCaptionWidth, 315))
        ->setBuddy(cboHH);
    addCaption(fraInput, "LabelTimeHint", QStringLiteral("HH:MM:SS"), tw(4800, 1080, 900, 195));
}

void frmMain::buildZone()
{
    addCaption(fraInput, "LabelZone", QStringLiteral("Zone"),
               tw(kCaptionLeft, kZoneFrame.top + 240, kCaptionWidth, 285));
    addUnitCaptions(fraZone, "LabelZoneHour", QStringLiteral("Hour"), txtZoneHour, "LabelZoneMin",
                    QStringLiteral("Min"), txtZoneMinute);

    NAMED(chkDST, fraZone, QStringLiteral("DST"));
    chkDST->setGeometry(tw(2640, 195, 735, 375));
    chkDST->setFont(uiFont(8.25, true));

    NAMED(lblTZHelp, fraZone, QStringLiteral("TZ Help"));
    lblTZHelp->setFont(uiFont(11.25, true));
    // Where Verdana is missing the substitute face runs wider: the label may then
    // take the room up to the DST box rather than clip its caption.
    QRect help = kTZHelpLabel.pixels();
    help.setWidth(std::clamp(lblTZHelp->sizeHint().width(), help.width(), chkDST->x() - help.x()));
    lblTZHelp->setGeometry(help);
    connect(lblTZHelp, &LinkLabel::clicked, this, &frmMain::lblTZHelpClicked);
}

void frmMain::buildCoordinates()
{
    const QFont regular = uiFont(8.25);
    auto makeOption = [&](QRadioButton* option, const QRect& geometry) {
        option->setGeometry(geometry);
        option->setFont(regular);
    };

    optLong[0] = makeNamed<QRadioButton>(fraLongitude, "optLong_0", QStringLiteral("East"));
    optLong[1] = makeNamed<QRadioButton>(fraLongitude, "optLong_1", QStringLiteral("West"));
    makeOption(optLong[0], tw(1320, 240, 735, 255));
    makeOption(optLong[1], tw(1320, 480, 735, 255));
    optLongGroup = pairUp(optLong, this, "optLongGroup");
    addUnitCaptions(fraLongitude, "LabelLonDeg", QStringLiteral("Deg"), txtLonD, "LabelLonMin",
                    QStringLiteral("Min"), txtLonM);

    optLat[0] = makeNamed<QRadioButton>(fraLatitude, "optLat_0", QStringLiteral("North"));
    optLat[1] = makeNamed<QRadioButton>(fraLatitude, "optLat_1", QStringLiteral("South"));
    makeOption(optLat[0], tw(1320, 240, 855, 255));
    makeOption(optLat[1], tw(1320, 480, 855, 255));
    optLatGroup = pairUp(optLat, this, "optLatGroup");
    addUnitCaptions(fraLatitude, "LabelLatDeg", QStringLiteral("Deg"), txtLatD, "LabelLatMin",
                    QStringLiteral("Min"), txtLatM);

    for (QLabel* caption : fraLongitude->findChildren<QLabel*>())
        caption->setFont(regular);
    for (QLabel* caption : fraLatitude->findChildren<QLabel*>())
        caption->setFont(regular);
}

void frmMain::buildPlace()
{
    addCaption(fraInput, "LabelCity", QStringLiteral("City"),
               tw(kCaptionLeft, 3240, kCaptionWidth, 285))
        ->setBuddy(txtMCity);
    addCaption(fraInput, "LabelState", QStringLiteral("State"),
               tw(kCaptionLeft, 3600, kCaptionWidth, 285))
        ->setBuddy(txtMState);
    addCaption(fraInput, "LabelCountry", QStringLiteral("Country"),
               tw(kCaptionLeft, 3960, kCaptionWidth, 285))
        ->setBuddy(txtMCountry);

    cmdBrowser = makeNamed<WrappingButton>(
        fraInput, "cmdBrowser", QStringLiteral("Click Here To Find Latitude && Longitude"));
    cmdBrowser->setGeometry(tw(4200, 3240, 1455, 1035));
    connect(cmdBrowser, &QPushButton::clicked, this, &frmMain::cmdBrowserClicked);

    NAMED(cmdRashi, fraInput, QStringLiteral("Get My Parallax Reading"));
    cmdRashi->setGeometry(tw(840, 4320, 4815, 375));
    cmdRashi->setFont(uiFont(8.25, true));
    connect(cmdRashi, &QPushButton::clicked, this, &frmMain::cmdRashiClicked);
}

void frmMain::buildMenus()
{
    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuNext = mnuFile->addAction(QStringLiteral("Get Selenoscope Calculator"));
    mnuNext->setObjectName(QStringLiteral("mnuNext"));
    mnuExit = mnuFile->addAction(QStringLiteral("E&xit"));
    mnuExit->setObjectName(QStringLiteral("mnuExit"));
    connect(mnuNext, &QAction::triggered, this, &frmMain::cmdRashiClicked);
    connect(mnuExit, &QAction::triggered, this, &frmMain::mnuExitTriggered);

    addSharedMenus(menuBar(), kEntryWindowMenuNames);
}

void frmMain::chainTabOrder()
{
    // The links come where they stand: "TZ Help" between the zone and DST, the
    // banners after the fields.
    const std::array<QWidget*, 27> order{
        txtName,     cboMonth,      cboDate,   cboYear,   cboHH,      cboMM,       cboSS,
        txtZoneHour, txtZoneMinute, lblTZHelp, chkDST,    txtLonD,    txtLonM,     optLong[0],
        optLong[1],  txtLatD,       txtLatM,   optLat[0], optLat[1],  txtMCity,    txtMState,
        txtMCountry, cmdBrowser,    cmdRashi,  Label61,   lblCobrand, lblFullBrand};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void frmMain::describeForScreenReaders()
{
    // What a screen reader announces for each box: its row's caption, and which
    // part of the row it holds where a row has several. Buttons, options and
    // links are announced by their captions.
    for (const TextBoxField& row : textBoxFields())
        (this->*row.box)->setAccessibleName(QString::fromLatin1(row.accessibleName));
    // Qt on Linux announces a drop-down list by the item it shows and takes its
    // label from the caption whose buddy it is; the row's caption labels the
    // first list of a row, and every list describes itself.
    for (const ListField& row : listFields()) {
        QComboBox* list = this->*row.list;
        list->setAccessibleName(QString::fromLatin1(row.accessibleName));
        list->setAccessibleDescription(list->accessibleName());
    }
    chkDST->setAccessibleName(QStringLiteral("Daylight saving time (DST)"));
    lblTZHelp->setAccessibleDescription(QStringLiteral("Choose the time zone from a list"));
}

BirthDataFields frmMain::fields() const
{
    BirthDataFields fields;
    for (const TextBoxField& row : textBoxFields())
        if (row.text != nullptr)
            fields.*row.text = stdText((this->*row.box)->text());
    for (const ListField& row : listFields())
        if (row.text != nullptr)
            fields.*row.text = stdText((this->*row.list)->currentText());
    fields.east = optLong[0]->isChecked();
    fields.south = optLat[1]->isChecked();
    fields.daylightSaving = chkDST->checkState() != Qt::Unchecked;
    return fields;
}

void frmMain::setFields(const BirthDataFields& fields)
{
    // The zone hour comes before the zone minute, as the time zone picker writes them.
    for (const TextBoxField& row : textBoxFields())
        if (row.text != nullptr)
            (this->*row.box)->setText(qText(fields.*row.text));
    for (const ListField& row : listFields())
        if (row.text != nullptr)
            (this->*row.list)->setCurrentText(qText(fields.*row.text));
    chkDST->setChecked(fields.daylightSaving);
    optLong[fields.east ? 0 : 1]->setChecked(true);
    optLat[fields.south ? 1 : 0]->setChecked(true);
}

void frmMain::pickZone(const QString& hour, const QString& minute)
{
    txtZoneHour->setText(hour);
    txtZoneMinute->setText(minute);
    emit zoneEdited();
}

void frmMain::clearZone()
{
    txtZoneHour->clear();
    txtZoneMinute->clear();
}

void frmMain::setPlaceTexts(const QString& city, const QString& state, const QString& country)
{
    txtMCity->setText(city);
    txtMState->setText(state);
    txtMCountry->setText(country);
}

void frmMain::offerPlaceFinder()
{
    if (mnuFindPlace != nullptr)
        return;
    // Above "Exit", with the usual separator before it.
    mnuFindPlace = new QAction(QStringLiteral("Find Place &Offline..."), mnuFile);
    mnuFindPlace->setObjectName(QStringLiteral("mnuFindPlace"));
    mnuFile->insertAction(mnuExit, mnuFindPlace);
    mnuFile->insertSeparator(mnuExit)->setObjectName(QStringLiteral("mnuFileSep1"));
    mnuFindPlace->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    connect(mnuFindPlace, &QAction::triggered, this, &frmMain::placeFinderRequested);
}

void frmMain::reportHandEdits()
{
    // Only what the user does counts: text typed or pasted, an item chosen, a box or
    // option clicked. What the program writes into the fields is no hand edit.
    const auto signalFor = [](HandEdit edit) {
        switch (edit) {
        case HandEdit::BirthTime:
            return &frmMain::birthTimeEdited;
        case HandEdit::Zone:
            return &frmMain::zoneEdited;
        default:
            return &frmMain::coordinatesEdited;
        }
    };
    for (const TextBoxField& row : textBoxFields())
        if (row.edit != HandEdit::None)
            connect(this->*row.box, &QLineEdit::textEdited, this, signalFor(row.edit));
    for (const ListField& row : listFields())
        if (row.edit != HandEdit::None)
            connect(this->*row.list, &QComboBox::activated, this, signalFor(row.edit));
    connect(chkDST, &QAbstractButton::clicked, this, &frmMain::zoneEdited);
    for (QRadioButton* side : {optLong[0], optLong[1], optLat[0], optLat[1]})
        connect(side, &QAbstractButton::clicked, this, &frmMain::coordinatesEdited);
}

QString frmMain::cityText() const
{
    return txtMCity->text();
}

QString frmMain::stateText() const
{
    return txtMState->text();
}

QString frmMain::countryText() const
{
    return txtMCountry->text();
}

void frmMain::chooseFrontPromoLabel()
{
    CoBrand_Randomize(intCoBrandRandomNumber, *lblCobrand, *lblFullBrand);
}

QWidget* frmMain::fieldWidget(BirthField field) const
{
    for (const TextBoxField& row : textBoxFields())
        if (row.field == field)
            return this->*row.box;
    for (const ListField& row : listFields())
        if (row.field == field)
            return this->*row.list;
    return nullptr;
}

std::optional<modEphemeris::BirthData> frmMain::birthData()
{
    auto read = birth::ReadBirthData(fields(), lastBirthData_);
    if (const auto* refusal = std::get_if<birth::Refusal>(&read)) {
        AppServices::current().message(this,
                                       refusal->icon == birth::Refusal::Icon::Critical
                                           ? QMessageBox::Critical
                                           : QMessageBox::Information,
                                       qText(refusal->message));
        if (refusal->takesFocus)
            fieldWidget(refusal->field)->setFocus();
        return std::nullopt;
    }
    lastBirthData_ = std::get<modEphemeris::BirthData>(read);
    return lastBirthData_;
}

void frmMain::cmdRashiClicked()
{
    emit readingRequested();
}

void frmMain::cmdBrowserClicked()
{
    // A place box counts as filled as soon as it holds anything, spaces included.
    const std::array<std::pair<QLineEdit*, QString>, 3> placeChecks{{
        {txtMCity, QStringLiteral("Please Enter City")},
        {txtMState, QStringLiteral("Please Enter State")},
        {txtMCountry, QStringLiteral("Please Enter Country")},
    }};
    for (const auto& [box, message] : placeChecks) {
        if (box->text().isEmpty()) {
            AppServices::current().message(this, QMessageBox::Information, message);
            box->setFocus();
            return;
        }
    }
    bMaleSearch = true;
    emit lookupRequested();
}

void frmMain::lblTZHelpClicked()
{
    // The picker opens just right of and below the "TZ Help" label. The position is
    // summed in twips in single precision, as the window's layout is given.
    const QPoint window = frameGeometry().topLeft();
    const float left = static_cast<float>(window.x() * kTwipsPerPixel) +
                       static_cast<float>(kZoneFrame.left) + static_cast<float>(kTZHelpLabel.left) +
                       static_cast<float>(kTZHelpLabel.width);
    const float top = static_cast<float>(window.y() * kTwipsPerPixel) +
                      static_cast<float>(kTopBanner.top) + static_cast<float>(kTopBanner.height) +
                      static_cast<float>(kZoneFrame.top) + static_cast<float>(kTZHelpLabel.top) +
                      static_cast<float>(kTZHelpLabel.height) + static_cast<float>(kPickerDrop);

    emit zoneHelpRequested(QPoint(twips(static_cast<int>(std::lround(left))),
                                  twips(static_cast<int>(std::lround(top)))));
}

void frmMain::mnuExitTriggered()
{
    close();
}

void frmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (shownBefore_)
        return;
    shownBefore_ = true;
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - frameGeometry().center() + pos());
}

void frmMain::closeEvent(QCloseEvent* event)
{
    // Closing the entry window ends the program, whatever else is open.
    QMainWindow::closeEvent(event);
    UnloadAllAndEnd();
}
