#include "app/errorbox.h"

#include "app/programtitle.h"

#include <QApplication>
#include <QMessageBox>
#include <QStringList>

namespace {

// The box wraps its text at spaces, so only an unbroken run can make it wider than the screen: of a long
// one it shows the start and the end. Shorter words, a file path among them, are shown whole.
QString shownText(const QString &text)
{
    constexpr qsizetype shownStart = 40;
    constexpr qsizetype shownEnd = 40;
    QStringList words = text.split(u' ');
    for (QString &word : words) {
        if (word.size() > shownStart + shownEnd)
            word = word.left(shownStart) + QStringLiteral("...") + word.right(shownEnd);
    }
    return words.join(u' ');
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
