// The main window frmKardo: frames the worksheet and serves the core as its host window.
#pragma once

#include "platform/host_window.h"
#include "platform/qt/image_target.h"

#include <QMainWindow>

#include <map>
#include <string>

class QLabel;
class QProgressBar;
class QScrollArea;

namespace kardo {

class WorksheetCanvas;

class frmKardo : public QMainWindow, public HostWindow {
    Q_OBJECT
  public:
    explicit frmKardo(ImageTarget& picture, QWidget* parent = nullptr);

    MsgResult MessageBox(std::string_view text, MsgButtons buttons, MsgIcon icon,
                         std::string_view title) override;
    std::optional<std::string> ShowOpenDialog(const FileDialogRequest& request) override;
    std::optional<std::string> ShowSaveDialog(const FileDialogRequest& request) override;
    void SetStatusText(int panel, std::string_view text) override;
    void SetProgress(int value) override;
    void SetMousePointer(int code) override;
    int MousePointer() const override { return m_pointer; }
    void SetEnabled(std::string_view control, bool enabled) override;
    bool IsEnabled(std::string_view control) const override;
    void SetCaption(std::string_view control, std::string_view text) override;
    std::string Caption(std::string_view control) const override;
    void SetChecked(std::string_view control, bool checked) override;
    bool IsChecked(std::string_view control) const override;
    void SetVisible(std::string_view control, bool visible) override;
    bool IsVisible(std::string_view control) const override;
    void ChangeGUI(bool editing) override;
    void ChangePropertyWindow(const std::array<std::int16_t, 8>& flags) override;
    void ChangeSelPicture(int tool) override;
    void HideDecoder() override;
    void ShowQuickHelp(std::string_view key) override;
    void RefreshWorksheet() override;

  private:
    // State of a named control that has no widget yet.
    struct ControlState {
        bool enabled = true;  // Enabled
        bool checked = false; // Value / Checked
        bool visible = true;  // Visible
        std::string caption;  // Caption / Text
    };
    QObject* FindControl(std::string_view name) const;

    ImageTarget& m_picture;                         // the worksheet image
    QScrollArea* m_container = nullptr;             // picContainer, the viewport
    WorksheetCanvas* m_canvas = nullptr;            // picGrid
    QLabel* m_panel[3] = {nullptr, nullptr, nullptr}; // status bar panels 1 and 2 (index 0 unused)
    QProgressBar* m_progress = nullptr;             // ProgressBar
    int m_pointer = kPointerDefault;                // pointer code of picGrid
    std::map<std::string, ControlState, std::less<>> m_states; // controls without widgets
};

} // namespace kardo
