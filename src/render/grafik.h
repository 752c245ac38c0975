// The drawing object: one instance, gGrafik, paints every symbol and wire of the worksheet on
// its drawing target (the worksheet picture or the printer page) from the grid and the element
// list, with positions derived from grid cells by GridToPixel.
#pragma once

#include "model/grid_scale.h"
#include "model/rounding.h"
#include "platform/draw_target.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kardo {

// GridPixel (cell size in pixels at zoom 1.0) and GridMode (zoom factor, 1.0 = 100 %) come from
// GridScale, where the grid-to-pixel rules read them.
class clsGrafik : public GridScale {
  public:
    std::uint8_t Orientation = 2; // orientation of the symbol about to be drawn
    DrawTarget* Device = nullptr; // the drawing target: the worksheet picture or the printer
    std::int16_t VStartX = 0;     // first visible column (view only; no drawer reads it)
    std::int16_t VEndX = 0;       // last visible column
    std::int16_t VStartY = 0;     // first visible row
    std::int16_t VEndY = 0;       // last visible row

    // The target is the printer page.
    bool OnPrinter() const { return Device && Device->Kind() == DeviceKind::Printer; }
    // GridPixel * GridMode rounded to the nearest integer, a half to the even one. Inline:
    // every symbol starts with it.
    std::int16_t GetZoomRaster() const {
        return static_cast<std::int16_t>(
            RoundHalfEven(static_cast<double>(GridPixel) * static_cast<double>(GridMode)));
    }

    void DrawAnalysepunkt(std::int16_t x, std::int16_t y);
    void DrawLines(std::int16_t PosX, std::int16_t PosY, std::int16_t Richtung,
                   std::uint8_t Status);
    void DrawICInOut(std::int16_t PosX, std::int16_t PosY);
    void DrawIC(std::int16_t pX, std::int16_t pY, std::int16_t ICNr, bool OnlyBorder);
    // The IC symbol of a package whose top-left cell is (ox, oy), maxX by maxY cells, with its
    // name and the pins of places 1..n (lines "a;b;name;", "" for a pin without a place; entry
    // 0 unused; a place off the outline or held by an earlier pin is not drawn): what DrawIC
    // draws for an instance, also for the package editor and previews.
    void DrawICPackage(int ox, int oy, std::int16_t maxX, std::int16_t maxY, std::string_view name,
                       const std::vector<std::string>& places, int n, bool OnlyBorder);
    void DrawZAnzeige(std::int16_t x, std::int16_t y);
    void PaintLine(std::int16_t X1, std::int16_t Y1, std::int16_t X2, std::int16_t Y2,
                   bool DeleteLine);
    void DrawDecoder(std::int16_t x, std::int16_t y, bool OnlyBorder);
    void DrawDiode(std::int16_t x, std::int16_t y);
    void DrawFlipFlop(std::int16_t x, std::int16_t y, bool OnlyBorder, bool OnlyNumber);
    // DrawFlipFlop of element e when GetInputPoints(e, 0) has just filled gEingangsPunkte (the
    // element dispatch has): the same picture without reading the input pins again.
    void DrawFlipFlopOfInputs(std::int16_t e, bool OnlyBorder);
    // The flip-flop at cell (x, y) after its state changed: on a target that clips, only the
    // state digit beside Q is painted again (as the whole symbol paints it there); on any
    // other the whole symbol is drawn.
    void RedrawFlipFlopState(std::int16_t x, std::int16_t y);
    // A key for everything the element dispatch reads to draw the element at cell (x, y)
    // besides the pixels it draws over (DrawTarget::Replay): for a switch its place, its level
    // and the zoom; for a flip-flop drawn through its clock pin its pins, orientation, state,
    // negation marks and the zoom. 0 for any other cell, and while an IC level is shown.
    std::uint64_t DrawingKey(std::int16_t x, std::int16_t y) const;
    // The pixels (surface coordinates) the switch symbol of cell (x, y) may paint: its cell
    // and a pixel around it.
    PixelBox SwitchBox(std::int16_t x, std::int16_t y) const;
    void DrawHA(std::int16_t pX, std::int16_t pY);
    void DrawInverter(std::int16_t pX, std::int16_t pY);
    void DrawMultiplexer(std::int16_t x, std::int16_t y);
    void DrawNegationsPunkt(std::int16_t x, std::int16_t y);
    void DrawOder(std::int16_t x, std::int16_t y, bool OnlyBorder);
    void DrawSRegister(std::int16_t pX, std::int16_t pY);
    void DrawSwitch(std::int16_t PosX, std::int16_t PosY);
    void DrawTimer(std::int16_t pX, std::int16_t pY, bool Border);
    void DrawTriState(std::int16_t pX, std::int16_t pY);
    void DrawUnd(std::int16_t x, std::int16_t y, bool OnlyBorder);
    void DrawVA(std::int16_t pX, std::int16_t pY);
    void DrawXOder(std::int16_t x, std::int16_t y);
    std::int16_t SearchEndX(std::int16_t sX, std::int16_t sY, std::int16_t Richtung,
                            std::uint8_t Status);
    std::int16_t SearchEndY(std::int16_t sX, std::int16_t sY, std::int16_t Richtung,
                            std::uint8_t Status);
    // Paints the element at cell (x, y) again inside box (surface pixels) as the whole symbol
    // paints it there; for a target that clips (Device->Clips()). While a repaint batch is
    // open (a run of the simulation) this only notes the element and the box: the wire steps
    // and state changes of a run reach the same elements again and again, and each is painted
    // once per box when the batch closes, the boxes of an element joined where they lie close.
    void RepaintUnderClip(std::int16_t x, std::int16_t y, const PixelBox& box);
    // Batches nest; the outermost closing paints what they noted.
    void OpenRepaintBatch() { ++m_repaintBatches; }
    void CloseRepaintBatch();
    // Paints what the open batches noted so far: before the window shows the picture while a
    // run waits.
    void FlushRepaints();
    // Forgets what was noted: the whole picture is drawn again.
    void DropRepaints() { m_repaints.clear(); }
    // Zoom commands: 100 %, the whole sheet, its height or its width fitted into the viewport
    // (at least 60 %); each redraws the whole sheet.
    void Zoom100();
    void ZoomFull();
    void ZoomHeight();
    void ZoomWidth();

