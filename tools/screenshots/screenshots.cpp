// Drives the program's own windows through a worked example and saves a
// picture of each: screenshots <folder>. Run on a real display or under Xvfb.

#include "app/AppController.h"
#include "birth/BirthDataChecks.h"
#include "birth/ExampleBirths.h"
#include "display/frmDasha.h"
#include "display/frmDetails.h"
#include "display/frmDisplay.h"
#include "entry/frmMain.h"
#include "shell/AppServices.h"
#include "shell/LinkLabel.h"
#include "timezone/FrmTimeZone.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <cstdio>

namespace {

/// A window's control by its name.
template <class T> T* control(const QWidget& window, const char* name)
{
    return window.findChild<T*>(QString::fromLatin1(name));
}

/// Lets the window system show and paint what was just opened.
void settle()
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 400)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

bool save(QWidget& window, const QDir& folder, const QString& file)
{
    settle();
    const QString path = folder.filePath(file);
    const bool saved = window.grab().save(path);
    std::fprintf(saved ? stdout : stderr, "%s %s\n", saved ? "saved" : "could not save",
                 qPrintable(path));
    return saved;
}

/// Dialogs open without blocking: each is pictured and closed again. A message
/// box means the example went wrong, so it is reported and counted.
class PicturingServices final : public AppServices
{
public:
    explicit PicturingServices(const QDir& folder) : folder_(folder) { install(this); }
    ~PicturingServices() override { install(nullptr); }
    PicturingServices(const PicturingServices&) = delete;
    PicturingServices& operator=(const PicturingServices&) = delete;

    void message(QWidget* /*parent*/, QMessageBox::Icon /*icon*/, const QString& text) override
    {
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(text));
        ++failures;
    }

    void runModal(QDialog& dialog) override
    {
        if (auto* picker = qobject_cast<FrmTimeZone*>(&dialog)) {
            // Show a choice being made: the row of the example's zone.
            auto* list = control<QListWidget>(*picker, "lstTimeZone");
            const QList<QListWidgetItem*> zone =
                list->findItems(QStringLiteral("IST"), Qt::MatchContains);
            if (!zone.isEmpty())
                list->setCurrentItem(zone.first());
        }
        if (dialog.objectName() == QLatin1String("frmPlaceFinder")) {
            // A search as a user types it: a place west of Greenwich whose clocks run ahead.
            auto* search = control<QLineEdit>(dialog, "txtSearch");
            for (const QChar c : QStringLiteral("Madrid"))
                search->insert(QString(c));
        }
        dialog.show();
        if (!save(dialog, folder_, pictureNames_.value(dialog.objectName(), dialog.objectName())))
            ++failures;
        dialog.close();
    }

    void endProgram() override {}

    int failures = 0;

private:
    QDir folder_;
    const QHash<QString, QString> pictureNames_{
        {QStringLiteral("FrmTimeZone"), QStringLiteral("time-zones.png")},
        {QStringLiteral("frmAbout"), QStringLiteral("about.png")},
        {QStringLiteral("frmPlaceFinder"), QStringLiteral("place-finder.png")},
    };
};

/// The worked example, with its place.
void fillWorkedExample(frmMain& entry)
{
    entry.setFields(birth::FieldsFor(birth::WorkedExample()));
    const auto& place = birth::kWorkedExamplePlace;
    const char* const boxes[] = {"txtMCity", "txtMState", "txtMCountry"};
    for (std::size_t i = 0; i < place.size(); ++i)
        control<QLineEdit>(entry, boxes[i])
            ->setText(QString::fromUtf8(place[i].data(), static_cast<qsizetype>(place[i].size())));
}

frmDisplay* openReadingWindow()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* display = qobject_cast<frmDisplay*>(window);
        if (display != nullptr && display->isVisible())
            return display;
    }
    return nullptr;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: screenshots <folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists()) {
        std::fprintf(stderr, "no folder %s\n", argv[1]);
        return 2;
    }
    QApplication::setQuitOnLastWindowClosed(false);
    PicturingServices services(folder);
    int failures = 0;

    AppController controller;
    frmMain& entry = controller.entryWindow();
    entry.show();
    fillWorkedExample(entry);
    failures += save(entry, folder, QStringLiteral("entry-window.png")) ? 0 : 1;

    emit control<LinkLabel>(entry, "lblTZHelp")->clicked();
    control<QAction>(entry, "mnuAbout")->trigger();
    if (auto* findPlace = control<QAction>(entry, "mnuFindPlace")) // a build with the atlas
        findPlace->trigger();

    control<QPushButton>(entry, "cmdRashi")->click();
    frmDisplay* reading = openReadingWindow();
    if (reading == nullptr) {
        std::fprintf(stderr, "the reading window did not open\n");
        return 1;
    }
    failures += save(*reading, folder, QStringLiteral("reading-sidereal.png")) ? 0 : 1;
    control<QTabWidget>(*reading, "SSTab1")->setCurrentIndex(1);
    failures += save(*reading, folder, QStringLiteral("reading-western.png")) ? 0 : 1;
    std::printf("sidereal: %s / %s\nwestern: %s / %s\n",
                qPrintable(control<QLineEdit>(*reading, "txtSiderealNonParallax")->text()),
                qPrintable(control<QLineEdit>(*reading, "txtSiderealParallax")->text()),
                qPrintable(control<QLineEdit>(*reading, "txtWesternNonParallax")->text()),
                qPrintable(control<QLineEdit>(*reading, "txtWesternParallax")->text()));

    control<QAction>(*reading, "mnuDetails")->trigger();
    auto* details = reading->findChild<frmDetails*>();
    if (details == nullptr || !details->isVisible()) {
        std::fprintf(stderr, "the details window did not open\n");
        return 1;
    }
    failures += save(*details, folder, QStringLiteral("details.png")) ? 0 : 1;

    control<QAction>(*reading, "mnuDasha")->trigger();
    auto* periods = reading->findChild<frmDasha*>();
    if (periods == nullptr || !periods->isVisible()) {
        std::fprintf(stderr, "the periods window did not open\n");
        return 1;
    }
    failures += save(*periods, folder, QStringLiteral("dasha.png")) ? 0 : 1;
    delete reading; // deleted, not closed: closing it would end the program

    return failures + services.failures == 0 ? 0 : 1;
}
