#include "print/preview/printloop.h"

#include "print/pagedrawer.h"
#include "print/preview/printdevice.h"

PrintLoop::PrintLoop(const PageDrawer &pages, PrintDevice &device, EventPump handlePendingEvents)
    : m_pages(pages)
    , m_device(device)
    , m_handlePendingEvents(std::move(handlePendingEvents))
{
}

bool PrintLoop::run(const PrintPlan &plan, const QString &jobTitle)
{
    m_cancelled = false;
    m_jobStarted = false;
    m_jobTitle = jobTitle;
    for (int pass = 0; pass < plan.passes; ++pass) {
        for (const int pageIndex : plan.pageIndexes) {
            if (pageIndex < 0 || pageIndex >= m_pages.pageCount())
                continue;
            for (int repeat = 0; repeat < plan.pageRepeats; ++repeat) {
                printPage(pageIndex, plan.printerCopies);
                if (m_handlePendingEvents)
                    m_handlePendingEvents();
                if (m_cancelled) {
                    m_device.abortJob();
                    return false;
                }
            }
        }
    }
    if (m_jobStarted)
        m_device.endJob();
    return true;
}

void PrintLoop::printPage(int pageIndex, int copies)
{
    if (!m_jobStarted) {
        m_device.startJob(m_jobTitle);
        m_jobStarted = true;
    }
    PageSetup setup;
    setup.copies = copies;
    m_device.startPage(setup);
    m_pages.drawPage(pageIndex, m_device.painter(), m_device.dotsPerInchX(), m_device.dotsPerInchY(),
                     m_device.sheetTopLeft());
    m_device.endPage();
}
