#include "print/preview/printdevice.h"

#include "common/exception.h"
#include "common/writeall.h"
#include "print/preview/libcups.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintEngine>
#include <QPrinter>
#include <QSaveFile>

#include <optional>

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

QPageLayout sheetLayout(const PageSetup &setup)
{
    return QPageLayout(QPageSize(setup.paperSize), setup.orientation, QMarginsF());
}

[[noreturn]] void failToStart(const QString &target)
{
    throw Exception(QStringLiteral("A nyomtatás nem indítható: %1").arg(target));
}

[[noreturn]] void failToFinish(const QString &target)
{
    throw Exception(QStringLiteral("A nyomtatás nem fejeződött be: %1").arg(target));
}

// Qt hands the finished job to CUPS and ignores the answer: a queue that refused it ("not accepting
// jobs") printed nothing, while the job counted as printed. CUPS keeps the answer to the last request
// of the thread, which the job's submission was. Its reason, when it refused.
std::optional<QString> refusalOfTheSubmittedJob()
{
    const Libcups *cups = libcups();
    if (!cups || cups->cupsLastError() < IPP_STATUS_ERROR_BAD_REQUEST)
        return std::nullopt;
    return QString::fromUtf8(cups->cupsLastErrorString());
}

class PrinterDevice : public PrintDevice
{
public:
    PrinterDevice(const QString &printerName, const QList<QPair<QString, QString>> &printerOptions)
        : m_printer(QPrinter::HighResolution)
        , m_printerName(printerName)
    {
        m_printer.setPrinterName(printerName);
        m_printer.printEngine()->setProperty(cupsOptionsProperty, flattened(printerOptions));
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
            failToStart(m_printerName);
    }

    // Qt closes a page when the next one starts or the job ends.
    void endPage() override {}

    void endJob() override
    {
        if (!m_painter.isActive())
            return;
        if (!m_painter.end())
            failToFinish(m_printerName);
        if (const std::optional<QString> refusal = refusalOfTheSubmittedJob())
            failToFinish(QStringLiteral("%1 (%2)").arg(m_printerName, *refusal));
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
        m_printer.setPageLayout(sheetLayout(setup));
        m_printer.setDuplex(setup.duplex ? QPrinter::DuplexAuto : QPrinter::DuplexNone);
        if (setup.automaticPaperSource)
            m_printer.setPaperSource(QPrinter::Auto);
    }

    QPrinter m_printer;
    QPainter m_painter;
    QString m_printerName;
};

// Into a file, as PDF, the format Qt's printing path produces on this platform. Qt's PDF output
// ignores failed writes: a full disk left a cut-off file behind a job that reported success. So the
// document is made in memory and written through checked writes into a temporary file, which
// replaces the target only once it is whole: a failed or cancelled job leaves the target as it was,
// unless the folder refuses the temporary file.
class PdfFileDevice : public PrintDevice
{
public:
    explicit PdfFileDevice(const QString &fileName)
        : m_file(fileName)
        , m_writer(&m_document)
    {
        // A folder the user may not write can still hold a file the user may; that file is then
        // written in place, as printing into it always was, with no copy to fall back on.
        m_file.setDirectWriteFallback(true);
        m_document.open(QIODevice::WriteOnly);
    }

    void startJob(const QString &title) override { m_writer.setTitle(title); }

    void startPage(const PageSetup &setup) override
    {
        m_writer.setPageLayout(sheetLayout(setup));
        if (m_painter.isActive()) {
            m_writer.newPage();
            return;
        }
        // Opened before anything is drawn, so that a file that cannot be written stops the job at once.
        if (!m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || !m_painter.begin(&m_writer))
            failToStart(withReason(m_file.fileName()));
    }

    void endPage() override {}

    void endJob() override
    {
        if (!m_painter.isActive())
            return;
        if (!m_painter.end())
            failToFinish(m_file.fileName());
        if (!writeAll(m_file, m_document.data()) || !m_file.commit())
            failToFinish(withReason(m_file.fileName()));
    }

    void abortJob() override
    {
        if (m_painter.isActive())
            m_painter.end();
        m_file.cancelWriting();
    }

    QPainter &painter() override { return m_painter; }
    double dotsPerInchX() const override { return m_writer.logicalDpiX(); }
    double dotsPerInchY() const override { return m_writer.logicalDpiY(); }
    QPointF sheetTopLeft() const override { return {}; }

private:
    QString withReason(const QString &target) const
    {
        return m_file.error() == QFileDevice::NoError ? target
                                                      : QStringLiteral("%1 (%2)").arg(target, m_file.errorString());
    }

    QSaveFile m_file;
    QBuffer m_document;
    QPdfWriter m_writer;
    QPainter m_painter;
};

} // namespace

std::unique_ptr<PrintDevice> makeQtPrintDevice(const QString &printerName, const QString &outputFileName,
                                               const QList<QPair<QString, QString>> &printerOptions)
{
    if (outputFileName.isEmpty())
        return std::make_unique<PrinterDevice>(printerName, printerOptions);
    return std::make_unique<PdfFileDevice>(outputFileName);
}
