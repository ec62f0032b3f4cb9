#include "app/errorbox.h"

#include "app/programtitle.h"

#include <QApplication>
#include <QMessageBox>

void showDefaultErrorBox(const QString &message)
{
    QMessageBox box(QMessageBox::Critical, programTitle(QCoreApplication::applicationFilePath()),
                    errorBoxText(message), QMessageBox::Ok, QApplication::activeWindow());
    box.setObjectName(QStringLiteral("DefaultErrorBox"));
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}
