#include "app/programtitle.h"

#include <QFileInfo>

QString programTitle(const QString &executablePath)
{
    const QString fileName = QFileInfo(executablePath).fileName();
    const QString name = fileName.left(fileName.indexOf(u'.'));
    return name.left(1) + name.mid(1).toLower();
}

QString errorBoxText(const QString &message)
{
    if (!message.isEmpty() && message.back() > QChar(u'.'))
        return message + u'.';
    return message;
}
