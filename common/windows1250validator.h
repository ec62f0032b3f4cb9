#pragma once

#include <QValidator>

class QLineEdit;

namespace windows1250 {

// Refuses text that Windows-1250 cannot hold: what is typed travels on as Windows-1250 bytes, and a
// character lost on the way would change a saved value or a password without the user knowing. Text
// that only spells the code page's letters another way is taken in the code page's spelling.
class Validator : public QValidator
{
    Q_OBJECT

public:
    using QValidator::QValidator;

    State validate(QString &input, int &position) const override;
};

// Gives the edit line the validator and beeps whenever it refuses a keystroke or a paste.
void refuseOutside(QLineEdit *edit);

} // namespace windows1250
