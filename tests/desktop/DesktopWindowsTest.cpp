#include "app/AppController.h"
#include "app/PreciseAccess.h"
#include "birth/ExampleBirths.h"
#include "display/frmDasha.h"
#include "display/frmDetails.h"
#include "display/frmDisplay.h"
#include "entry/frmMain.h"
#include "ephemeris/MoonDetails.h"
#include "lookup/frmBrowser.h"
#include "shell/AppIcon.h"
#include "shell/LinkLabel.h"
#include "shell/frmAbout.h"
#include "support/RecordingServices.h"
#include "support/UrlRecorder.h"
#include "support/WebEngineTestMain.h"
#include "support/WindowControls.h"
#include "timezone/FrmTimeZone.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QStyleOptionGroupBox>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>
#include <memory>

namespace {

// The widest text a reading box can hold: two-digit degrees, minutes and seconds.
const QString kWidestReading = QStringLiteral("29° 59' 59\" Sag");

bool isInteractive(const QWidget* widget)
{
    return qobject_cast<const LinkLabel*>(widget) != nullptr ||
           qobject_cast<const QAbstractButton*>(widget) != nullptr ||
           qobject_cast<const QLineEdit*>(widget) != nullptr ||
           qobject_cast<const QComboBox*>(widget) != nullptr ||
           qobject_cast<const QAbstractItemView*>(widget) != nullptr ||
           qobject_cast<const QTabWidget*>(widget) != nullptr ||
           qobject_cast<const QTabBar*>(widget) != nullptr;
}

/// A drop-down list's name is the item it shows (so Qt has it on Linux): what
/// it is for must come from a label or its description.
bool namesItself(QAccessibleInterface* list)
{
    return !list->relations(QAccessible::Label).isEmpty() ||
           !list->text(QAccessible::Description).trimmed().isEmpty();
}

QString describe(const QWidget* widget)
{
    const QString name = widget->objectName().isEmpty()
                             ? QString::fromLatin1(widget->metaObject()->className())
                             : widget->objectName();
    const QWidget* parent = widget->parentWidget();
    return parent == nullptr ? name : QStringLiteral("%1 in %2").arg(name, describe(parent));
}

/// The widgets of the window itself (not of its pop-ups) that have not been hidden.
QList<QWidget*> controlsOf(QWidget* window)
{
    QList<QWidget*> controls;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (widget->window() == window && !widget->isHidden())
            controls.append(widget);
    }
    return controls;
}

/// The part of the widget its containers leave on screen, in its own coordinates.
QRect visiblePart(const QWidget* widget)
{
    QRect visible = widget->rect();
    for (const QWidget* ancestor = widget->parentWidget(); ancestor != nullptr;
         ancestor = ancestor->parentWidget()) {
        visible &= QRect(widget->mapFrom(ancestor, QPoint(0, 0)), ancestor->size());
        if (ancestor->isWindow())
            break;
    }
    return visible;
}

/// Where a caption is drawn inside `area`, or an empty rectangle if it is not the
/// widget's to draw. Its size is what the text needs, whether or not `area` has it.
QRect textRect(const QWidget* widget, const QRect& area, int flags, const QString& text)
{
    return widget->fontMetrics().boundingRect(area, flags, text);
}

struct Caption
{
    QRect room;  // where the control draws its text
    QRect drawn; // what the text needs there
};

