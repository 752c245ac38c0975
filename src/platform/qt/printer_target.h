// Drawing target on a printed page, written as a PDF file or sent to a printer. The page works
// in device pixels of a fixed 800 dpi, so that the drawers' printer font factors (1.2 x zoom where
// the worksheet picture uses 10 x zoom at 96 dpi) give letters of the same size relative to the
// cells.
#pragma once

#include "platform/draw_target.h"

#include <memory>

#include <QPageLayout>
#include <QPageSize>
#include <QString>

class QIODevice;
class QPagedPaintDevice;
class QPainter;
class QPdfWriter;
class QPrinter;

namespace kardo {

class PrinterTarget : public DrawTarget {
  public:
    // Device resolution of the page: 96 dpi x 10 / 1.2.
    static constexpr int kResolution = 800;

    // Opens the PDF file at path with one empty page of the given size and orientation.
    explicit PrinterTarget(const QString& path,
                           const QPageSize& pageSize = QPageSize(QPageSize::A4),
                           QPageLayout::Orientation orientation = QPageLayout::Portrait);
    // The same, the PDF document written into device (open for writing).
    PrinterTarget(QIODevice& device, const QPageSize& pageSize,
                  QPageLayout::Orientation orientation);
    // Paints on a printer the caller has set up; its resolution becomes 800 dpi.
    explicit PrinterTarget(QPrinter& printer);
    // Finishes the document.
    ~PrinterTarget() override;
    PrinterTarget(const PrinterTarget&) = delete;
    PrinterTarget& operator=(const PrinterTarget&) = delete;

    DeviceKind Kind() const override { return DeviceKind::Printer; }
    void Line(double x1, double y1, double x2, double y2, Color color, LineKind kind) override;
    void Circle(double x, double y, double r, Color color) override;
    void PSet(double x, double y, Color color) override;
    void Print(std::string_view text) override;
    double TextWidth(std::string_view text) override;
    double TextHeight(std::string_view text) override;
    // Hairlines from point to point; the last point is left out (the final segment stops one
    // device pixel short of it).
    void Polyline(std::span<const PolyPoint> points) override;
    void Polygon(std::span<const PolyPoint> points) override;
    void SetPixel(int x, int y, Color color) override;
    // The page keeps its size; a printed page is never cleared.
    void Resize(int, int) override {}
    int Width() const override;
    int Height() const override;
    void Clear() override {}

    // The page could be opened for painting (false: the file or printer cannot be written).
    bool IsOpen() const;
    // Moves the origin of everything drawn afterwards by (dx, dy) device pixels.
    void Translate(double dx, double dy);
    // Starts the next page.
    bool NewPage();
    // Starts the next page in orientation; the origin goes back to the page's corner.
    bool NewPage(QPageLayout::Orientation orientation);
    // Ends the document; the file is complete afterwards and drawing does nothing.
    void Finish();
    bool Finished() const { return !m_painter; }

  private:
    // Page size, orientation and resolution of the PDF document, and the painter on it.
    void StartPdf(const QPageSize& pageSize, QPageLayout::Orientation orientation);
    // Sets the painter's pen to a hairline in color (dotted as DrawStyle says) and its brush by
    // the fill properties when filled.
    void UsePen(Color color, bool filled);

    std::unique_ptr<QPdfWriter> m_writer;  // the PDF document, when the target writes one
    QPagedPaintDevice* m_device = nullptr; // the PDF document or the printer
    std::unique_ptr<QPainter> m_painter;   // paints on m_device until Finish
};

} // namespace kardo
