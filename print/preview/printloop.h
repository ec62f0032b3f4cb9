#pragma once

#include "print/preview/printoptions.h"

#include <QString>

#include <functional>

class PageDrawer;
class PrintDevice;

// Sends a planned selection of prepared pages to a print device. The job starts just before the first
// page that is actually printed, so an empty selection starts none. Pending window events are handled
// after each page; cancel() from one of them aborts the job.
class PrintLoop
{
public:
    using EventPump = std::function<void()>;

    PrintLoop(const PageDrawer &pages, PrintDevice &device, EventPump handlePendingEvents);

    // Returns false when the job was cancelled.
    bool run(const PrintPlan &plan, const QString &jobTitle);
    void cancel() { m_cancelled = true; }

private:
    void printPage(int pageIndex, int copies);

    const PageDrawer &m_pages;
    PrintDevice &m_device;
    EventPump m_handlePendingEvents;
    bool m_cancelled = false;
    bool m_jobStarted = false;
    QString m_jobTitle;
};