/// The caption a control draws and the room it has for it; nothing for controls
/// without a caption.
std::optional<Caption> captionOf(QWidget* widget)
{
    const int mnemonic = Qt::TextShowMnemonic;
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        if (label->text().isEmpty())
            return std::nullopt;
        const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0) |
                          (label->buddy() != nullptr ? mnemonic : 0);
        const QRect room = label->contentsRect();
        return Caption{room, textRect(label, room, flags, label->text())};
    }
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QRect room =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        // A button whose caption wraps says so the way a label does.
        const int flags = Qt::AlignCenter | mnemonic |
                          (button->property("wordWrap").toBool() ? Qt::TextWordWrap : 0);
        return Caption{room, textRect(button, room, flags, button->text())};
    }
    if (qobject_cast<QCheckBox*>(widget) != nullptr || qobject_cast<QRadioButton*>(widget)) {
        auto* button = static_cast<QAbstractButton*>(widget);
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const auto element = qobject_cast<QCheckBox*>(widget) != nullptr
                                 ? QStyle::SE_CheckBoxContents
                                 : QStyle::SE_RadioButtonContents;
        const QRect room = button->style()->subElementRect(element, &option, button);
        return Caption{room, textRect(button, room, Qt::AlignLeft | Qt::AlignVCenter | mnemonic,
                                      button->text())};
    }
    if (auto* box = qobject_cast<QLineEdit*>(widget)) {
        if (box->text().isEmpty())
            return std::nullopt;
        QStyleOptionFrame option;
        option.initFrom(box);
        option.lineWidth =
            box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box)
                            : 0;
        const QRect room = box->style()
                               ->subElementRect(QStyle::SE_LineEditContents, &option, box)
                               .marginsRemoved(box->textMargins());
        return Caption{room, textRect(box, room, int(box->alignment()), box->text())};
    }
    if (auto* list = qobject_cast<QComboBox*>(widget)) {
        if (list->isEditable() || list->count() == 0)
            return std::nullopt;
        QStyleOptionComboBox option;
        option.initFrom(list);
        option.editable = false;
        option.frame = list->hasFrame();
        const QRect room = list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                         QStyle::SC_ComboBoxEditField, list);
        // Any item may come to be shown: the widest decides.
        QRect widest;
        for (int item = 0; item < list->count(); ++item) {
            const QRect drawn =
                textRect(list, room, Qt::AlignLeft | Qt::AlignVCenter, list->itemText(item));
            if (drawn.width() > widest.width())
                widest = drawn;
        }
        return Caption{room, widest};
    }
    if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
        if (frame->title().isEmpty())
            return std::nullopt;
        QStyleOptionGroupBox option;
        option.initFrom(frame);
        option.text = frame->title();
        option.lineWidth = 1;
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        const QRect label = frame->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                           QStyle::SC_GroupBoxLabel, frame);
        return Caption{frame->rect(),
                       textRect(frame, label, Qt::AlignLeft | mnemonic, frame->title())};
    }
    return std::nullopt;
}

QString rectText(const QRect& rect)
{
    return QStringLiteral("(%1,%2 %3x%4)")
        .arg(rect.x())
        .arg(rect.y())
        .arg(rect.width())
        .arg(rect.height());
}

} // namespace

/// Every window as a desktop user meets it: announced to screen readers, usable
/// from the keyboard, and drawn whole at any scale (run once at the screen's own
/// scale and once with QT_SCALE_FACTOR=2).
class DesktopWindowsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void windowsWearTheProgramsIcon();
    void everyControlHasAName_data() { windowRows(); }
    void everyControlHasAName();
    void linksAreAnnouncedAsLinks();
    void tabReachesTheLinks_data();
    void tabReachesTheLinks();
    void keysFollowALink_data();
    void keysFollowALink();
    void enterStillClosesTheAboutBox();

    void controlsStayInsideTheirContainers_data() { windowRows(); }
    void controlsStayInsideTheirContainers();
    void captionsAreNotClipped_data() { windowRows(); }
    void captionsAreNotClipped();

private:
    void windowRows();
    QWidget* open(const QString& which);

    std::unique_ptr<RecordingServices> services_;
    std::unique_ptr<UrlRecorder> urls_;
    /// Owns the entry window and answers what it asks for, as in the program.
    std::unique_ptr<AppController> controller_;
    QList<QPointer<QWidget>> windows_;
};

