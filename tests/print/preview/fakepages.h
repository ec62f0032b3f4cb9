#pragma once

#include "print/pagedrawer.h"
#include "print/preview/printdevice.h"
#include "print/preview/printerlist.h"

#include <QFont>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QStringList>

// A prepared report of A4 pages, each showing "Oldal N" and a rule. It remembers which pages went to a
// print device (the recording device draws into an image) apart from those the preview showed.
class FakePages : public PageDrawer
{
public:
    explicit FakePages(int count = 1) : m_count(count) {}

    int pageCount() const override { return m_count; }
    QSizeF sheetSizeMm(int) const override { return {210, 297}; }

    void drawPage(int pageIndex, QPainter &painter, double dotsPerInchX, double dotsPerInchY,
                  QPointF sheetTopLeft) const override
    {
        if (painter.device()->devType() == QInternal::Image)
            printed.append(pageIndex);
        lastDotsPerInch = {dotsPerInchX, dotsPerInchY};
        const double unitX = dotsPerInchX / 96;
        const double unitY = dotsPerInchY / 96;
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(int(20 * unitY));
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(sheetTopLeft + QPointF(40 * unitX, 80 * unitY),
                         QStringLiteral("KRV11007 Oldal %1").arg(pageIndex + 1));
        painter.drawLine(sheetTopLeft + QPointF(40 * unitX, 100 * unitY),
                         sheetTopLeft + QPointF(600 * unitX, 100 * unitY));
    }

    mutable QList<int> printed;
    mutable QSizeF lastDotsPerInch;

private:
    int m_count;
};

// A print device that writes down what the print loop asked of it, drawing into an image.
class RecordingDevice : public PrintDevice
{
public:
    explicit RecordingDevice(QStringList &log) : m_log(log), m_image(100, 100, QImage::Format_RGB32) {}

    void startJob(const QString &title) override { m_log.append(QStringLiteral("job ") + title); }
    void startPage(const PageSetup &setup) override
    {
        const PageSetup a4Portrait;
        m_log.append(QStringLiteral("page copies=%1%2").arg(setup.copies).arg(
            setup.paperSize == a4Portrait.paperSize && setup.orientation == a4Portrait.orientation && !setup.duplex
                    && setup.automaticPaperSource
                ? QString()
                : QStringLiteral(" unexpected setup")));
        m_painter.begin(&m_image);
    }
    void endPage() override
    {
        m_painter.end();
        m_log.append(QStringLiteral("end page"));
    }
    void endJob() override { m_log.append(QStringLiteral("end job")); }
    void abortJob() override { m_log.append(QStringLiteral("abort job")); }

    QPainter &painter() override { return m_painter; }
    double dotsPerInchX() const override { return 600; }
    double dotsPerInchY() const override { return 600; }
    QPointF sheetTopLeft() const override { return {-12, -8}; }

private:
    QStringList &m_log;
    QImage m_image;
    QPainter m_painter;
};

class FakePrinterSource : public PrinterSource
{
public:
    FakePrinterSource(QList<PrinterEntry> printers, QString defaultName)
        : m_printers(std::move(printers)), m_default(std::move(defaultName))
    {
    }

    InstalledPrinters installedPrinters() const override
    {
        ++enumerations;
        return {m_printers, m_default};
    }
    void setPrinters(QList<PrinterEntry> printers) { m_printers = std::move(printers); }

    mutable int enumerations = 0;

private:
    QList<PrinterEntry> m_printers;
    QString m_default;
};
