// Answering modal dialogs in tests.
#include "support/qt/dialog_driver.h"

#include <QLineEdit>
#include <QPushButton>

namespace kardo::test {

DialogDriver::DialogDriver(frmKardo& window) {
    window.Dialogs().runModal = [this](QDialog& dialog) {
        shown.push_back(dialog.objectName().toStdString());
        dialog.setResult(QDialog::Rejected);
        if (handlers.empty())
            return static_cast<int>(QDialog::Rejected);
        const auto handler = std::move(handlers.front());
        handlers.pop_front();
        handler(dialog);
        return dialog.result();
    };
}

void DialogDriver::Click(QDialog& dialog, const char* name) {
    if (auto* b = Get<QPushButton>(dialog, name))
        b->click();
}

void DialogDriver::Type(QDialog& dialog, const char* name, const QString& text) {
    if (auto* e = Get<QLineEdit>(dialog, name)) {
        e->selectAll();
        e->insert(text);
    }
}

} // namespace kardo::test
