#include "display/frmDisplay.h"

#include "display/ClipboardGuard.h"
#include "display/ReadingColours.h"
#include "display/TabPage.h"
#include "display/frmDasha.h"
#include "display/frmDetails.h"
#include "shell/AppIcon.h"
#include "shell/AppLifetime.h"
#include "shell/AppServices.h"
#include "shell/LinkLabel.h"
#include "shell/PromoLabels.h"
#include "shell/SharedMenus.h"
#include "shell/Twips.h"
#include "shell/UiKit.h"
#include "shell/modHelp.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QShowEvent>
#include <QTabBar>
#include <QTabWidget>
#include <array>

namespace {

struct ReadingFrame
{
    QGroupBox* frame;
    QLineEdit* box;
};

/// Lays out one tab: its explanation, the group frame, "Non-Parallax" left and "Parallax" right.
void arrangeTab(TabPage& page, QLabel& explanation, QGroupBox& group, ReadingFrame nonParallax,
                ReadingFrame parallax)
{
    explanation.setFont(uiFont(9.75, true));
    explanation.setWordWrap(true);
    page.place(&explanation, tw(240, 480, 7935, 495));
    page.place(&group, tw(0, 1320, 8295, 1695));

    nonParallax.frame->setGeometry(tw(120, 240, 3975, 1335));
    parallax.frame->setGeometry(tw(4200, 240, 3975, 1335));
    for (const ReadingFrame& reading : {nonParallax, parallax}) {
        reading.frame->setFont(uiFont(8.25, true));
        reading.box->setFont(uiFont(9.75, true));
        reading.box->setGeometry(tw(120, 480, 3735, 375));
        reading.box->setReadOnly(true); // a reading is shown, not edited
        reading.box->setAlignment(Qt::AlignCenter);
    }
}

/// The window's own side window of that kind that is shown; a closed one is only waiting to
/// be deleted and does not count.
template <class Window> Window* openChild(const QWidget& owner)
{
    for (Window* window : owner.findChildren<Window*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (window->isVisible())
            return window;
    }
    return nullptr;
}

} // namespace

frmDisplay::frmDisplay(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmDisplay"));
    setAttribute(Qt::WA_DeleteOnClose); // unloaded when left; the next reading opens a fresh one
    setWindowTitle(kWindowCaption);
    setWindowIcon(appIcon());

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(twips(8310), twips(5160));
    setCentralWidget(client);

    buildBanners(client);
    buildTabs(client);
    buildButtons(client);
    buildMenus();
    setKeyboardOrder();
    describeForScreenReaders();
    applyColours();

    auto* guard = new ClipboardGuard(this);
    for (QLineEdit* box :
         {txtSiderealNonParallax, txtSiderealParallax, txtWesternNonParallax, txtWesternParallax})
        guard->watch(box);
}

void frmDisplay::buildBanners(QWidget* client)
{
    NAMED(fraTopBanner, client);
    fraTopBanner->setGeometry(tw(0, 0, 8295, 615));
    Label61 =
        makeBannerLabel(fraTopBanner, BannerWording::DiscussionBoard, tw(120, 120, 8040, 585));

    NAMED(fraBottomBanner, client);
    fraBottomBanner->setGeometry(tw(-120, 4560, 9255, 855));
    const PromoLabels promo = makePromoLabels(fraBottomBanner, tw(120, 120, 8235, 615));
    lblFullBrand = promo.lblFullBrand;
    lblCobrand = promo.lblCobrand;
    // The window's bottom edge cuts the banner: the text keeps to the top, where
    // both its lines show.
    for (LinkLabel* label : {lblFullBrand, lblCobrand})
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
}

