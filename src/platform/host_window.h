// What the core asks of the main window: message boxes, file dialogs, status bar, progress,
// mouse pointer, the state of named controls, and the window's own methods. The Qt main window
// implements it; tests use a recording fake.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kardo {

enum class MsgButtons : std::uint8_t { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MsgIcon : std::uint8_t { None, Critical, Question, Exclamation, Information };
enum class MsgResult : std::uint8_t { Ok, Cancel, Yes, No, Retry };

// What a file dialog is opened with.
struct FileDialogRequest {
    std::string title;         // dialog caption
    std::string filter;        // "Beschreibung|*.kdx|..." pairs: description, pattern
    std::string initialFolder; // folder shown first
    std::string fileName;      // preset file name
};

// Mouse pointer codes of the worksheet and the main window.
enum PointerCode : int {
    kPointerDefault = 0,
    kPointerCross = 2,
    kPointerHourglass = 11,
    kPointerArrowHourglass = 13,
    kPointerArrowQuestion = 14,
    kPointerCustom = 99,
};

// The worksheet viewport picContainer as the view sees it.
struct ViewportMetrics {
    int width = 0;       // inner width in pixels, the scroll bars' strip left out
    int height = 0;      // inner height in pixels
    int windowState = 0; // the main window: 0 normal, 1 minimised, 2 maximised
};

class HostWindow {
  public:
    virtual ~HostWindow() = default;

    // Modal message box; returns the button pressed.
    virtual MsgResult MessageBox(std::string_view text, MsgButtons buttons, MsgIcon icon,
                                 std::string_view title) = 0;
    // Modal file dialogs; nothing when cancelled.
    virtual std::optional<std::string> ShowOpenDialog(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> ShowSaveDialog(const FileDialogRequest& request) = 0;

    // Status bar panel (1-based) text, progress bar value 0..100.
    virtual void SetStatusText(int panel, std::string_view text) = 0;
    virtual void SetProgress(int value) = 0;
    // Pointer of the worksheet picture.
    virtual void SetMousePointer(int code) = 0;
    virtual int MousePointer() const = 0;

    // State of a control by its object name ("mUndo", "cmdPause", "mAnsichtItem_2"): enabled,
    // caption or text, checked (menu mark, pressed key, check box) and visible.
    virtual void SetEnabled(std::string_view control, bool enabled) = 0;
    virtual bool IsEnabled(std::string_view control) const = 0;
    virtual void SetCaption(std::string_view control, std::string_view text) = 0;
    virtual std::string Caption(std::string_view control) const = 0;
    virtual void SetChecked(std::string_view control, bool checked) = 0;
    virtual bool IsChecked(std::string_view control) const = 0;
    virtual void SetVisible(std::string_view control, bool visible) = 0;
    virtual bool IsVisible(std::string_view control) const = 0;

    // Methods of the main window.
    virtual void ChangeGUI(bool editing) = 0;
    virtual void ChangePropertyWindow(const std::array<std::int16_t, 8>& flags) = 0;
    virtual void ChangeSelPicture(int tool) = 0;
    virtual void HideDecoder() = 0;
    virtual void ShowQuickHelp(std::string_view key) = 0;
    // Shows the quick-help panel with a headline and text of the caller's own, placed by key.
    virtual void PositionQuickHelp(std::string_view /*headline*/, std::string_view /*text*/,
                                   std::string_view key) {
        ShowQuickHelp(key);
    }
    // The worksheet picture changed and must be shown again.
    virtual void RefreshWorksheet() = 0;
    // Brings the clock toolbar and the clock panel in line with the selected clock gAktTakt.
    virtual void ChangeToolbar3() {}
    // The worksheet viewport's size and the window state; 0 x 0 without a viewport.
    virtual ViewportMetrics Viewport() const { return {}; }
    // The scroll bars (gHScroll, gVScroll) or the part of the sheet shown changed.
    virtual void ScrollChanged() {}
    // The label editor gTxtBeschriftung opened, changed its box or closed: the line edit
    // txtBeschriftung follows it.
    virtual void TextEditorChanged() {}

    // Hooks of the analysis windows: the table window rebuilds its list (PrepareListView,
    // ResizeListView); the timing diagram adds or removes the trace of analysis point nr. They do
    // nothing until those windows exist.
    virtual void RefreshAnalysisList() {}
    virtual void AddGraph(int /*nr*/) {}
    virtual void RemoveGraph(int /*nr*/) {}
    // Clearing the circuit: the timing diagram goes back to its one empty strip.
    virtual void ClearGraphs() {}
    // The analysis table or the traces have something new to show. Called once; again only
    // after the windows have told the core that they showed it (AnalysisShown).
    virtual void AnalysisChanged() {}

    // IC hooks: the file lists of the IC folder (lstIC, the library's list) read the folder
    // again; the level tree tvwLevel is rebuilt from BuildLevelTree (ic/level_tree.h).
    virtual void RefreshICLists() {}
    virtual void RefreshLevelTree() {}
    // Pops the named context menu up at the mouse position without waiting; the command of the
    // entry chosen arrives later.
    virtual void PopupMenu(std::string_view /*menu*/) {}
    // IC-definition mode: the IC editor frmIC is shown or hidden, or shows the definition state
    // again; the pin-name labels lblICAnschluß follow gICPinLabels (ic/pin_labels.h); the
    // pin-naming dialog asks for the name of pin nr (current: its name so far, "" for a new
    // pin) and gives nothing when cancelled.
    virtual void ShowICEditor(bool /*show*/) {}
    virtual void RefreshICEditor() {}
    virtual void RefreshICPinLabels() {}
    virtual std::optional<std::string> AskICPinName(int /*nr*/, std::string_view /*current*/) {
        return std::nullopt;
    }
};

} // namespace kardo
