// The zoom controls of the main window: the keys of tlbZoom and tlbZoomInOut in the zoom panel,
// the percentage box cmbZoom, and the zoom entries of the "&Ansicht" menu (F3 to F8).
#pragma once

#include "render/zoom.h"

#include <optional>

#include <QObject>
#include <QPoint>

class QComboBox;

namespace kardo {

class frmKardo;
class WorksheetCanvas;

class ZoomPanel : public QObject {
    Q_OBJECT
  public:
    enum class Command { Zoom100, Full, Height, Width, In, Out };

    // Fills the zoom panel's toolbars and box and connects the menu entries; owned by the
    // window.
    ZoomPanel(frmKardo& window, WorksheetCanvas& canvas);

    // Carries out a zoom command and shows the zoom set. With the pointer at a point of the
    // canvas (a key pressed over the sheet) the cell under it stays under it as far as whole
    // cells allow.
    void Run(Command command, std::optional<QPoint> pointer = std::nullopt);
    // The percentage box: a list entry chosen, Enter pressed, the focus lost.
    void BoxChosen(int index);
    void BoxEntered();
    void BoxLeft();
    // Writes the zoom in force into the box ("87%").
    void ShowZoom();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Shows the box's new text and sets the zoom it stands for when that changes.
    void ApplyChoice(const ZoomBoxChoice& choice);
    // The canvas point under the mouse pointer, when it rests over the sheet.
    std::optional<QPoint> PointerOverSheet() const;

    frmKardo& m_window;
    WorksheetCanvas& m_canvas;
    QComboBox* m_box = nullptr; // cmbZoom
};

} // namespace kardo
