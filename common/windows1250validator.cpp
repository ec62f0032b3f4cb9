#include "common/windows1250validator.h"

#include "common/beep.h"
#include "common/windows1250.h"

#include <QLineEdit>

#include <algorithm>

namespace windows1250 {

QValidator::State Validator::validate(QString &input, int &position) const
{
    const std::optional<QString> spelled = windows1250::encodableSpelling(input);
    if (!spelled)
        return Invalid;
    if (*spelled != input) {
        // The cursor stays after what was before it, spelled the same way.
        const std::optional<QString> before = windows1250::encodableSpelling(input.left(position));
        position = int(std::min(before ? before->size() : spelled->size(), spelled->size()));
        input = *spelled;
    }
    return Acceptable;
}

void refuseOutside(QLineEdit *edit)
{
    edit->setValidator(new Validator(edit));
    QObject::connect(edit, &QLineEdit::inputRejected, edit, [] { beep::sound(); });
}

} // namespace windows1250
