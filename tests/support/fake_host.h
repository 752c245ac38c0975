// Recording stand-in for the main window: remembers every control state, status text and
// message box, answers message boxes and file dialogs from queues set by the test.
#pragma once

#include "platform/host_window.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

namespace kardo::test {

struct ShownMessage {
    std::string text;   // message text
    MsgButtons buttons; // buttons offered
    MsgIcon icon;       // icon
    std::string title;  // caption
};

class FakeHost : public HostWindow {
  public:
    MsgResult MessageBox(std::string_view text, MsgButtons buttons, MsgIcon icon,
                         std::string_view title) override;
    std::optional<std::string> ShowOpenDialog(const FileDialogRequest& request) override;
    std::optional<std::string> ShowSaveDialog(const FileDialogRequest& request) override;
    void SetStatusText(int panel, std::string_view text) override;
    void SetProgress(int value) override;
    void SetMousePointer(int code) override {
        pointer = code;
        if (keepHistory)
            pointers.push_back(code);
    }
    int MousePointer() const override { return pointer; }
    void SetEnabled(std::string_view control, bool enabled) override;
    bool IsEnabled(std::string_view control) const override;
    void SetCaption(std::string_view control, std::string_view text) override;
    std::string Caption(std::string_view control) const override;
    void SetChecked(std::string_view control, bool checked) override;
    bool IsChecked(std::string_view control) const override;
    void SetVisible(std::string_view control, bool visible) override;
    bool IsVisible(std::string_view control) const override;
    std::uint64_t ControlStamp() const override { return m_stamp; }
    void ChangeGUI(bool editing) override;
    void ChangePropertyWindow(const std::array<std::int16_t, 8>& flags) override;
    void ChangeSelPicture(int tool) override { selPictures.push_back(tool); }
    void HideDecoder() override { ++hideDecoderCalls; }
    void ShowQuickHelp(std::string_view key) override { quickHelpKeys.emplace_back(key); }
    void RefreshWorksheet() override { ++refreshCalls; }
    ViewportMetrics Viewport() const override { return viewport; }
    void ScrollChanged() override { ++scrollChangedCalls; }
    // Rebuilds the analysis table's columns as the table window does.
    void RefreshAnalysisList() override;
    void AddGraph(int nr) override { log.push_back("AddGraph(" + std::to_string(nr) + ")"); }
    void RemoveGraph(int nr) override { log.push_back("RemoveGraph(" + std::to_string(nr) + ")"); }
    void ClearGraphs() override { log.emplace_back("ClearGraphs()"); }
    void AnalysisChanged() override { ++analysisChangedCalls; }
    void RefreshICLists() override { log.emplace_back("RefreshICLists()"); }
    void RefreshLevelTree() override { log.emplace_back("RefreshLevelTree()"); }
    void PopupMenu(std::string_view menu) override {
        log.push_back("PopupMenu(" + std::string(menu) + ")");
    }
    void ShowICEditor(bool show) override {
        icEditorShown = show;
        log.push_back(show ? "ShowICEditor(1)" : "ShowICEditor(0)");
    }
    void RefreshICEditor() override { ++icEditorRefreshes; }
    void RefreshICPinLabels() override { log.emplace_back("RefreshICPinLabels()"); }
    // Answers from pinNameAnswers (empty: cancel); each question is kept in pinNameQuestions.
    std::optional<std::string> AskICPinName(int nr, std::string_view current) override;

    // Calls of one method, in order, as "Method(args)" lines.
    std::vector<std::string> log;
    std::vector<ShownMessage> messages;   // every message box shown
    std::deque<MsgResult> messageAnswers; // answers to give; empty: Ok / Yes
    std::function<void()> whileShown;     // runs while each message box is shown (another window)
    std::deque<std::optional<std::string>> dialogAnswers; // file dialog answers; empty: cancel
    std::vector<FileDialogRequest> dialogs;               // every file dialog opened
    std::map<int, std::string> statusTexts;               // panel -> last text
    std::vector<int> progressValues;                      // every progress value set
    int pointer = kPointerDefault;                        // worksheet pointer
    std::vector<bool> changeGuiCalls;                     // ChangeGUI arguments
    std::vector<std::array<std::int16_t, 8>> propertyWindowCalls; // ChangePropertyWindow flags
    std::vector<int> selPictures;                                 // ChangeSelPicture arguments
    std::vector<std::string> quickHelpKeys;                       // ShowQuickHelp keys
    int hideDecoderCalls = 0;                                     // HideDecoder calls
    int refreshCalls = 0;                                         // RefreshWorksheet calls
    ViewportMetrics viewport;                                     // viewport size, window state
    int scrollChangedCalls = 0;                                   // ScrollChanged calls
    int analysisChangedCalls = 0;                                 // AnalysisChanged calls
    bool icEditorShown = false;                                   // ShowICEditor's last value
    int icEditorRefreshes = 0;                                    // RefreshICEditor calls
    std::deque<std::optional<std::string>> pinNameAnswers;     // pin-naming answers; empty: cancel
    std::vector<std::pair<int, std::string>> pinNameQuestions; // (pin, name shown) asked
    bool keepHistory = false;           // statusLog and pointers are kept (off: no growth)
    std::vector<std::string> statusLog; // every text of panel 2, in order (keepHistory)
    std::vector<int> pointers;          // every pointer set (keepHistory)

  private:
    struct State {
        bool enabled = true;  // Enabled
        bool checked = false; // checked / pressed
        bool visible = true;  // Visible
        std::string caption;  // Caption
    };
    State& Control(std::string_view name);
    // Sets a flag of a control; a change moves the stamp.
    void Change(bool& flag, bool value) {
        if (flag != value) {
            flag = value;
            ++m_stamp;
        }
    }
    // Transparent hashing: looking a control up by a string_view allocates nothing.
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const {
            return std::hash<std::string_view>{}(s);
        }
    };
    std::unordered_map<std::string, State, NameHash, std::equal_to<>> m_controls; // by object name
    std::uint64_t m_stamp = 1; // counts the changes the setters made
};

} // namespace kardo::test
