// A pin label that can be dragged onto the package outline of the IC editor: the pin labels
// lblICAnschluß on the worksheet and lblInOut in the editor.
#pragma once

#include <functional>

#include <QLabel>
#include <QPoint>

namespace kardo {

class ICPinHandle : public QLabel {
    Q_OBJECT
  public:
    ICPinHandle(int nr, QWidget* parent);
    int Nr() const { return m_nr; }
    void SetNr(int nr) { m_nr = nr; }
    // Called when the mouse enters the label (the worksheet labels highlight themselves).
    std::function<void(int)> onEnter;
    // Whether a drag may start now; none: always.
    std::function<bool()> canDrag;
    // Called when another pin label is dropped on this one; none: drops are refused.
    std::function<void()> onDropped;

  protected:
    void enterEvent(QEnterEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    int m_nr;               // pin number
    QPoint m_pressAt;       // where the left button went down
    bool m_pressed = false; // the left button is down on the label
};

} // namespace kardo
