// Preloaded into a Qt program, ends it at the first moment the event loop has
// nothing left to do after a window has been exposed: start-up is over. The
// program itself knows nothing of this.
#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QWindow>
#include <unistd.h>

namespace {

/// Exit status that tells the driver the probe, not the program, ended the run.
constexpr int kProbeExitStatus = 77;

class FirstIdleExit final : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!armed_ && event->type() == QEvent::Expose) {
            auto* window = qobject_cast<QWindow*>(watched);
            if (window != nullptr && window->isExposed()) {
                armed_ = true;
                connect(QAbstractEventDispatcher::instance(),
                        &QAbstractEventDispatcher::aboutToBlock, this,
                        [] { _exit(kProbeExitStatus); });
            }
        }
        return false;
    }

private:
    bool armed_ = false;
};

void installProbe()
{
    qApp->installEventFilter(new FirstIdleExit);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
