#include "LockStage.h"
#include "shell/AppLifetime.h"
#include "shell/CoBrand.h"
#include "shell/LinkLabel.h"
#include "shell/ProgramStyle.h"
#include "shell/PromoLabels.h"
#include "shell/RawImage.h"
#include "shell/SharedMenus.h"
#include "shell/SingleInstance.h"
#include "shell/frmAbout.h"
#include "support/RecordingServices.h"
#include "support/UrlRecorder.h"
#include "support/WindowControls.h"

#include <QGroupBox>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <array>
#include <memory>

namespace {

QUrl sitePage(const char* path)
{
    return QUrl(QStringLiteral(SITE_URL "/")).resolved(QUrl(QString::fromLatin1(path)));
}

void clickLabel(QWidget* label)
{
    QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
}

/// True when `front` lies above `back` among their siblings.
bool inFront(const QWidget* front, const QWidget* back)
{
    const QObjectList& siblings = front->parentWidget()->children();
    return siblings.indexOf(front) > siblings.indexOf(back);
}

/// Starts a second process that tries the lock; returns what it answered.
QByteArray startLockHolder(QProcess& holder, const QString& lockPath)
{
    holder.start(QStringLiteral(LOCK_HOLDER_PATH), {lockPath});
    if (!holder.waitForReadyRead(10000))
        return "no answer";
    return holder.readLine().trimmed();
}

/// A window that counts how often it was closed.
class CountingWindow : public QMainWindow
{
public:
    int closes = 0;
    bool endsProgramOnClose = false;

protected:
    void closeEvent(QCloseEvent* event) override
    {
        ++closes;
        if (endsProgramOnClose)
            UnloadAllAndEnd();
        QMainWindow::closeEvent(event);
    }
};

} // namespace

class ShellTest : public QObject
{
    Q_OBJECT

private slots:
    void coBrandNumberRounding_data();
    void coBrandNumberRounding();
    void coBrandOdds();
    void coBrandStacking();

    void secondCopyIsRefusedWhileTheFirstRuns();
    void lockOfAKilledCopyDoesNotBlock();
    void startingCopyJudgesWhatHoldsItsLock_data();
    void startingCopyJudgesWhatHoldsItsLock();
    void copiesStartingTogetherLetOneRun_data();
    void copiesStartingTogetherLetOneRun();

    void exitClosesEveryWindowHiddenOnesToo();
    void exitStartedByClosingAWindowEndsOnce();

    void sharedMenuItemsOpenTheirPages_data();
    void sharedMenuItemsOpenTheirPages();
    void sharedMenusAreNamedPerWindow_data();
    void sharedMenusAreNamedPerWindow();
    void aboutSoftwareOpensTheAboutBoxModally();
    void linkLabelsOpenTheirPages_data();
    void linkLabelsOpenTheirPages();
    void aboutBoxLinksAndOk();
    void questionAnswers_data();
    void questionAnswers();
    void programStyleDrawsGroupBoxesAsItsBase_data();
    void programStyleDrawsGroupBoxesAsItsBase();
};

void ShellTest::coBrandNumberRounding_data()
{
    QTest::addColumn<float>("draw");
    QTest::addColumn<int>("number");
    QTest::newRow("zero gives 1") << 0.0F << 1;
    QTest::newRow("a quarter: 2.5 rounds down to even 2") << 0.25F << 2;
    QTest::newRow("a half: exactly 4") << 0.5F << 4;
    QTest::newRow("three quarters: 5.5 rounds up to even 6") << 0.75F << 6;
    QTest::newRow("just below a quarter") << std::nextafter(0.25F, 0.0F) << 2;
    QTest::newRow("just above a quarter") << std::nextafter(0.25F, 1.0F) << 3;
    QTest::newRow("largest draw below 1 gives 7") << std::nextafter(1.0F, 0.0F) << 7;
    QTest::newRow("below 1.5 gives 1") << 0.08F << 1;
    QTest::newRow("just above 6.5 gives 7") << 0.9167F << 7;
    QTest::newRow("just below 6.5 gives 6") << 0.9166F << 6;
}

void ShellTest::coBrandNumberRounding()
{
    QFETCH(float, draw);
    QFETCH(int, number);
    QCOMPARE(CoBrandNumber(draw), number);
}

