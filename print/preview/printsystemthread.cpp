#include "print/preview/printsystemthread.h"

#include "print/preview/libcups.h"
#include "print/preview/printerlogin.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMutex>
#include <QSemaphore>
#include <QThread>

#include <exception>
#include <utility>

namespace {

QThread *thread = nullptr;
QObject *threadContext = nullptr;

void stopThread()
{
    thread->quit();
    thread->wait();
    delete threadContext;
    delete thread;
}

QObject *printSystemThread()
{
    if (!thread) {
        thread = new QThread;
        thread->setObjectName(QStringLiteral("print system"));
        threadContext = new QObject;
        threadContext->moveToThread(thread);
        thread->start();
        qAddPostRoutine(stopThread);
    }
    return threadContext;
}

// The windows' side of one task: their events run until the task is over, all but the user's input,
// which waits (the window system counts a request to close a window as input). A question of the task
// is answered between two runs of the events, not inside one, so that a dialog it opens takes input.
class Wait
{
public:
    // On the print system's thread.
    void ask(const std::function<void()> &question)
    {
        {
            const QMutexLocker lock(&m_mutex);
            m_question = &question;
        }
        QMetaObject::invokeMethod(&m_events, &QEventLoop::quit, Qt::QueuedConnection);
        m_answered.acquire();
    }

    // On the print system's thread, as the task ends.
    void finish()
    {
        QMetaObject::invokeMethod(&m_events, &QEventLoop::quit, Qt::QueuedConnection);
        m_finished.release();
    }

    // On the windows' thread, until the task is over. Their events also end when the program is told
    // to quit; the task still holds what it was given then, so the wait goes on.
    void run()
    {
        for (;;) {
            m_events.exec(QEventLoop::ExcludeUserInputEvents);
            answerQuestion();
            if (m_finished.tryAcquire(1, 10))
                return;
        }
    }

private:
    void answerQuestion()
    {
        const std::function<void()> *question = nullptr;
        {
            const QMutexLocker lock(&m_mutex);
            question = std::exchange(m_question, nullptr);
        }
        if (!question)
            return;
        (*question)();
        m_answered.release();
    }

    QEventLoop m_events;
    QMutex m_mutex;
    const std::function<void()> *m_question = nullptr;
    QSemaphore m_answered;
    QSemaphore m_finished;
};

Wait *currentWait = nullptr;

} // namespace

void waitForPrintSystem(const std::function<void()> &task)
{
    Wait wait;
    Wait *const outerWait = std::exchange(currentWait, &wait);
    std::exception_ptr failure;
    QMetaObject::invokeMethod(
        printSystemThread(),
        [&] {
            try {
                // CUPS asks for a password on the thread that sends the request.
                if (const Libcups *cups = libcups())
                    cups->cupsSetPasswordCB2(askForPrinterLogin, nullptr);
                task();
            } catch (...) {
                failure = std::current_exception();
            }
            wait.finish();
        },
        Qt::QueuedConnection);
    wait.run();
    currentWait = outerWait;
    if (failure)
        std::rethrow_exception(failure);
}

void askTheWindows(const std::function<void()> &question)
{
    // The print system's thread runs only the tasks of waitForPrintSystem, so a wait is current there.
    if (QThread::currentThread() == QCoreApplication::instance()->thread())
        question();
    else
        currentWait->ask(question);
}
