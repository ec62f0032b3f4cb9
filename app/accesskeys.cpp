#include "app/accesskeys.h"

#include <QSet>

namespace {

bool isCandidate(QChar upper)
{
    return (upper >= u'0' && upper <= u'9') || (upper >= u'A' && upper <= u'Z');
}

} // namespace

QStringList withAccessKeys(const QStringList &captions)
{
    QSet<QChar> taken;
    QStringList marked;
    for (const QString &caption : captions) {
        QString text = caption;
        text.replace(u'&', QStringLiteral("&&"));
        for (qsizetype at = 0; at < caption.size(); ++at) {
            const QChar upper = caption.at(at).toUpper();
            if (!isCandidate(upper) || taken.contains(upper))
                continue;
            taken.insert(upper);
            // Ampersands before this position were doubled; count them to find the character.
            const qsizetype shift = caption.left(at).count(u'&');
            text.insert(at + shift, u'&');
            break;
        }
        marked.append(text);
    }
    return marked;
}