void ShellTest::coBrandOdds()
{
    SeedRandom(20261208U);
    constexpr int kDraws = 120000;
    std::array<int, 8> counts{};
    for (int i = 0; i < kDraws; ++i) {
        const float r = NextRandomSingle();
        QVERIFY(r >= 0.0F && r < 1.0F);
        ++counts.at(static_cast<std::size_t>(CoBrandNumber(r)));
    }
    QCOMPARE(counts[0], 0);
    const double fullBrand = double(counts[2] + counts[4] + counts[6]) / kDraws;
    const double coBrand = double(counts[1] + counts[3] + counts[5]) / kDraws;
    const double unchanged = double(counts[7]) / kDraws;
    constexpr double kTolerance = 0.01; // several standard deviations at this many draws
    QVERIFY2(std::abs(fullBrand - 1.0 / 2) < kTolerance, qPrintable(QString::number(fullBrand)));
    QVERIFY2(std::abs(coBrand - 5.0 / 12) < kTolerance, qPrintable(QString::number(coBrand)));
    QVERIFY2(std::abs(unchanged - 1.0 / 12) < kTolerance, qPrintable(QString::number(unchanged)));
}

void ShellTest::coBrandStacking()
{
    // Over enough seeds every branch of the rule is taken at least once.
    std::array<bool, 3> seen{}; // full brand, co-brand, unchanged
    for (std::uint32_t seed = 0; seed < 200; ++seed) {
        QWidget parent;
        PromoLabels labels = makePromoLabels(&parent, QRect(0, 0, 100, 40));
        QVERIFY(inFront(labels.lblCobrand, labels.lblFullBrand)); // as laid out

        SeedRandom(seed);
        const int expected = CoBrandNumber(NextRandomSingle());
        SeedRandom(seed);
        int number = 0;
        CoBrand_Randomize(number, *labels.lblCobrand, *labels.lblFullBrand);
        QCOMPARE(number, expected);
        if (number % 2 == 0) {
            QVERIFY(inFront(labels.lblFullBrand, labels.lblCobrand));
            seen[0] = true;
        } else {
            QVERIFY(inFront(labels.lblCobrand, labels.lblFullBrand));
            seen[number == 7 ? 2 : 1] = true;
        }
    }
    QVERIFY(seen[0] && seen[1] && seen[2]);
}

void ShellTest::secondCopyIsRefusedWhileTheFirstRuns()
{
    QTemporaryDir dir;
    const QString lockPath = dir.filePath(QStringLiteral("selenoscope.lock"));
    QProcess holder;
    QCOMPARE(startLockHolder(holder, lockPath), QByteArray("locked"));

    SingleInstance second(lockPath);
    QCOMPARE(second.acquire().state, LockOutcome::State::AnotherCopyRuns);
    QCOMPARE(holder.state(), QProcess::Running); // the first copy is left alone

    holder.kill();
    holder.waitForFinished();
}

void ShellTest::lockOfAKilledCopyDoesNotBlock()
{
    QTemporaryDir dir;
    const QString lockPath = dir.filePath(QStringLiteral("selenoscope.lock"));
    QProcess holder;
    QCOMPARE(startLockHolder(holder, lockPath), QByteArray("locked"));
    holder.kill(); // no chance to remove its lock file
    QVERIFY(holder.waitForFinished());
    QVERIFY(QFile::exists(lockPath));

    SingleInstance next(lockPath);
    QCOMPARE(next.acquire().state, LockOutcome::State::Held);
    // And now the next start after it is refused.
    QProcess third;
    QCOMPARE(startLockHolder(third, lockPath), QByteArray("refused"));
    third.kill();
    third.waitForFinished();
}

