#pragma once

#include "dialogs/dialogs.h"
#include "print/preview/previewform.h"
#include "print/preview/printdialog.h"
#include "print/report.h"
#include "tests/support/whenmodalopens.h"

#include <QAction>
#include <QPushButton>
#include <QStringList>
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

// Prepares the page with every bracketed name answered by prefix and the name, collecting what the
// preparation would have shown in its message box instead of showing it.
inline bool prepareAnsweredDeclaration(TfrxReport &declaration, const QString &prefix, QStringList &errors)
{
    const MessDlgs::MessageBoxFunction realBox =
        MessDlgs::setMessageBoxFunction([&errors](const MessDlgs::MessageBoxRequest &request) {
            errors.append(request.text);
            return int(mrOk);
        });
    declaration.OnGetValue = [prefix](const QString &name, QVariant &value) { value = prefix + name; };
    const bool prepared = declaration.PreparePages(true);
    MessDlgs::setMessageBoxFunction(realBox);
    return prepared;
}