void DesktopWindowsTest::initTestCase()
{
    QApplication::setQuitOnLastWindowClosed(false);
    // The scaled run must really be scaled, or it proves nothing.
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
        QCOMPARE(qApp->devicePixelRatio(), qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
}

void DesktopWindowsTest::init()
{
    services_ = std::make_unique<RecordingServices>();
    urls_ = std::make_unique<UrlRecorder>();
}

void DesktopWindowsTest::cleanup()
{
    for (const QPointer<QWidget>& window : windows_)
        delete window.data(); // deleted, not closed: closing the entry window ends the program
    windows_.clear();
    controller_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    urls_.reset();
    services_.reset();
}

void DesktopWindowsTest::windowRows()
{
    QTest::addColumn<QString>("which");
    for (const char* which :
         {"entry window", "reading window, sidereal tab", "reading window, western tab",
          "reading details", "Vimshottari periods", "time zone picker", "about box",
          "location browser"})
        QTest::newRow(which) << QString::fromLatin1(which);
}

QWidget* DesktopWindowsTest::open(const QString& which)
{
    QWidget* window = nullptr;
    if (which == QLatin1String("entry window")) {
        controller_ = std::make_unique<AppController>();
        window = &controller_->entryWindow();
    } else if (which.startsWith(QLatin1String("reading window"))) {
        auto* display = new frmDisplay;
        const DisplayControls ui(*display);
        for (QLineEdit* box : {ui.txtSiderealNonParallax, ui.txtSiderealParallax,
                               ui.txtWesternNonParallax, ui.txtWesternParallax})
            box->setText(kWidestReading);
        ui.SSTab1->setCurrentIndex(which.endsWith(QLatin1String("western tab")) ? 1 : 0);
        window = display;
    } else if (which == QLatin1String("reading details")) {
        // A reading on a sign's edge, so that the words for it are shown as well: the
        // precise Moon's longest verdict, where the build has it, else the warning.
        modEphemeris::BirthData birth = birth::WorkedExample();
        birth.BirthDay = 2;
        birth.BirthHour = 14;
        birth.BirthMinute = 38;
        const modEphemeris::MoonDetails shown = modEphemeris::ComputeMoonDetails({birth, {}});
        auto* details = new frmDetails;
        details->showDetails(shown, preciseBesideDetails({birth, {}}, shown));
        window = details;
    } else if (which == QLatin1String("Vimshottari periods")) {
        // A day of birth time half a second past Ashwini's edge: every mark is shown.
        modEphemeris::DashaRequest request;
        request.longitude = 0.5 / 3600;
        request.julianDay = 2451545;
        request.moonMotion = 13;
        request.birthTimeMinutes = 1440;
        request.levels = 3;
        auto* periods = new frmDasha;
        periods->showDasha({modEphemeris::ComputeVimshottari(request),
                            "this build of the program has no precise Moon", -884, 2451545});
        window = periods;
    } else if (which == QLatin1String("time zone picker")) {
        window = new FrmTimeZone;
    } else if (which == QLatin1String("about box")) {
        window = new frmAbout;
    } else if (which == QLatin1String("location browser")) {
        // Built and shown but never loaded: nothing goes out.
        window = new frmBrowser(LocationQuery{}, QUrl(QStringLiteral("http://127.0.0.1:1/")));
    }
    if (window == nullptr)
        qFatal("no window called %s", qPrintable(which));
    if (controller_ == nullptr || window != &controller_->entryWindow())
        windows_.append(window);
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        qWarning("%s did not become active", qPrintable(which));
    return window;
}

void DesktopWindowsTest::windowsWearTheProgramsIcon()
{
    // The desktop's SVG, drawn at every size the windows carry, and not the SVG of
    // an older build.
    const QIcon svg(QStringLiteral(SELENOSCOPE_ICON_SVG));
    QWidget* window = open(QStringLiteral("entry window"));
    for (const int size : {16, 32, 64, 128}) {
        const QImage expected = svg.pixmap(size, size).toImage();
        QVERIFY2(!expected.isNull(), "the program's SVG icon cannot be drawn");
        QCOMPARE(appIcon().pixmap(size, size).toImage(), expected);
        QCOMPARE(window->windowIcon().pixmap(size, size).toImage(), expected);
    }
    // The about box's size.
    QCOMPARE(appIconPixmap(48).toImage(), svg.pixmap(48, 48).toImage());
}

void DesktopWindowsTest::everyControlHasAName()
{
    QFETCH(QString, which);
    QWidget* window = open(which);

    QStringList unnamed;
    int checked = 0;
    for (QWidget* control : controlsOf(window)) {
        if (!isInteractive(control))
            continue;
        ++checked;
        QAccessibleInterface* announced = QAccessible::queryAccessibleInterface(control);
        if (announced == nullptr || announced->text(QAccessible::Name).trimmed().isEmpty() ||
            (qobject_cast<QComboBox*>(control) != nullptr && !namesItself(announced)))
            unnamed.append(describe(control));
    }
    QVERIFY(checked > 0);
    QVERIFY2(unnamed.isEmpty(), qPrintable(QStringLiteral("no name for a screen reader: ") +
                                           unnamed.join(QStringLiteral("; "))));
}

void DesktopWindowsTest::linksAreAnnouncedAsLinks()
{
    QWidget* window = open(QStringLiteral("entry window"));
    QAccessibleInterface* link =
        QAccessible::queryAccessibleInterface(named<LinkLabel>(*window, "lblTZHelp"));
    QVERIFY(link != nullptr);
    QCOMPARE(link->role(), QAccessible::Link);
    QCOMPARE(link->text(QAccessible::Name), QStringLiteral("TZ Help"));

    // A screen reader follows the link through its press action.
    QAccessibleActionInterface* actions = link->actionInterface();
    QVERIFY(actions != nullptr);
    QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(services_->modals.size(), 1);
    QCOMPARE(services_->modals.first().objectName, QStringLiteral("FrmTimeZone"));
}

void DesktopWindowsTest::tabReachesTheLinks_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("start");
    QTest::addColumn<bool>("fullBrandInFront");
    QTest::addColumn<QStringList>("focusOrder"); // where each press of Tab lands

    QTest::newRow("TZ Help between the zone and DST")
        << "entry window"
        << "txtZoneMinute" << false << QStringList{"lblTZHelp", "chkDST"};
    QTest::newRow("banners after the reading button, co-brand offer in front")
        << "entry window"
        << "cmdRashi" << false << QStringList{"Label61", "lblCobrand", "txtName"};
    QTest::newRow("banners after the reading button, full-brand offer in front")
        << "entry window"
        << "cmdRashi" << true << QStringList{"Label61", "lblFullBrand", "txtName"};
    QTest::newRow("about box: OK, then its two links")
        << "about box"
        << "cmdOK" << false << QStringList{"lblCobrand", "lblHomePage", "cmdOK"};
}

