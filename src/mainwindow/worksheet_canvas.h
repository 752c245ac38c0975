// The worksheet picture picGrid: a viewport-sized widget that shows the part of the worksheet the
// scroll bars choose, with the editing overlays over it, and hands mouse and key input (in sheet
// pixels) to the worksheet's mouse dispatcher.
#pragma once

#include "editor/overlays.h"
#include "platform/qt/image_target.h"

#include <QCursor>
#include <QRegion>
#include <QTimer>
#include <QWidget>

namespace kardo {

class LazyPainter;
class TextLabelEditor;

class WorksheetCanvas : public QWidget {
    Q_OBJECT
  public:
    WorksheetCanvas(ImageTarget& image, QWidget* parent);
    // Shows the worksheet pointer of a pointer code (1 arrow, 2 cross, 5 size, 11 hourglass,
    // 15 size-all, 99 the custom icon chosen by the dispatcher, ...).
    void ApplyPointer(int code);
    // The region the last paint covered, for checks of what a move repaints.
    const QRegion& PaintedRegion() const { return m_painted; }
    // Repaints what changed since the last call: the boxes of the worksheet image that drawing
    // changed, where the overlays were and are when they changed, the selection's marks; all of
    // it when the image is new or the view scrolled. Every event of the canvas ends with it, and
    // a frame timer calls it for what the simulation draws from timers and step-delay waits.
    void RepaintChanges();
    // The label editor txtBeschriftung, a child of the canvas.
    TextLabelEditor* TextEditor() const { return m_editor; }
    // Where a pixel of the worksheet picture lies on the canvas, and the sheet pixel under a
    // point of the canvas: the canvas shows the sheet from (-PictureLeft(), -PictureTop()) on.
    QPoint PictureToCanvas(QPoint p) const;
    QPointF SheetPoint(const QPointF& canvasPoint) const;
    // While a gesture runs with the pointer resting near an edge, the view goes on scrolling: a
    // timer repeats the last move. One repetition, as the timer runs it.
    void AutoScrollTick();
    bool AutoScrollPending() const { return m_autoScroll.isActive(); }

  signals:
    // The canvas changed its size: the view lays itself out again.
    void Resized();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // When an event's changes reach the screen: before the event returns (a click or a key, whose
    // answer the user waits for), or at the next turn of the event loop, which joins the paints
    // of mouse moves coming faster than the screen shows them.
    enum class Paint { Now, Soon };
    // What changed since the last look, in canvas coordinates (the whole canvas when the image
    // is new or the view scrolled to origin, the sheet pixel now at the top-left corner); the
    // changes count as seen.
    QRegion DirtyRegion(QPoint origin);
    // Paints the region when `when` says.
    void Repaint(const QRegion& dirty, Paint when);
    // Runs one dispatcher call; afterwards repaints what it changed and shows the pointer it
    // chose.
    template <typename F> void Dispatch(F&& call, Paint when);
    void PaintOverlays(LazyPainter& paint, const QRect& area) const;
    // The window's pixels this paint event may write into straight, when they are an image of
    // the worksheet picture's pixel format, unscaled (the backing store on the usual platforms),
    // and the canvas's offset in them; none otherwise (a grab into a pixmap, a scaled screen).
    struct DirectPixels {
        QImage* image = nullptr;
        QPoint offset;
    };
    DirectPixels WindowPixels() const;
    // Moves the cursor cell to the event position first when no move reported it yet.
    void MoveToPress(const QMouseEvent* event);

    ImageTarget& m_image;                // the worksheet picture drawn by the core
    QCursor m_pinCursor;                 // custom pointer of the IC-definition view over a wire end
    int m_pointerShown = -1;             // pointer code ApplyPointer set last (-1: none yet)
    int m_iconShown = -1;                // and the custom icon it showed then
    QRegion m_painted;                   // region of the last paint event
    QPointF m_lastMove{-1, -1};          // sheet position of the last move handed on
    QPointF m_lastCanvas;                // canvas position of the last move
    WorksheetOverlays m_overlaysShown;   // the overlays as RepaintChanges last saw them
    QPoint m_originShown;                // the sheet pixel at the top-left corner then
    QTimer m_frame;                      // looks for image changes once a frame
    QTimer m_autoScroll;                 // repeats the last move while the view scrolls by itself
    TextLabelEditor* m_editor = nullptr; // txtBeschriftung, owned as a child
};

} // namespace kardo
