// Running a dialog through the owner's services.
#include "app/qt/dialog_services.h"

#include <QDialog>

namespace kardo {

int DialogServices::RunModal(QDialog& dialog) const {
    if (runModal)
        return runModal(dialog);
    return dialog.exec();
}

} // namespace kardo
