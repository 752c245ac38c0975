// What the auxiliary dialogs need of the window that owns them: the owner, a way to run a
// dialog modally (a test answers it instead of blocking), the folder picker, and the function
// lock applied to the owner's controls.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

class QDialog;
class QWidget;

namespace kardo {

struct DialogServices {
    QWidget* owner = nullptr;              // the main window
    std::function<int(QDialog&)> runModal; // shows a dialog modally; its result
    std::function<std::optional<std::string>(std::string_view title, std::string_view start)>
        pickFolder;                         // a folder, nothing when cancelled
    std::function<void()> applyPermissions; // ApplyBauteilRechte and ApplyFunktionRechte

    // Runs the dialog through runModal, or modally itself when there is none.
    int RunModal(QDialog& dialog) const;
};

} // namespace kardo
