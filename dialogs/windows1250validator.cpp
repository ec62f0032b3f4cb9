#include "dialogs/windows1250validator.h"

#include "common/beep.h"
#include "common/windows1250.h"

#include <QLineEdit>

namespace MessDlgs {

QValidator::State Windows1250Validator::validate(QString &input, int &) const
{
    return windows1250::canEncode(input) ? Acceptable : Invalid;
}

void refuseOutsideWindows1250(QLineEdit *edit)
{
    edit->setValidator(new Windows1250Validator(edit));
    QObject::connect(edit, &QLineEdit::inputRejected, edit, [] { beep::sound(); });
}

} // namespace MessDlgs
