// The worksheet viewport picContainer: the picture picGrid and, in strips of their own that
// stay reserved when they are hidden, the scroll bars HScroll and VScroll, which count cells.
#pragma once

#include "platform/qt/image_target.h"

#include <QWidget>

class QScrollBar;

namespace kardo {

class WorksheetCanvas;

class WorksheetView : public QWidget {
    Q_OBJECT
  public:
    WorksheetView(ImageTarget& image, QWidget* parent);
    WorksheetCanvas* Canvas() const { return m_canvas; }
    // Shows the scroll bars as gHScroll and gVScroll say.
    void SyncScrollBars();

  private:
    // A bar moved by the user (or by the keys): the view follows, the keyboard stays with the
    // worksheet.
    void BarMoved(bool horizontal, int value);

    WorksheetCanvas* m_canvas = nullptr; // picGrid
    QScrollBar* m_h = nullptr;           // HScroll
    QScrollBar* m_v = nullptr;           // VScroll
    bool m_syncing = false;              // the bars are being set from the view's state
};

} // namespace kardo
