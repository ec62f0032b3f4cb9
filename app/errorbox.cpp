#include "app/errorbox.h"

#include "app/programtitle.h"

#include <QApplication>
#include <QMessageBox>

namespace {

// Messages quote values from fields and files, which may be of any length: of a long one the box shows
// the start and the end, so that it opens at once and fits the screen.
QString shownText(const QString &text)
{
    constexpr qsizetype shownStart = 40;
    constexpr qsizetype shownEnd = 40;
    if (text.size() <= shownStart + shownEnd)
        return text;
    return text.left(shownStart) + QStringLiteral("...") + text.right(shownEnd);
}

} // namespace

void showDefaultErrorBox(const QString &message)
{
    QMessageBox box(QMessageBox::Critical, programTitle(QCoreApplication::applicationFilePath()),
                    shownText(errorBoxText(message)), QMessageBox::Ok, QApplication::activeWindow());
    box.setObjectName(QStringLiteral("DefaultErrorBox"));
    // Markup in a message is text, never formatting: a crafted file must not style or link what it shows.
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}
