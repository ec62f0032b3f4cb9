#include "common/windows1250validator.h"

#include "common/beep.h"
#include "common/windows1250.h"

#include <QLineEdit>

namespace windows1250 {

QValidator::State Validator::validate(QString &input, int &) const
{
    return windows1250::canEncode(input) ? Acceptable : Invalid;
}

void refuseOutside(QLineEdit *edit)
{
    edit->setValidator(new Validator(edit));
    QObject::connect(edit, &QLineEdit::inputRejected, edit, [] { beep::sound(); });
}

} // namespace windows1250
