// A user's mouse and keyboard in GUI tests: a click goes to the widget under the point, typed keys
// to the widget with the keyboard focus (QApplication::focusWidget()), as the window system
// delivers them; an editable combo box, for one, hands them on to its line edit.
#pragma once

#include <QString>

class QWidget;

namespace kardo::test {

// Activates control's window, moves the mouse to control's centre and clicks there with the left
// button: press and release go to the widget under that point.
void UserClick(QWidget* control);
// Types text key by key, each key to the widget that has the focus when it is typed.
void UserTypes(const QString& text);
// Presses key at the widget that has the focus.
void UserPresses(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

} // namespace kardo::test
