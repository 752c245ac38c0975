// Answers the main window's modal dialogs in tests: each queued handler receives the next
// dialog and acts on it (types into boxes, clicks keys); a dialog without a handler is closed
// as cancelled. The dialogs shown are recorded by object name.
#pragma once

#include "mainwindow/main_window.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include <QDialog>
#include <QString>

#include <gtest/gtest.h>

namespace kardo::test {

class DialogDriver {
  public:
    explicit DialogDriver(frmKardo& window);

    // The child of the dialog with that object name.
    template <class T> static T* Get(QDialog& dialog, const char* name) {
        T* w = dialog.findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    // Clicks the push button of that name.
    static void Click(QDialog& dialog, const char* name);
    // Replaces the text of the line edit of that name as typed.
    static void Type(QDialog& dialog, const char* name, const QString& text);

    std::deque<std::function<void(QDialog&)>> handlers; // in the order of the dialogs
    std::vector<std::string> shown;                     // object names of the dialogs run
};

} // namespace kardo::test
