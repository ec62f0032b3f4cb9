#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

#include <optional>

// One finished document for a CUPS queue, with the job's options as keyword and value.
struct CupsJob
{
    QString printerName; // a queue, or a queue and an instance of it as "queue/instance"
    QString title;
    QList<QPair<QByteArray, QByteArray>> options;
    QByteArray document;
};

// Hands the job to the scheduler straight from memory: no temporary file, so a full disk cannot cut
// the document short behind a job that counted as sent. The scheduler's reason when it did not take
// the whole job; a job it had already opened is then cancelled, so that nothing half-sent prints.
std::optional<QString> submitCupsJob(const CupsJob &job);
