#include "print/preview/printdevice.h"

#include "common/exception.h"
#include "common/writeall.h"
#include "print/preview/cupsjob.h"
#include "print/preview/waitcursor.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <optional>

namespace {

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

// The document is made as PDF in memory, the format Qt's printing path produces on this platform, and
// handed on only once it is whole. Qt's PDF output ignores failed writes, so written straight into a
// file on a full disk it was cut off behind a job that reported success.
class PdfInMemoryDevice : public PrintDevice
{
public:
    PdfInMemoryDevice()
        : m_writer(&m_document)
    {
        m_document.open(QIODevice::WriteOnly);
    }

    void startJob(const QString &title) override
    {
        m_title = title;
        m_writer.setTitle(title);
    }

    void startPage(const PageSetup &setup) override
    {
        m_writer.setPageLayout(sheetLayout(setup));
        m_lastPage = setup;
        if (m_painter.isActive()) {
            m_writer.newPage();
            return;
        }
        // Before anything is drawn, so that a target that cannot take the job stops it at once.
        openTarget();
        if (!m_painter.begin(&m_writer))
            failToStart(targetName());
    }

    // The writer closes a page when the next one starts or the job ends.
    void endPage() override {}

    void endJob() override
    {
        if (!m_painter.isActive())
            return;
        if (!m_painter.end())
            failToFinish(targetName());
        deliver(m_document.data());
    }

    void abortJob() override
    {
        if (m_painter.isActive())
            m_painter.end();
        discard();
    }

    QPainter &painter() override { return m_painter; }
    double dotsPerInchX() const override { return m_writer.logicalDpiX(); }
    double dotsPerInchY() const override { return m_writer.logicalDpiY(); }
    QPointF sheetTopLeft() const override { return {}; }

protected:
    const QString &title() const { return m_title; }
    const PageSetup &lastPage() const { return m_lastPage; }

private:
    virtual QString targetName() const = 0;
    // Fails with an Exception when the target cannot take the job.
    virtual void openTarget() = 0;
    virtual void deliver(const QByteArray &document) = 0;
    virtual void discard() = 0;

    QBuffer m_document;
    QPdfWriter m_writer;
    QPainter m_painter;
    QString m_title;
    PageSetup m_lastPage;
};

// The job options Qt's CUPS printing gave a document, then the printer's own ones. An automatic paper
// source is the tray the printer's options or its defaults choose, so it adds none.
QList<QPair<QByteArray, QByteArray>> cupsJobOptions(const PageSetup &setup,
                                                    const QList<QPair<QString, QString>> &printerOptions)
{
    QList<QPair<QByteArray, QByteArray>> options;
    options.emplaceBack("media", QPageSize::key(setup.paperSize).toUtf8());
    if (setup.copies > 1)
        options.emplaceBack("copies", QByteArray::number(setup.copies));
    if (!setup.duplex)
        options.emplaceBack("sides", "one-sided");
    else if (setup.orientation == QPageLayout::Portrait)
        options.emplaceBack("sides", "two-sided-long-edge");
    else
        options.emplaceBack("sides", "two-sided-short-edge");
    if (setup.orientation == QPageLayout::Landscape)
        options.emplaceBack("landscape", QByteArray());
    for (const auto &[keyword, choice] : printerOptions)
        options.emplaceBack(keyword.toUtf8(), choice.toUtf8());
    return options;
}

// A job for a CUPS queue, carrying the printer's own options.
class CupsQueueDevice : public PdfInMemoryDevice
{
public:
    CupsQueueDevice(const QString &printerName, const QList<QPair<QString, QString>> &printerOptions)
        : m_printerName(printerName)
        , m_printerOptions(printerOptions)
    {
    }

private:
    QString targetName() const override { return m_printerName; }

    // The scheduler is first asked with the whole document.
    void openTarget() override {}

    // The print loop gives every page of a job the same settings; the last page's stand for the job.
    void deliver(const QByteArray &document) override
    {
        const CupsJob job{m_printerName, title(), cupsJobOptions(lastPage(), m_printerOptions), document};
        const WaitCursor busy;
        if (const std::optional<QString> refusal = submitCupsJob(job))
            failToFinish(QStringLiteral("%1 (%2)").arg(m_printerName, *refusal));
    }

    void discard() override {}

    QString m_printerName;
    QList<QPair<QString, QString>> m_printerOptions;
};

// Into a file, through checked writes into a temporary file, which replaces the target only once it is
// whole: a failed or cancelled job leaves the target as it was, unless the folder refuses the
// temporary file.
class PdfFileDevice : public PdfInMemoryDevice
{
public:
    explicit PdfFileDevice(const QString &fileName)
        : m_file(fileName)
    {
        // A folder the user may not write can still hold a file the user may; that file is then
        // written in place, as printing into it always was, with no copy to fall back on.
        m_file.setDirectWriteFallback(true);
    }

private:
    QString targetName() const override { return m_file.fileName(); }

    void openTarget() override
    {
        if (!m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            failToStart(withReason(m_file.fileName()));
    }

    void deliver(const QByteArray &document) override
    {
        if (!writeAll(m_file, document) || !m_file.commit())
            failToFinish(withReason(m_file.fileName()));
    }

    void discard() override { m_file.cancelWriting(); }

    QString withReason(const QString &target) const
    {
        return m_file.error() == QFileDevice::NoError ? target
                                                      : QStringLiteral("%1 (%2)").arg(target, m_file.errorString());
    }

    QSaveFile m_file;
};

} // namespace

std::unique_ptr<PrintDevice> makePrintDevice(const QString &printerName, const QString &outputFileName,
                                             const QList<QPair<QString, QString>> &printerOptions)
{
    if (outputFileName.isEmpty())
        return std::make_unique<CupsQueueDevice>(printerName, printerOptions);
    return std::make_unique<PdfFileDevice>(outputFileName);
}
