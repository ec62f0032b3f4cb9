#pragma once

#include <QValidator>

class QLineEdit;

namespace MessDlgs {

// Refuses text that Windows-1250 cannot hold: what is typed travels on as Windows-1250 bytes, and a
// character lost on the way would change a password without the user knowing.
class Windows1250Validator : public QValidator
{
    Q_OBJECT

public:
    using QValidator::QValidator;

    State validate(QString &input, int &position) const override;
};

// Gives the edit line the validator and beeps whenever it refuses a keystroke or a paste.
void refuseOutsideWindows1250(QLineEdit *edit);

} // namespace MessDlgs
