// The worksheet picture picGrid: shows the persistent worksheet image.
#pragma once

#include "platform/qt/image_target.h"

#include <QWidget>

namespace kardo {

class WorksheetCanvas : public QWidget {
    Q_OBJECT
  public:
    WorksheetCanvas(ImageTarget& image, QWidget* parent);
    // Takes the image's current size.
    void SyncSize();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    ImageTarget& m_image; // the worksheet picture drawn by the core
};

} // namespace kardo
