#include "form/widgets/tedit.h"

#include "common/windows1250validator.h"

#include <limits>

TEdit::TEdit(QWidget *parent)
    : QLineEdit(parent)
{
    setMaxLength(std::numeric_limits<int>::max());
    windows1250::refuseOutside(this);
}