void ShellTest::startingCopyJudgesWhatHoldsItsLock_data()
{
    QTest::addColumn<LockScene>("scene");
    QTest::addColumn<QByteArray>("answer");
    const QByteArray locked = "locked";
    const QByteArray refused = "refused";
    const QByteArray unguarded = "unguarded";
    // Only a live copy of this user's refuses a start.
    QTest::newRow("a live copy") << LockScene::LiveCopy << refused;
    QTest::newRow("a live copy on a renamed host")
        << LockScene::LiveCopyWhoseRecordNamesAnotherMachine << refused;
    // A lock nobody holds is taken over, whatever it says.
    QTest::newRow("the record of a copy that holds another lock")
        << LockScene::RecordOfACopyHoldingAnotherLock << locked;
    QTest::newRow("garbage, three days old") << LockScene::GarbageThreeDaysOld << locked;
    QTest::newRow("empty, as after a power loss") << LockScene::EmptyFile << locked;
    QTest::newRow("written on another machine") << LockScene::AnotherMachinesLock << locked;
    QTest::newRow("its pid now another program's")
        << LockScene::PidNowUsedByAnotherProgram << locked;
    QTest::newRow("its pid ended") << LockScene::DeadPid << locked;
    // No lock to be had: start all the same, and say why.
    QTest::newRow("a folder in the way") << LockScene::FolderInTheWay << unguarded;
    QTest::newRow("a dangling symbolic link") << LockScene::DanglingLink << unguarded;
    QTest::newRow("a named pipe, never read") << LockScene::NamedPipeInTheWay << unguarded;
    QTest::newRow("a read-only folder") << LockScene::ReadOnlyFolder << unguarded;
    QTest::newRow("a stale lock in a read-only folder")
        << LockScene::StaleLockInReadOnlyFolder << unguarded;
    QTest::newRow("held by another account") << LockScene::CopyOfAnotherAccount << unguarded;
    // The user's own folder: another account's file there is no copy of this user's.
    QTest::newRow("another account's lock, unreadable, in the user's own folder")
        << LockScene::UnopenableStaleLockOfAnotherAccount << locked;
    // Without a runtime folder, the temp folder's shared name is nobody's to hold.
    QTest::newRow("no runtime folder: garbage under the shared name")
        << LockScene::GarbagePlantedUnderTheSharedName << locked;
    QTest::newRow("no runtime folder: another account's copy under the shared name")
        << LockScene::AnotherAccountsCopyUnderTheSharedName << locked;
    QTest::newRow("no runtime folder: the private folder is another account's")
        << LockScene::PrivateFolderOfAnotherAccount << unguarded;
    QTest::newRow("no runtime folder: a link in place of the private folder")
        << LockScene::LinkInPlaceOfThePrivateFolder << unguarded;
}

void ShellTest::startingCopyJudgesWhatHoldsItsLock()
{
    QFETCH(LockScene, scene);
    QFETCH(QByteArray, answer);
    if (!LockStage::canStage(scene))
        QSKIP("staging another account's files needs root and setpriv");
    LockStage stage;
    QVERIFY(stage.stage(scene));

    QCOMPARE(stage.startCopy(), answer);
    if (answer == "locked")
        QVERIFY(QFileInfo(stage.lockPath()).isFile());
    const QByteArray errors = stage.endCopy();
    if (answer == "unguarded") // the one line names the lock it could not take
        QVERIFY2(errors.contains(QFile::encodeName(stage.lockPath())), errors.constData());
    QVERIFY(stage.holdersStillRun()); // nothing is done to a running copy
}

void ShellTest::copiesStartingTogetherLetOneRun_data()
{
    QTest::addColumn<LockScene>("scene");
    QTest::newRow("the first paused between making its lock file and locking it")
        << LockScene::NoLockFileYet;
    QTest::newRow("both find an unreadable stale lock, the first paused before replacing it")
        << LockScene::UnopenableStaleLockOfAnotherAccount;
}

void ShellTest::copiesStartingTogetherLetOneRun()
{
    QFETCH(LockScene, scene);
    if (!LockStage::canStage(scene))
        QSKIP("staging another account's files needs root and setpriv");
    LockStage stage;
    QVERIFY(stage.stage(scene));
    QVERIFY2(stage.startPausedCopy(), "the first copy did not come to its lock");
    // The second finds the lock file nobody holds yet, and locks it.
    QCOMPARE(stage.startCopy(), QByteArray("locked"));
    QCOMPARE(stage.releasePausedCopy(), QByteArray("refused"));
}

void ShellTest::exitClosesEveryWindowHiddenOnesToo()
{
    RecordingServices services;
    CountingWindow visible;
    CountingWindow hidden;
    visible.show();
    hidden.show();
    hidden.hide(); // as the entry window while a reading is shown
    QPointer<QWidget> unloaded = new QMainWindow;
    unloaded->setAttribute(Qt::WA_DeleteOnClose);
    unloaded->show();

    UnloadAllAndEnd();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QCOMPARE(visible.closes, 1);
    QCOMPARE(hidden.closes, 1);
    QVERIFY(!visible.isVisible());
    QVERIFY(unloaded.isNull());
    QCOMPARE(services.endCount, 1);
}

void ShellTest::exitStartedByClosingAWindowEndsOnce()
{
    RecordingServices services;
    CountingWindow entry;
    entry.endsProgramOnClose = true;
    CountingWindow other;
    entry.show();
    other.show();

    entry.close();

    QCOMPARE(entry.closes, 1);
    QCOMPARE(other.closes, 1);
    QCOMPARE(services.endCount, 1);
}

