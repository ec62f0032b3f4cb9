#include "form/maskedit/editmode.h"

SharedEditMode &SharedEditMode::application()
{
    static SharedEditMode mode;
    return mode;
}