void frmDisplay::buildTabs(QWidget* client)
{
    NAMED(SSTab1, client);
    SSTab1->setGeometry(tw(0, 720, 8295, 3135));
    SSTab1->setFont(uiFont(8.25, true));

    NAMED(tabSidereal, nullptr, SSTab1);
    NAMED(Label2, tabSidereal,
          QStringLiteral("Parallax View : This signifies the location of the Moon as seen by an "
                         "observer on the surface of the earth."));
    NAMED(fraSidereal, tabSidereal);
    NAMED(fraSiderealNonParallax, fraSidereal, QStringLiteral("Non-Parallax"));
    NAMED(txtSiderealNonParallax, fraSiderealNonParallax);
    NAMED(fraSiderealParallax, fraSidereal, QStringLiteral("Parallax"));
    NAMED(txtSiderealParallax, fraSiderealParallax);

    NAMED(tabWestern, nullptr, SSTab1);
    NAMED(Label1, tabWestern,
          QStringLiteral("Non Parallax View : This signifies the location of the Moon as seen by "
                         "an observer in the centre of the earth."));
    Label1->unsetCursor(); // looks like its neighbour on the other tab; only its click is wired
    NAMED(fraWestern, tabWestern);
    NAMED(fraWesternNonParallax, fraWestern, QStringLiteral("Non-Parallax"));
    NAMED(txtWesternNonParallax, fraWesternNonParallax);
    NAMED(fraWesternParallax, fraWestern, QStringLiteral("Parallax"));
    NAMED(txtWesternParallax, fraWesternParallax);

    SSTab1->addTab(tabSidereal, QStringLiteral("Sidereal Astrology"));
    SSTab1->addTab(tabWestern, QStringLiteral("Western Astrology"));
    SSTab1->setCurrentIndex(0);

    arrangeTab(*tabSidereal, *Label2, *fraSidereal,
               {fraSiderealNonParallax, txtSiderealNonParallax},
               {fraSiderealParallax, txtSiderealParallax});
    arrangeTab(*tabWestern, *Label1, *fraWestern, {fraWesternNonParallax, txtWesternNonParallax},
               {fraWesternParallax, txtWesternParallax});

    connect(Label1, &LinkLabel::clicked, &modHelp::OpenFullBrandPage);
}

void frmDisplay::buildButtons(QWidget* client)
{
    NAMED(cmdExit, client, QStringLiteral("&Exit"));
    cmdExit->setGeometry(tw(0, 3960, 1620, 465));
    NAMED(cmdOK, client, QStringLiteral("&Back"));
    cmdOK->setGeometry(tw(1875, 3960, 6420, 465));
    for (QPushButton* button : {cmdExit, cmdOK})
        button->setFont(uiFont(8.25, true));

    connect(cmdOK, &QPushButton::clicked, this, &frmDisplay::cmdOKClicked);
    connect(cmdExit, &QPushButton::clicked, this, &frmDisplay::cmdExitClicked);
}

void frmDisplay::buildMenus()
{
    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    NAMED(mnuFileBack, mnuFile, QStringLiteral("&Back"));
    NAMED(mnuExit, mnuFile, QStringLiteral("E&xit"));
    mnuFile->addAction(mnuFileBack);
    mnuFile->addAction(mnuExit);
    connect(mnuFileBack, &QAction::triggered, this, &frmDisplay::cmdOKClicked);
    connect(mnuExit, &QAction::triggered, this, &frmDisplay::cmdExitClicked);

    // Below the described items, so that they keep their places.
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuDetailsSep"));
    NAMED(mnuDetails, mnuFile, QStringLiteral("Reading &Details..."));
    mnuDetails->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    mnuFile->addAction(mnuDetails);
    connect(mnuDetails, &QAction::triggered, this, &frmDisplay::detailsRequested);
    NAMED(mnuDasha, mnuFile, QStringLiteral("Vimshottari &Periods..."));
    mnuDasha->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    mnuFile->addAction(mnuDasha);
    connect(mnuDasha, &QAction::triggered, this, &frmDisplay::mnuDashaClicked);

    addSharedMenus(menuBar(), kDisplayWindowMenuNames);
}

void frmDisplay::setKeyboardOrder()
{
    // Back, Exit, the tabs, then the boxes; the boxes of the hidden tab are skipped.
    // The links follow: the explanation of the Western tab, then the banners.
    const std::array<QWidget*, 11> order{cmdOK,
                                         cmdExit,
                                         SSTab1,
                                         txtSiderealNonParallax,
                                         txtSiderealParallax,
                                         txtWesternNonParallax,
                                         txtWesternParallax,
                                         Label1,
                                         Label61,
                                         lblCobrand,
                                         lblFullBrand};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

/// What a screen reader announces: each reading box says which of the four readings it holds.
void frmDisplay::describeForScreenReaders()
{
    txtSiderealNonParallax->setAccessibleName(QStringLiteral("Sidereal reading without parallax"));
    txtSiderealParallax->setAccessibleName(QStringLiteral("Sidereal reading with parallax"));
    txtWesternNonParallax->setAccessibleName(QStringLiteral("Western reading without parallax"));
    txtWesternParallax->setAccessibleName(QStringLiteral("Western reading with parallax"));
    SSTab1->setAccessibleName(QStringLiteral("Readings"));
    SSTab1->tabBar()->setAccessibleName(QStringLiteral("Zodiac"));
}

void frmDisplay::showReading(const modEphemeris::MoonReadings& reading,
                             const std::optional<modEphemeris::PreciseBeside>& precise)
{
    const modEphemeris::MoonReading& sidereal = reading.sidereal;
    const modEphemeris::MoonReading& tropical = reading.tropical;
    // Each text is a change of its box, which empties the clipboard.
    txtSiderealNonParallax->setText(QString::fromStdString(sidereal.GeocentricText));
    txtSiderealParallax->setText(QString::fromStdString(sidereal.TopocentricText));
    txtWesternNonParallax->setText(QString::fromStdString(tropical.GeocentricText));
    txtWesternParallax->setText(QString::fromStdString(tropical.TopocentricText));
    markPreciseSigns(precise);
    SSTab1->setCurrentIndex(0);
    closeDetails(); // they belong to the reading these texts replace
    show();
    raise();
    activateWindow();
}

void frmDisplay::markPreciseSigns(const std::optional<modEphemeris::PreciseBeside>& precise)
{
    // The details' order: sidereal, then Western; without, then with parallax.
    const std::array<QLineEdit*, 4> boxes{txtSiderealNonParallax, txtSiderealParallax,
                                          txtWesternNonParallax, txtWesternParallax};
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        QString verdict;
        if (precise && precise->readings && (*precise->readings)[i].signDiffers)
            verdict = QString::fromStdString((*precise->readings)[i].signVerdict);
        boxes[i]->setToolTip(verdict);
        boxes[i]->setAccessibleDescription(verdict);
    }
}

