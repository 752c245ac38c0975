// The package of the IC being defined in the IC editor (picIC): the box as the placed IC will
// look, the placed pins' labels lblInOut beside the outline joined to it by their lines
// linInOut, and the drop target that puts a dragged pin on the nearest outline place.
#pragma once

#include <functional>
#include <string>

#include <QPointF>
#include <QWidget>

namespace kardo {

class ICPackageView : public QWidget {
    Q_OBJECT
  public:
    explicit ICPackageView(QWidget* parent);
    // Draws the package again from the definition state and places the labels (ShowInOut).
    void ShowInOut();
    // A pin dropped at pos (widget pixels): on the outline place nearest to it. False when pos
    // is no place or the place was refused (the reason goes to onProblem).
    bool DropPin(int nr, QPointF pos);
    // Pixel position of place (a, b) of the outline (its cell centre).
    QPointF PlaceCentre(int a, int b) const;
    // The reason a drop was refused.
    std::function<void(const std::string&)> onProblem;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    int m_ox = 0;   // column of the package's top-left cell in the picture
    int m_oy = 0;   // row of it
    QImage m_image; // the package picture
    struct Link {
        QPointF from; // stub end on the outline
        QPointF to;   // edge of the label
    };
    std::vector<Link> m_lines; // linInOut
};

} // namespace kardo
