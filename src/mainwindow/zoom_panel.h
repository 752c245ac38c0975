// The zoom controls of the main window: the keys of tlbZoom and tlbZoomInOut in the zoom panel,
// the percentage box cmbZoom, and the zoom entries of the "&Ansicht" menu (F3 to F8).
#pragma once

#include "render/zoom.h"

#include <QObject>

class QComboBox;

namespace kardo {

class frmKardo;

class ZoomPanel : public QObject {
    Q_OBJECT
  public:
    enum class Command { Zoom100, Full, Height, Width, In, Out };

    // Fills the zoom panel's toolbars and box and connects the menu entries; owned by the
    // window.
    explicit ZoomPanel(frmKardo& window);

    // Carries out a zoom command and shows the zoom set. The menu entries and their keys (F3 to
    // F8) act as the panel's keys do, wherever the mouse pointer rests.
    void Run(Command command);
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

    frmKardo& m_window;         // the main window
    QComboBox* m_box = nullptr; // cmbZoom
};

} // namespace kardo