void frmDisplay::showDetails(const modEphemeris::MoonDetails& details,
                             const std::optional<modEphemeris::PreciseBeside>& precise)
{
    // A closed one is only waiting to be deleted: it does not count.
    frmDetails* open = nullptr;
    for (frmDetails* window : findChildren<frmDetails*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (window->isVisible())
            open = window;
    }
    if (open == nullptr)
        open = new frmDetails(this); // owned: it goes when this window goes
    open->showDetails(details, precise);
}

void frmDisplay::closeDetails()
{
    for (frmDetails* window : findChildren<frmDetails*>(QString(), Qt::FindDirectChildrenOnly))
        window->close();
    for (frmDasha* window : findChildren<frmDasha*>(QString(), Qt::FindDirectChildrenOnly))
        window->close(); // the periods, too, are the shown reading's
}

void frmDisplay::mnuDashaClicked()
{
    // An open window keeps what was chosen in it.
    const auto* open = openChild<frmDasha>(*this);
    emit dashaRequested(open != nullptr ? open->chosenYearDays()
                                        : modEphemeris::kDefaultDashaYearDays,
                        open != nullptr ? open->chosenBirthTimeMinutes() : 0);
}

void frmDisplay::showDasha(const DashaView& view)
{
    auto* open = openChild<frmDasha>(*this);
    if (open == nullptr) {
        open = new frmDasha(this); // owned: it goes when this window goes
        connect(open, &frmDasha::conventionsChanged, this, &frmDisplay::dashaRequested);
    }
    open->showDasha(view);
}

void frmDisplay::applyColours()
{
    setPalette(readingPalette(palette()));

    // The tab pages take the window's colour rather than the style's lighter pane,
    // and the frames draw their edge in cyan with the caption on the line, which the
    // style's own edge (a shade darker than the surface) would leave invisible here.
    for (QWidget* page : {static_cast<QWidget*>(tabSidereal), static_cast<QWidget*>(tabWestern)})
        page->setAutoFillBackground(true);
    const QString frameStyle =
        QStringLiteral("QGroupBox { border: 1px solid %1; border-radius: 3px; margin-top: 7px;"
                       " color: %2; }"
                       "QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 3px;"
                       " background-color: %3; }")
            .arg(kTeal.lighter(200).name(), kCyan.name(), kDarkTeal.name());
    for (QGroupBox* frame : {fraSidereal, fraWestern})
        frame->setStyleSheet(frameStyle); // the two reading frames inside inherit it
}

void frmDisplay::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        // A push button takes Enter for itself; anywhere else Enter means Exit.
        auto* focusedButton = qobject_cast<QPushButton*>(focusWidget());
        (focusedButton != nullptr ? focusedButton : cmdExit)->click();
        return;
    }
    case Qt::Key_Escape:
        cmdExit->click();
        return;
    default:
        QMainWindow::keyPressEvent(event);
    }
}

void frmDisplay::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        cmdOK->setFocus(); // Back is where the keyboard starts
}

void frmDisplay::closeEvent(QCloseEvent* event)
{
    QMainWindow::closeEvent(event);
    closeDetails(); // Back and Exit alike take the details with them
    // Every close ends the program except the one that goes back to the entry window.
    if (!goingBack_)
        UnloadAllAndEnd();
}

void frmDisplay::cmdOKClicked()
{
    goingBack_ = true;
    close();
    emit backRequested(); // the window is deleted only once control returns to the event loop
}

void frmDisplay::cmdExitClicked()
{
    close();
}
