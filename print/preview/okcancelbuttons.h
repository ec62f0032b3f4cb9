#pragma once

class QDialog;
class QDialogButtonBox;

// The "OK" (default) and "Mégsem" buttons of the printing dialogs, named OkB and CancelB, accepting and
// rejecting the dialog.
QDialogButtonBox *createOkCancelButtons(QDialog *dialog);
