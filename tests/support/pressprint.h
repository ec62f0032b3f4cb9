#pragma once

#include "print/preview/previewform.h"
#include "print/preview/printdialog.h"
#include "tests/support/whenmodalopens.h"

#include <QAction>
#include <QPushButton>
#include <QTest>
#include <functional>

// Presses the preview's print button, lets fill set up the print dialog, and confirms it with OK.
inline void pressPrintAndConfirm(TfrxPreviewForm &form, std::function<void(TfrxPrintDialog *)> fill)
{
    whenModalOpens<TfrxPrintDialog>([fill](TfrxPrintDialog *dialog) {
        fill(dialog);
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("OkB")), Qt::LeftButton);
    });
    form.findChild<QAction *>(QStringLiteral("PrintB"))->trigger();
}
