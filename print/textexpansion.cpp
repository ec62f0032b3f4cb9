#include "print/textexpansion.h"

namespace {

qsizetype matchingBracket(const QString &text, qsizetype opening)
{
    int depth = 0;
    for (qsizetype position = opening; position < text.size(); ++position) {
        if (text.at(position) == u'[')
            ++depth;
        else if (text.at(position) == u']' && --depth == 0)
            return position;
    }
    return -1;
}

} // namespace

QString expandBrackets(const QString &text, const ExpressionResolver &resolve)
{
    QString expanded;
    qsizetype position = 0;
    while (position < text.size()) {
        const qsizetype opening = text.indexOf(u'[', position);
        if (opening < 0) {
            expanded += QStringView(text).mid(position);
            break;
        }
        const qsizetype closing = matchingBracket(text, opening);
        if (closing < 0) {
            expanded += QStringView(text).mid(position, opening + 1 - position);
            position = opening + 1;
            continue;
        }
        expanded += QStringView(text).mid(position, opening - position);
        expanded += resolve(text.mid(opening + 1, closing - opening - 1));
        position = closing + 1;
    }
    return expanded;
}
