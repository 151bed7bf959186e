// Click-to-reading latency with the real windows, offscreen, in one process: the
// entry window holds the worked example; each reading is a click on "Get My
// Parallax Reading", timed until the display window is shown with its four texts
// and, separately, until the two texts of its front tab have been drawn. Then the
// command behind Ctrl+D opens the reading's details (with the precise Moon beside them
// where the build has it), timed until the details window is shown and until its first
// reading text is drawn. Back then returns to the entry window for the next reading,
// untimed.
//
// latency_bench [readings]
#include "app/AppController.h"
#include "birth/BirthDataChecks.h"
#include "birth/ExampleBirths.h"
#include "display/frmDisplay.h"
#include "entry/frmMain.h"
#include "shell/AppServices.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWarmUpReadings = 10;
constexpr double kTargetMs = 5.0;
constexpr auto kPaintDeadline = std::chrono::seconds(2);

/// Message boxes would wait for a click that never comes: any message here is
/// recorded instead, and means the worked example was refused.
class NoDialogs final : public AppServices
{
public:
    void message(QWidget* /*parent*/, QMessageBox::Icon /*icon*/, const QString& text) override
    {
        messages << text;
    }
    void runModal(QDialog& /*dialog*/) override {}
    void endProgram() override {}

    QStringList messages;
};

/// Notes the moment the last of the watched widgets receives its first paint.
class PaintProbe final : public QObject
{
public:
    explicit PaintProbe(std::initializer_list<QWidget*> widgets)
        : expected_(static_cast<qsizetype>(widgets.size()))
    {
        for (QWidget* widget : widgets)
            widget->installEventFilter(this);
    }

    [[nodiscard]] bool done() const { return painted_.size() == expected_; }
    [[nodiscard]] Clock::time_point when() const { return when_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !painted_.contains(watched)) {
            painted_.insert(watched);
            when_ = Clock::now();
        }
        return false;
    }

private:
    qsizetype expected_;
    QSet<QObject*> painted_;
    Clock::time_point when_;
};

/// A window's control by its name.
template <class T> T* control(const QWidget& window, const char* name)
{
    return window.findChild<T*>(QString::fromLatin1(name));
}

frmDisplay* shownDisplay()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* display = qobject_cast<frmDisplay*>(window);
        if (display != nullptr && display->isVisible())
            return display;
    }
    return nullptr;
}

QStringList readingTexts(const frmDisplay& display)
{
    QStringList texts;
    for (const char* box : {"txtSiderealNonParallax", "txtSiderealParallax",
                            "txtWesternNonParallax", "txtWesternParallax"})
        texts << control<QLineEdit>(display, box)->text();
    return texts;
}

double milliseconds(Clock::duration span)
{
    return std::chrono::duration<double, std::milli>(span).count();
}

/// The value below which the given share of the sorted values lies (nearest rank).
double percentile(std::vector<double> values, double share)
{
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<std::size_t>(std::ceil(share * double(values.size())));
    return values[std::max<std::size_t>(rank, 1) - 1];
}

int fail(const char* what)
{
    std::fprintf(stderr, "latency_bench: %s\n", what);
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    const int readings = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    NoDialogs services;
    AppServices::install(&services);

    AppController controller;
    frmMain& entry = controller.entryWindow();
    entry.setFields(birth::FieldsFor(birth::WorkedExample()));
    entry.show();
    if (!QTest::qWaitForWindowExposed(&entry))
        return fail("the entry window was never shown");
    auto* cmdRashi = control<QPushButton>(entry, "cmdRashi");

    std::vector<double> shownMs;
    std::vector<double> paintedMs;
    std::vector<double> detailsShownMs;
    std::vector<double> detailsPaintedMs;
    QStringList firstReading;
    for (int reading = -kWarmUpReadings; reading < readings; ++reading) {
        const Clock::time_point click = Clock::now();
        QTest::mouseClick(cmdRashi, Qt::LeftButton);
        const Clock::time_point shown = Clock::now();

        frmDisplay* display = shownDisplay();
        if (!services.messages.isEmpty())
            return fail(qPrintable(QStringLiteral("refused: ") + services.messages.first()));
        if (display == nullptr)
            return fail("no display window after the click");
        const QStringList texts = readingTexts(*display);
        if (firstReading.isEmpty())
            firstReading = texts;
        if (texts.contains(QString()) || texts != firstReading)
            return fail("the display window lacks the reading");
        if (texts.join(u'|').toStdString() != "16\u00B0 42' 10\" Lib|16\u00B0 13' 46\" "
                                              "Lib|10\u00B0 33' 23\" Sco|10\u00B0 4' 59\" Sco")
            return fail("the display window shows another reading than the worked example's");

        const PaintProbe probe{control<QLineEdit>(*display, "txtSiderealNonParallax"),
                               control<QLineEdit>(*display, "txtSiderealParallax")};
        while (!probe.done() && Clock::now() - shown < kPaintDeadline)
            QCoreApplication::processEvents();
        if (!probe.done())
            return fail("the reading was never drawn");

        if (reading >= 0) {
            shownMs.push_back(milliseconds(shown - click));
            paintedMs.push_back(milliseconds(probe.when() - click));
        }

        const Clock::time_point asked = Clock::now();
        control<QAction>(*display, "mnuDetails")->trigger();
        const Clock::time_point detailsShown = Clock::now();
        auto* details = control<QDialog>(*display, "frmDetails");
        if (details == nullptr || !details->isVisible())
            return fail("no details window after Reading Details...");
        const PaintProbe detailsProbe{control<QLineEdit>(*details, "txtReading_0")};
        while (!detailsProbe.done() && Clock::now() - detailsShown < kPaintDeadline)
            QCoreApplication::processEvents();
        if (!detailsProbe.done())
            return fail("the details were never drawn");
        if (reading >= 0) {
            detailsShownMs.push_back(milliseconds(detailsShown - asked));
            detailsPaintedMs.push_back(milliseconds(detailsProbe.when() - asked));
        }

        // Back, and let the entry window settle before the next click.
        QTest::mouseClick(control<QPushButton>(*display, "cmdOK"), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        if (!entry.isVisible() || shownDisplay() != nullptr)
            return fail("Back did not return to the entry window");
    }

    std::printf("click on \"Get My Parallax Reading\" to reading, %d readings, platform %s\n",
                readings, qPrintable(QGuiApplication::platformName()));
    std::printf("  reading: %s | %s | %s | %s\n", qPrintable(firstReading[0]),
                qPrintable(firstReading[1]), qPrintable(firstReading[2]),
                qPrintable(firstReading[3]));
    std::printf("  %-44s %9s %8s\n", "", "median", "p90");
    const double shownMedian = percentile(shownMs, 0.5);
    std::printf("  %-44s %6.2f ms %5.2f ms\n", "display window shown with its four texts",
                shownMedian, percentile(shownMs, 0.9));
    std::printf("  %-44s %6.2f ms %5.2f ms\n", "front tab's two texts drawn",
                percentile(paintedMs, 0.5), percentile(paintedMs, 0.9));
    std::printf("  %-44s %6.2f ms %5.2f ms\n", "Reading Details... to the details shown",
                percentile(detailsShownMs, 0.5), percentile(detailsShownMs, 0.9));
    std::printf("  %-44s %6.2f ms %5.2f ms\n", "Reading Details... to their first text drawn",
                percentile(detailsPaintedMs, 0.5), percentile(detailsPaintedMs, 0.9));
    std::printf("  target: shown within %.0f ms (median): %s\n", kTargetMs,
                shownMedian < kTargetMs ? "met" : "missed");
    return 0;
}
