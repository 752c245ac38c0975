// A user's mouse and keyboard in GUI tests.
#include "support/qt/user_input.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace kardo::test {

namespace {

QWidget* Keyboard() {
    QWidget* w = QApplication::focusWidget();
    if (w == nullptr)
        ADD_FAILURE() << "no widget has the keyboard focus";
    return w;
}

} // namespace

void UserClick(QWidget* control) {
    QWidget* window = control->window();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    const QPoint point = control->mapTo(window, control->rect().center());
    QWidget* under = window->childAt(point);
    QWidget* target = under != nullptr ? under : window;
    const QPoint local = target->mapFrom(window, point);
    QTest::mouseMove(target, local);
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, local);
    QApplication::processEvents();
}

void UserTypes(const QString& text) {
    for (const QChar c : text)
        if (QWidget* w = Keyboard())
            QTest::keyClicks(w, QString(c));
    QApplication::processEvents();
}

void UserPresses(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    if (QWidget* w = Keyboard())
        QTest::keyClick(w, key, modifiers);
    QApplication::processEvents();
}

} // namespace kardo::test
