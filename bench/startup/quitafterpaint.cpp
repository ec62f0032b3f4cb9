// Preloaded into a Qt program (LD_PRELOAD), ends it once its first paint has been handled, so that a
// profiler counts the start-up up to the first paint and nothing after it:
//     LD_PRELOAD=build-bench/bench/startup/libbench_quit_after_paint.so valgrind --tool=callgrind PROGRAM
// Works for the program and the bare window alike, neither of which knows about it.
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

#include <unistd.h>

namespace {

class QuitAfterFirstPaint : public QObject
{
protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_painted) {
            m_painted = true;
            // After the whole paint pass, which the queued call waits for; no clean-up is counted.
            QTimer::singleShot(0, [] { _exit(0); });
        }
        return false;
    }

private:
    bool m_painted = false;
};

void watchForFirstPaint()
{
    QCoreApplication::instance()->installEventFilter(new QuitAfterFirstPaint);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(watchForFirstPaint)