  private:
    // Every box-shaped drawer starts with this: stores GetZoomRaster() as the zoomed cell size R
    // of the drawing in progress and returns it.
    float LoadZoomRaster() {
        m_r = static_cast<float>(GetZoomRaster());
        return m_r;
    }
    // The IC box over a package whose top-left cell is (ox, oy), maxX by maxY cells, with the
    // IC's name; false when only the transparent outline was wanted (nothing more to draw).
    bool DrawICBox(int ox, int oy, int maxX, int maxY, std::string_view name, bool OnlyBorder);
    // The stub and name of a pin at (a, b) of that package's outline, by the edge it is on
    // (a corner counts as the left or right edge); a place on no edge draws nothing. After
    // DrawICBox.
    void DrawICPin(int ox, int oy, int maxX, int maxY, int a, int b, std::string_view pin);
    // DrawingKey of a flip-flop's and of a switch's cell.
    std::uint64_t FlipFlopDrawingKey(std::int16_t x, std::int16_t y) const;
    std::uint64_t SwitchDrawingKey(std::int16_t x, std::int16_t y) const;

    // An element to paint again when the repaint batch closes.
    struct NotedRepaint {
        DrawTarget* device = nullptr; // the target it is painted on
        std::int16_t element = 0;     // its element number
        std::int16_t x = 0;           // the cell it is drawn through
        std::int16_t y = 0;
        PixelBox box{}; // where it is painted again
    };

    float m_r = 14.0f;                    // zoomed cell size R of the drawing in progress
    int m_repaintBatches = 0;             // repaint batches open
    std::vector<NotedRepaint> m_repaints; // noted while a batch is open, in order
};

// Draws through the drawing object onto another target for its lifetime; the target, the zoom
// and the platform's printer in force before come back afterwards.
class DeviceScope {
  public:
    DeviceScope(DrawTarget& target, float zoom);
    ~DeviceScope();
    DeviceScope(const DeviceScope&) = delete;
    DeviceScope& operator=(const DeviceScope&) = delete;

  private:
    DrawTarget* m_device;  // device before
    float m_zoom;          // zoom before
    DrawTarget* m_printer; // platform printer before
};

extern clsGrafik gGrafik;                  // the drawing object; ResetGrafik
extern std::vector<PolyPoint> gPolyPoints; // point list shared by the Polyline/Polygon calls
extern Color gLinienFarbe; // outline colour of pin stubs, 0 black; reset by ResetGrafik

// Keeps a repaint batch of gGrafik open for its lifetime.
class RepaintBatch {
  public:
    RepaintBatch() { gGrafik.OpenRepaintBatch(); }
    ~RepaintBatch() { gGrafik.CloseRepaintBatch(); }
    RepaintBatch(const RepaintBatch&) = delete;
    RepaintBatch& operator=(const RepaintBatch&) = delete;
};

// Start-up state: the drawing object on the platform's worksheet picture, cell size 14, zoom
// 1.0; no points; black outlines.
void ResetGrafik();

} // namespace kardo
