#include "print/preview/printdevice.h"

#include "common/exception.h"

#include <QPainter>
#include <QPrintEngine>
#include <QPrinter>

namespace {

// Qt's CUPS print engine submits the job with the keyword/value list of this property; QPrinter has
// no public setter for it.
constexpr auto cupsOptionsProperty = QPrintEngine::PrintEnginePropertyKey(0xfe00);

QStringList flattened(const QList<QPair<QString, QString>> &options)
{
    QStringList list;
    for (const auto &[keyword, choice] : options)
        list << keyword << choice;
    return list;
}

class QtPrintDevice : public PrintDevice
{
public:
    QtPrintDevice(const QString &printerName, const QString &outputFileName,
                  const QList<QPair<QString, QString>> &printerOptions)
        : m_printer(QPrinter::HighResolution)
    {
        if (outputFileName.isEmpty()) {
            m_printer.setPrinterName(printerName);
            m_printer.printEngine()->setProperty(cupsOptionsProperty, flattened(printerOptions));
            m_target = printerName;
        } else {
            m_printer.setOutputFormat(QPrinter::PdfFormat);
            m_printer.setOutputFileName(outputFileName);
            m_target = outputFileName;
        }
        // Positions are measured from the sheet's edge; Qt accounts for the printable area's offset.
        m_printer.setFullPage(true);
    }

    void startJob(const QString &title) override { m_printer.setDocName(title); }

    void startPage(const PageSetup &setup) override
    {
        applyToPrinter(setup);
        if (m_painter.isActive()) {
            m_printer.newPage();
            return;
        }
        // Qt fixes the copy count when the job reaches the printer, which is at its first page; the
        // print loop gives every page of a job the same count.
        m_printer.setCopyCount(setup.copies);
        m_printer.setCollateCopies(false);
        if (!m_painter.begin(&m_printer))
            throw Exception(QStringLiteral("A nyomtatás nem indítható: %1").arg(m_target));
    }

    // Qt closes a page when the next one starts or the job ends.
    void endPage() override {}

    void endJob() override
    {
        if (m_painter.isActive() && !m_painter.end())
            throw Exception(QStringLiteral("A nyomtatás nem fejeződött be: %1").arg(m_target));
    }

    void abortJob() override
    {
        m_printer.abort();
        if (m_painter.isActive())
            m_painter.end();
    }

    QPainter &painter() override { return m_painter; }
    double dotsPerInchX() const override { return m_printer.logicalDpiX(); }
    double dotsPerInchY() const override { return m_printer.logicalDpiY(); }
    QPointF sheetTopLeft() const override { return m_printer.paperRect(QPrinter::DevicePixel).topLeft(); }

private:
    void applyToPrinter(const PageSetup &setup)
    {
        m_printer.setPageLayout(QPageLayout(QPageSize(setup.paperSize), setup.orientation, QMarginsF()));
        m_printer.setDuplex(setup.duplex ? QPrinter::DuplexAuto : QPrinter::DuplexNone);
        if (setup.automaticPaperSource)
            m_printer.setPaperSource(QPrinter::Auto);
    }

    QPrinter m_printer;
    QPainter m_painter;
    QString m_target;
};

} // namespace

std::unique_ptr<PrintDevice> makeQtPrintDevice(const QString &printerName, const QString &outputFileName,
                                               const QList<QPair<QString, QString>> &printerOptions)
{
    return std::make_unique<QtPrintDevice>(printerName, outputFileName, printerOptions);
}
