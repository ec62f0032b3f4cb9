#include "form/widgets/tedit.h"

#include "common/beep.h"
#include "common/windows1250validator.h"

#include <limits>

namespace {

// Every change of the text passes the validator, whatever brought it: typing, the clipboard, a drop
// or setText. Joining the lines there catches them all.
class OneLineValidator : public windows1250::Validator
{
public:
    using Validator::Validator;

    State validate(QString &input, int &position) const override
    {
        input = lineBreaksAsSpaces(input, position);
        return Validator::validate(input, position);
    }
};

} // namespace

TEdit::TEdit(QWidget *parent)
    : QLineEdit(parent)
{
    setMaxLength(std::numeric_limits<int>::max());
    setValidator(new OneLineValidator(this));
    connect(this, &QLineEdit::inputRejected, this, [] { beep::sound(); });
}

QString lineBreaksAsSpaces(const QString &text, int &position)
{
    QString joined;
    joined.reserve(text.size());
    const qsizetype original = position;
    for (qsizetype at = 0; at < text.size(); ++at) {
        const QChar character = text.at(at);
        if (character == u'\r' && at + 1 < text.size() && text.at(at + 1) == u'\n') {
            if (at + 1 < original)
                --position;
            ++at;
        }
        joined.append(character == u'\r' || character == u'\n' ? QChar(u' ') : character);
    }
    return joined;
}
