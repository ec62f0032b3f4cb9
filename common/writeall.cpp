#include "common/writeall.h"

#include <QFileDevice>

bool writeAll(QFileDevice &file, const QByteArray &content)
{
    qint64 written = 0;
    while (written < content.size()) {
        const qint64 part = file.write(content.constData() + written, content.size() - written);
        if (part <= 0)
            return false;
        written += part;
    }
    return true;
}