void ShellTest::sharedMenuItemsOpenTheirPages_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QUrl>("page");
    QTest::newRow("Online Help") << "mnuOnline" << sitePage("help/");
    QTest::newRow("Visit Us Online") << "mnuVisit" << sitePage("forum/");
    QTest::newRow("Check for Software Update") << "mnuUpdate" << sitePage("download/");
    QTest::newRow("Donate") << "mnuDonate" << sitePage("donate/");
    QTest::newRow("Make Money Online") << "mkmoney" << sitePage("fullbrand/");
}

void ShellTest::sharedMenuItemsOpenTheirPages()
{
    QFETCH(QString, item);
    QFETCH(QUrl, page);
    UrlRecorder urls;
    RecordingServices services;
    QMainWindow window;
    addSharedMenus(window.menuBar(), kEntryWindowMenuNames);
    auto* action = window.menuBar()->findChild<QAction*>(item);
    QVERIFY(action != nullptr);
    if (!action->isEnabled()) {
        action->trigger(); // greyed: the user cannot invoke it
        QVERIFY(urls.opened.isEmpty());
        action->setEnabled(true); // its handler is still wired to its page
    }
    action->trigger();
    QCOMPARE(urls.opened, QList<QUrl>{page});
    QVERIFY(services.messages.isEmpty());
    QVERIFY(services.modals.isEmpty());
}

void ShellTest::sharedMenusAreNamedPerWindow_data()
{
    QTest::addColumn<bool>("entryWindow");
    QTest::addColumn<QStringList>("helpItems");
    QTest::newRow("entry window") << true
                                  << QStringList{"mnuOnline:&Online Help",
                                                 "mnuVisit:&Visit Us Online",
                                                 "mnuHelp1:",
                                                 "mnuUpdate:Check for Software &Update",
                                                 "mnuHelp2:",
                                                 "mnuAbout:&About Software"};
    QTest::newRow("display window")
        << false << QStringList{"mnuOnline:&Online Help", "mnuVisit:&Visit Us Online",
                                "mnuFileSep1:",           "mnuUpdate:&Check for Software Update",
                                "mnuFileSep2:",           "mnuAbout:&About Software"};
}

void ShellTest::sharedMenusAreNamedPerWindow()
{
    QFETCH(bool, entryWindow);
    QFETCH(QStringList, helpItems);
    QMainWindow window;
    const SharedMenus menus = addSharedMenus(
        window.menuBar(), entryWindow ? kEntryWindowMenuNames : kDisplayWindowMenuNames);

    QStringList items;
    for (const QAction* action : menus.mnuHelp->actions())
        items << action->objectName() + u':' + action->text();
    QCOMPARE(items, helpItems);
    QCOMPARE(menus.mnuHelp->title(), QStringLiteral("&Help"));

    QStringList bar;
    for (const QAction* action : window.menuBar()->actions())
        bar << action->text();
    QCOMPARE(bar, (QStringList{"&Help", "&Donate", "Make Money &Online"}));
    QVERIFY(menus.mnuDonate->menu() == nullptr); // a command, not a submenu
    QVERIFY(!menus.mkmoney->isEnabled());
    QVERIFY(menus.mkmoney->isVisible()); // shown greyed
}

void ShellTest::aboutSoftwareOpensTheAboutBoxModally()
{
    RecordingServices services;
    QString title;
    services.onModal = [&](QDialog& dialog) {
        QVERIFY(dialog.isModal());
        title = dialog.windowTitle();
    };
    QMainWindow window;
    const SharedMenus menus = addSharedMenus(window.menuBar(), kDisplayWindowMenuNames);
    menus.mnuAbout->trigger();
    QCOMPARE(services.modals.size(), 1);
    QCOMPARE(services.modals.first().objectName, QStringLiteral("frmAbout"));
    QCOMPARE(title, QStringLiteral("Selenoscope v1.0"));
}

void ShellTest::linkLabelsOpenTheirPages_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QUrl>("page");
    QTest::newRow("banner") << "Label61" << sitePage("forum/");
    QTest::newRow("full-branding offer") << "lblFullBrand" << sitePage("fullbrand/");
    QTest::newRow("co-branding offer") << "lblCobrand" << sitePage("cobrand/");
}

