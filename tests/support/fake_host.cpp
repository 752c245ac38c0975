// Recording stand-in for the main window.
#include "support/fake_host.h"

#include "simulation/analysis.h"

namespace kardo::test {

MsgResult FakeHost::MessageBox(std::string_view text, MsgButtons buttons, MsgIcon icon,
                               std::string_view title) {
    messages.push_back({std::string(text), buttons, icon, std::string(title)});
    log.push_back("MessageBox(" + std::string(text) + ")");
    if (whileShown)
        whileShown();
    if (!messageAnswers.empty()) {
        const MsgResult r = messageAnswers.front();
        messageAnswers.pop_front();
        return r;
    }
    return buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel ? MsgResult::Yes
                                                                              : MsgResult::Ok;
}

std::optional<std::string> FakeHost::ShowOpenDialog(const FileDialogRequest& request) {
    dialogs.push_back(request);
    if (dialogAnswers.empty())
        return std::nullopt;
    auto r = dialogAnswers.front();
    dialogAnswers.pop_front();
    return r;
}

std::optional<std::string> FakeHost::ShowSaveDialog(const FileDialogRequest& request) {
    return ShowOpenDialog(request);
}

FakeHost::State& FakeHost::Control(std::string_view name) {
    auto it = m_controls.find(name);
    if (it == m_controls.end())
        it = m_controls.emplace(std::string(name), State{}).first;
    return it->second;
}

std::optional<std::string> FakeHost::AskICPinName(int nr, std::string_view current) {
    pinNameQuestions.emplace_back(nr, std::string(current));
    if (pinNameAnswers.empty())
        return std::nullopt;
    auto r = pinNameAnswers.front();
    pinNameAnswers.pop_front();
    return r;
}

void FakeHost::RefreshAnalysisList() {
    log.emplace_back("RefreshAnalysisList()");
    PrepareListView();
}

void FakeHost::SetStatusText(int panel, std::string_view text) {
    statusTexts[panel] = std::string(text);
    if (panel == 2 && keepHistory)
        statusLog.emplace_back(text);
}

void FakeHost::SetProgress(int value) { progressValues.push_back(value); }

void FakeHost::SetEnabled(std::string_view control, bool enabled) {
    Change(Control(control).enabled, enabled);
}

bool FakeHost::IsEnabled(std::string_view control) const {
    auto it = m_controls.find(control);
    return it == m_controls.end() || it->second.enabled;
}

void FakeHost::SetCaption(std::string_view control, std::string_view text) {
    std::string& caption = Control(control).caption;
    if (caption != text) {
        caption = std::string(text);
        ++m_stamp;
    }
}

std::string FakeHost::Caption(std::string_view control) const {
    auto it = m_controls.find(control);
    return it == m_controls.end() ? std::string() : it->second.caption;
}

void FakeHost::SetChecked(std::string_view control, bool checked) {
    Change(Control(control).checked, checked);
}

bool FakeHost::IsChecked(std::string_view control) const {
    auto it = m_controls.find(control);
    return it != m_controls.end() && it->second.checked;
}

void FakeHost::SetVisible(std::string_view control, bool visible) {
    Change(Control(control).visible, visible);
}

bool FakeHost::IsVisible(std::string_view control) const {
    auto it = m_controls.find(control);
    return it == m_controls.end() || it->second.visible;
}

void FakeHost::ChangeGUI(bool editing) {
    changeGuiCalls.push_back(editing);
    log.push_back(editing ? "ChangeGUI(true)" : "ChangeGUI(false)");
}

void FakeHost::ChangePropertyWindow(const std::array<std::int16_t, 8>& flags) {
    propertyWindowCalls.push_back(flags);
    log.emplace_back("ChangePropertyWindow");
}

} // namespace kardo::test