void DesktopWindowsTest::tabReachesTheLinks()
{
    QFETCH(QString, which);
    QFETCH(QString, start);
    QFETCH(bool, fullBrandInFront);
    QFETCH(QStringList, focusOrder);

    QWidget* window = open(which);
    if (fullBrandInFront)
        window->findChild<QWidget*>(QStringLiteral("lblFullBrand"))->raise();
    auto* first = window->findChild<QWidget*>(start);
    QVERIFY(first != nullptr);
    first->setFocus();
    QCOMPARE(QApplication::focusWidget(), first);
    for (const QString& next : focusOrder) {
        QTest::keyClick(window->windowHandle(), Qt::Key_Tab);
        QWidget* focused = QApplication::focusWidget();
        QVERIFY(focused != nullptr);
        QCOMPARE(focused->objectName(), next);
    }
}

void DesktopWindowsTest::keysFollowALink_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("link");
    QTest::addColumn<int>("key");

    QTest::newRow("Space on TZ Help") << "entry window"
                                      << "lblTZHelp" << int(Qt::Key_Space);
    QTest::newRow("Enter on TZ Help") << "entry window"
                                      << "lblTZHelp" << int(Qt::Key_Return);
    QTest::newRow("keypad Enter on the forum banner") << "entry window"
                                                      << "Label61" << int(Qt::Key_Enter);
    QTest::newRow("Space on the co-brand offer") << "entry window"
                                                 << "lblCobrand" << int(Qt::Key_Space);
    QTest::newRow("Space on the reading window's banner") << "reading window, sidereal tab"
                                                          << "Label61" << int(Qt::Key_Space);
    QTest::newRow("Enter on the about box's home page link")
        << "about box"
        << "lblHomePage" << int(Qt::Key_Return);
}