void ShellTest::linkLabelsOpenTheirPages()
{
    QFETCH(QString, label);
    QFETCH(QUrl, page);
    UrlRecorder urls;
    QWidget window;
    window.resize(400, 200);
    makeBannerLabel(&window, BannerWording::DiscussionBoard, QRect(0, 0, 400, 40));
    const PromoLabels promo = makePromoLabels(&window, QRect(0, 100, 400, 40));
    auto* link = window.findChild<LinkLabel*>(label);
    QVERIFY(link != nullptr);
    QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
    window.show();
    link->raise(); // the one in front is the one the user clicks
    clickLabel(link);
    QCOMPARE(urls.opened, QList<QUrl>{page});
    Q_UNUSED(promo);
}

void ShellTest::aboutBoxLinksAndOk()
{
    UrlRecorder urls;
    frmAbout about;
    const AboutControls ui(about);
    about.show();
    QVERIFY(ui.Label1->text().startsWith(
        "Selenoscope displays the position of the moon as viewed from different lines of sight. "
        "\"Parallax\" means Greek for Alteration. This calculation is based on both Tropical as "
        "well as Sidereal Astrology. "));
    QCOMPARE(ui.Label2->text(), QStringLiteral("Selenoscope v1.0"));
    QCOMPARE(ui.lblCobrand->text(), QStringLiteral("Click here for more details"));
    QCOMPARE(ui.cmdOK->text(), QStringLiteral("Ok"));

    clickLabel(ui.lblCobrand);
    clickLabel(ui.lblHomePage);
    QCOMPARE(urls.opened, (QList<QUrl>{sitePage("fullbrand/"), sitePage("forum/")}));
    QVERIFY(about.isVisible()); // the links leave the box open

    QTest::mouseClick(ui.cmdOK, Qt::LeftButton);
    QVERIFY(!about.isVisible());
    QCOMPARE(about.result(), int(QDialog::Accepted));
}

void ShellTest::questionAnswers_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("answer"); // the position of the answer, -1 for none
    QTest::newRow("Enter takes the default answer") << "enter" << 1;
    QTest::newRow("an answer clicked") << "click first" << 0;
    QTest::newRow("Esc gives no answer") << "escape" << -1;
    QTest::newRow("the close button gives no answer") << "close" << -1;
}

void ShellTest::questionAnswers()
{
    QFETCH(QString, action);
    QFETCH(int, answer);
    QTimer::singleShot(0, [action] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box != nullptr);
        if (action == QLatin1String("enter"))
            QTest::keyClick(box, Qt::Key_Return);
        else if (action == QLatin1String("escape"))
            QTest::keyClick(box, Qt::Key_Escape);
        else if (action == QLatin1String("close"))
            box->close();
        else
            box->buttons().constFirst()->click();
        // A box that ignored the key stays open: the first answer then closes it, so that
        // the test fails rather than hangs.
        QTimer::singleShot(0, box, [box] {
            if (box->isVisible())
                box->buttons().constFirst()->click();
        });
    });
    AppServices desktop; // the real box, not the recording double
    QCOMPARE(
        desktop.ask(nullptr, QStringLiteral("Which?"),
                    {QStringLiteral("Use 10:00 UT"), QStringLiteral("Use the zone as entered")}, 1),
        answer);
}

void ShellTest::programStyleDrawsGroupBoxesAsItsBase_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("checkable");
    for (const char* base : {"Fusion", "Windows"}) {
        QTest::addRow("%s, titled", base) << base << "Longitude" << false;
        QTest::addRow("%s, without title", base) << base << "" << false;
        QTest::addRow("%s, checkable", base) << base << "Latitude" << true;
    }
}

void ShellTest::programStyleDrawsGroupBoxesAsItsBase()
{
    QFETCH(QString, base);
    QFETCH(QString, title);
    QFETCH(bool, checkable);
    // The frame image the program draws for Qt's own style is compiled in.
    QVERIFY(!rawImage(QStringLiteral(":/images/fusion-groupbox.argb")).isNull());

    auto drawn = [&](QStyle* style) {
        QGroupBox box(title);
        box.setCheckable(checkable);
        box.setStyle(style);
        box.resize(180, 90);
        return box.grab().toImage();
    };
    const std::unique_ptr<QStyle> plain(QStyleFactory::create(base));
    ProgramStyle program(QStyleFactory::create(base));
    QCOMPARE(drawn(&program), drawn(plain.get()));
}

QTEST_MAIN(ShellTest)
#include "ShellTest.moc"
