#include "form/widgets/tedit.h"

#include "common/beep.h"
#include "common/windows1250.h"

#include <QValidator>

namespace {

class Windows1250Validator : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString &input, int &) const override
    {
        if (windows1250::canEncode(input))
            return Acceptable;
        beep::sound();
        return Invalid;
    }
};

} // namespace

TEdit::TEdit(QWidget *parent)
    : QLineEdit(parent)
{
    setMaxLength(std::numeric_limits<int>::max());
    setValidator(new Windows1250Validator(this));
}