void DesktopWindowsTest::keysFollowALink()
{
    QFETCH(QString, which);
    QFETCH(QString, link);
    QFETCH(int, key);

    QWidget* window = open(which);
    auto* label = window->findChild<LinkLabel*>(link);
    QVERIFY(label != nullptr);
    label->setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), label);

    // The key does what a click does: the same page or the same dialog, once.
    QTest::keyClick(label, Qt::Key(key));
    const QList<QUrl> pagesByKey = urls_->opened;
    const int dialogsByKey = int(services_->modals.size());
    QCOMPARE(pagesByKey.size() + dialogsByKey, 1);
    QVERIFY(window->isVisible()); // the key went to the link, not to the window

    urls_->opened.clear();
    services_->modals.clear();
    QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
    QCOMPARE(urls_->opened, pagesByKey);
    QCOMPARE(int(services_->modals.size()), dialogsByKey);
}

void DesktopWindowsTest::enterStillClosesTheAboutBox()
{
    auto* about = static_cast<frmAbout*>(open(QStringLiteral("about box")));
    QCOMPARE(QApplication::focusWidget(), AboutControls(*about).cmdOK);
    QTest::keyClick(about->windowHandle(), Qt::Key_Return);
    QVERIFY(!about->isVisible());
    QCOMPARE(about->result(), int(QDialog::Accepted));
    QVERIFY(urls_->opened.isEmpty());
}

void DesktopWindowsTest::controlsStayInsideTheirContainers()
{
    QFETCH(QString, which);
    QWidget* window = open(which);

    // What the user works with lies wholly inside its container. Labels and
    // frames may be drawn past theirs, which clips them; their captions are the
    // next test's.
    QStringList outside;
    for (QWidget* control : controlsOf(window)) {
        if (!control->isVisibleTo(window) || !isInteractive(control) ||
            qobject_cast<LinkLabel*>(control) != nullptr)
            continue;
        const QWidget* container = control->parentWidget();
        if (!container->rect().contains(control->geometry()))
            outside.append(QStringLiteral("%1 %2 outside %3")
                               .arg(describe(control), rectText(control->geometry()),
                                    rectText(container->rect())));
    }
    QVERIFY2(outside.isEmpty(), qPrintable(outside.join(QStringLiteral("; "))));
}

void DesktopWindowsTest::captionsAreNotClipped()
{
    QFETCH(QString, which);
    QWidget* window = open(which);

    QStringList clipped;
    int checked = 0;
    for (QWidget* control : controlsOf(window)) {
        if (!control->isVisibleTo(window))
            continue;
        const std::optional<Caption> caption = captionOf(control);
        if (!caption)
            continue;
        ++checked;
        // The text must fit the room its control gives it, and its containers
        // must leave that part on screen.
        const QRect visible = visiblePart(control);
        if (!caption->room.contains(caption->drawn) || !visible.contains(caption->drawn))
            clipped.append(QStringLiteral("%1: text needs %2, has %3, shown %4")
                               .arg(describe(control), rectText(caption->drawn),
                                    rectText(caption->room), rectText(visible)));
    }
    QVERIFY(checked > 0);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral("\n"))));
}

WEBENGINE_TEST_MAIN(DesktopWindowsTest)

#include "DesktopWindowsTest.moc"
