// The timing-diagram window frmAnalyse2 "Graph": one strip picGraph (i) with its label lblGraph
// (i) per analysis point i + 1, strip 0 always there, the others loaded as points come; each
// strip shows the point's trace, white on dark blue, from the core's trace state.
#pragma once

#include <functional>
#include <vector>

#include <QWidget>

class QLabel;
class QPushButton;

namespace kardo {

// picGraph (i): paints strip i from gAnalyseX, gAnalyseSpuren and gAnalyseBreite.
class TraceStrip : public QWidget {
    Q_OBJECT
  public:
    TraceStrip(int index, QWidget* parent);
    int Index() const { return m_index; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int m_index; // strip index, point number - 1
};

class frmAnalyse2 : public QWidget {
    Q_OBJECT
  public:
    // Geometry in pixels: strips start at kStripLeft, strip 0 at kFirstTop; the window ends
    // kBottom below the last strip (the row of the "Tabelle" button).
    static constexpr int kLabelLeft = 6;
    static constexpr int kStripLeft = 24;
    static constexpr int kRightMargin = 6;
    static constexpr int kFirstTop = 16;
    static constexpr int kLabelDown = 4;
    static constexpr int kBottom = 27;
    static constexpr int kClearedHeight = 64; // one strip: 960 twips

    explicit frmAnalyse2(QWidget* owner);

    // Loads every missing strip up to point nr - 1 (strip 0 always exists).
    void AddGraph(int nr);
    // Unloads the strip of point nr when it is the last one (never strip 0).
    void RemoveGraph(int nr);
    // Back to strip 0 alone at the height of one strip.
    void ClearGraphs();
    // Repaints every strip.
    void RefreshStrips();
    // Highest loaded strip index.
    int HighestStrip() const { return static_cast<int>(m_strips.size()) - 1; }
    TraceStrip& Strip(int i) { return *m_strips[static_cast<std::size_t>(i)].picture; }
    QLabel& Label(int i) { return *m_strips[static_cast<std::size_t>(i)].label; }

    // The "Tabelle" button.
    std::function<void()> onShowTable;
    // Called when the user closes the window, before it hides.
    std::function<void()> onClose;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    struct StripWidgets {
        TraceStrip* picture = nullptr; // picGraph (i)
        QLabel* label = nullptr;       // lblGraph (i)
    };
    void LoadStrip();
    void FitHeight();
    void LayOut();

    std::vector<StripWidgets> m_strips; // 0..HighestStrip()
    QPushButton* m_tabelle = nullptr;   // shows the table window
};

} // namespace kardo
