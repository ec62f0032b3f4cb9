#pragma once

#include <QList>
#include <QPageLayout>
#include <QPageSize>
#include <QPair>
#include <QPointF>
#include <QString>

#include <memory>

class QPainter;

// The settings every printed page carries.
struct PageSetup
{
    QPageSize::PageSizeId paperSize = QPageSize::A4;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    int copies = 1;
    bool duplex = false;
    bool automaticPaperSource = true;

    bool operator==(const PageSetup &) const = default;
};

// A print job on one printer or into one file. The print loop is the only user; tests replace it
// with a recorder.
class PrintDevice
{
public:
    virtual ~PrintDevice() = default;

    virtual void startJob(const QString &title) = 0;
    // Fails with an Exception when the printer or the file cannot be opened.
    virtual void startPage(const PageSetup &setup) = 0;
    virtual void endPage() = 0;
    virtual void endJob() = 0;
    virtual void abortJob() = 0;

    // Valid between startPage() and endPage().
    virtual QPainter &painter() = 0;
    virtual double dotsPerInchX() const = 0;
    virtual double dotsPerInchY() const = 0;
    // Where the sheet's top-left corner lies in the painter's coordinates.
    virtual QPointF sheetTopLeft() const = 0;
};

// A job on the named CUPS printer, carrying the printer's own options (keyword and choice, as the
// printer's properties dialog keeps them), or, with a file name, into that file. Either way the
// document is PDF, the format Qt's printing path produces on this platform.
std::unique_ptr<PrintDevice> makePrintDevice(const QString &printerName, const QString &outputFileName,
                                             const QList<QPair<QString, QString>> &printerOptions = {});
