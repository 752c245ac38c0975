// The main window frmKardo: menus, toolbars, side panels and the worksheet; it serves the core
// as its host window and carries the start-up, tool choice and mode switching of the program.
#pragma once

#include "app/qt/dialog_services.h"
#include "mainwindow/control_table.h"
#include "platform/host_window.h"
#include "platform/qt/image_target.h"

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <QMainWindow>
#include <QPoint>
#include <QPointer>

class QAction;
class QActionGroup;
class QButtonGroup;
class QComboBox;
class QKeyEvent;
class QFrame;
class QLabel;
class QListWidget;
class QMenu;
class QProgressBar;
class QScrollArea;
class QToolBar;
class QToolButton;
class QVBoxLayout;
class QWidget;

namespace kardo {

class AnalyserWindows;
class WorksheetCanvas;
class WorksheetView;
class frmBoolean;
class frmHilfe;
class frmIC;
class frmICAuswahl;
class frmNumberConversion;
class ICPinHandle;

class frmKardo : public QMainWindow, public HostWindow {
    Q_OBJECT
  public:
    explicit frmKardo(ImageTarget& picture, QWidget* parent = nullptr);
    ~frmKardo() override;

    // HostWindow
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
    std::uint64_t ControlStamp() const override { return m_controlStamp; }
    void ChangeGUI(bool editing) override;
    void ChangePropertyWindow(const std::array<std::int16_t, 8>& flags) override;
    void ChangeSelPicture(int tool) override;
    void HideDecoder() override;
    void ShowQuickHelp(std::string_view key) override;
    void PositionQuickHelp(std::string_view headline, std::string_view text,
                           std::string_view key) override;
    void RefreshWorksheet() override;
    void ChangeToolbar3() override;
    ViewportMetrics Viewport() const override;
    void ScrollChanged() override;
    void TextEditorChanged() override;
    void PopupMenu(std::string_view menu) override;
    void RefreshAnalysisList() override;
    void AddGraph(int nr) override;
    void RemoveGraph(int nr) override;
    void ClearGraphs() override;
    void AnalysisChanged() override;
    // The logic analyser's table and timing-diagram windows.
    AnalyserWindows& Analyser() { return *m_analyser; }
    void RefreshICLists() override;
    void RefreshLevelTree() override;
    // IC-definition mode and IC library (ic_definition_glue.cpp).
    void ShowICEditor(bool show) override;
    void RefreshICEditor() override;
    void RefreshICPinLabels() override;
    std::optional<std::string> AskICPinName(int nr, std::string_view current) override;
    // The IC library window shown or closed; cmdICAuswahl, mICAuswahl and cmdICVerwaltung follow.
    void SetICAuswahlShown(bool shown);
    // The open library window is hidden while powered and shown again when editing resumes.
    void ICAuswahlForMode(bool editing);
    // The library window's place, kept for the settings while it is open.
    void KeepICAuswahlPlacement();
    frmIC* ICEditor() const;
    frmICAuswahl* ICAuswahl() const;

    // Message boxes and file dialogs can be answered by a stand-in (tests); the window then
    // never blocks. Without one, the Qt dialogs are shown.
    using MessageBoxFn =
        std::function<MsgResult(std::string_view, MsgButtons, MsgIcon, std::string_view)>;
    using FileDialogFn = std::function<std::optional<std::string>(const FileDialogRequest&)>;
    void SetDialogStandIns(MessageBoxFn messageBox, FileDialogFn openDialog,
                           FileDialogFn saveDialog);
    // What the auxiliary dialogs use of the window; a test puts stand-ins for the modal runner
    // and the folder picker here.
    DialogServices& Dialogs() { return m_dialogs; }
    // Opens an address with the desktop's handler (web page, mail); a test stands in for it.
    using UrlFn = std::function<void(const std::string&)>;
    void SetUrlStandIn(UrlFn openUrl) { m_openUrl = std::move(openUrl); }

    // Start-up and shutdown. Form_Load runs the four stages of the load, reporting each stage
    // text; false means the program must end (the function lock is missing).
    using StageFn = std::function<void(std::string_view)>;
    bool Form_Load(const StageFn& stage);
    void Form_Activate();
    // The close path: true when the window may close. Asks whether to save a changed circuit;
    // a cancelled or failed save keeps the window open.
    bool Form_QueryUnload();
    void mBeenden_Click();

    // Tool choice.
    void Toolbar2_ButtonClick(std::string_view key);
    void MenueClick(int index);
    void SelectKomplexElement();
    void SetRadioMenuChecks(QAction* mnu, int mnuItem);
    void tlbOrientation_ButtonClick(std::string_view key);

    // Main toolbar, quick-help mode and the toolbars' look.
    void Toolbar_ButtonClick(std::string_view key);
    void Toolbar_MouseUp();
    void ChangeToolbarStyle();

    // Side panels.
    void ResizeProperties(bool resize);
    // Layout of the window (Form_Resize) and the formula input line.
    void Form_Resize();
    void CloseFormelPanel();
    void DisplayEingabezeile();

    // Menu commands of the file, extras and help menus.
    void NewCircuitCommand();
    void SaveBitmap();
    void PrintCommand();
    void OptionsCommand();
    void NumberConversionCommand();
    void HelpCommand();
    void WebCommand();
    void ServiceCommand();
    void InfoCommand();

    // The formula input line: its key handler (true when it took the key), Enter, the synthesis
    // of a term with its list entry, the console words, showing and closing the line.
    bool cmbFormel_KeyPress(QKeyEvent& event);
    void cmbFormel_Enter();
    void CreateFileCommand(const std::string& text);
    void RunConsoleWord(const std::string& text);
    // Opens the Boolean-algebra window on the tab of a menu entry (frmBoolean::Entry).
    void BooleanCommand(int entry);

    // The function lock applied to the toolbars, menus and the complex-element list; a locked
    // tool in use ends, the windows of locked functions close.
    void ApplyBauteilRechte();
    void ApplyFunktionRechte();
    // When the tool in use (or the IC-definition view) is locked, the wire tool is chosen
    // instead.
    void EndLockedTool();

    // The hidden IC file list lstIC: re-reads the IC folder and returns the number of files.
    int RefreshICList();
    // Refills the IC combo box cmbIC from lstIC and reselects gICName.
    void ShowICNames();
    // The IC combo box's choice (while the IC tool is active): the IC becomes the one to place,
    // its size is read and its nesting checked ("Fehlerhaft" when it fails), the IC key pressed.
    void cmbIC_Click();
    // The IC section's preview and notes show the IC of cmbIC.
    void ShowICPreview();
    // With the IC tool chosen and no IC chosen yet (an empty name), the first IC of the list
    // becomes the chosen one, so that the IC section with its list shows.
    void ChooseFirstIC();

    // Controls whose function comes with a later part of the program stay disabled whatever
    // asks to enable them.
    bool IsBuilt(std::string_view control) const;
    void SetBuilt(std::string_view control, bool built);

    // Whether the control, by whichever name it is addressed, may be enabled now: it is built,
    // and neither the function lock nor the window's mode keeps it disabled (MayEnable).
    bool MayEnableControl(std::string_view control) const;

    // The control of that name (QAction, QMenu, QWidget); nullptr when there is none.
    QObject* FindControl(std::string_view name) const;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    // State of a named control that has no widget.
    struct ControlState {
        bool enabled = true;  // Enabled
        bool checked = false; // Value / Checked
        bool visible = true;  // Visible
        std::string caption;  // Caption / Text
    };
    // A side panel with its title bar.
    struct Panel {
        QFrame* frame = nullptr;       // the panel
        QWidget* body = nullptr;       // everything below the title bar
        QToolButton* minKey = nullptr; // collapse key cmdMin, nullptr for the power panel
    };

    void BuildMenus();
    void BuildToolbars();
    void BuildPanels();
    void BuildPowerPanel(QVBoxLayout* column);
    void BuildPropertyPanel(QVBoxLayout* column);
    void BuildSmallPanels(QVBoxLayout* column);
    Panel MakePanel(const char* name, const QString& title, int minIndex, int closeIndex,
                    QVBoxLayout* column);
    QToolBar* MakeToolbar(const char* name, QWidget* parent);
    QAction* AddMenuEntry(QMenu* menu, const char* name, const char* caption,
                          const char* shortcut = nullptr);
    QAction* Key(const char* toolbar, std::string_view key) const;

    void OnPowerButton(bool onChecked);
    void PowerButtonHelp(const char* key);
    // The power panel's "&Pause"/"&Fortfahren" and "&Stop" buttons (quick help in its mode).
    void RunControlClick(const char* key);
    void SyncPowerButtons();
    void EnterQuickHelpMode();
    void LeaveQuickHelpMode();
    // Gives the keys saved on entering quick help their values again.
    void RestoreQuickHelpKeys();
    // Where the quick-help panel goes for a key, in window coordinates; nothing: unchanged.
    std::optional<QPoint> QuickHelpAnchor(std::string_view key) const;
    void ResizeQuickHelp();
    void BuildQuickHelpPanel();
    // Mouse moves over the controls around the worksheet hide its hover shapes.
    void InstallHoverFilter();
    void OpenUrl(const std::string& url);
    void SetPressedToolKey(std::string_view key);
    std::string PressedToolKey() const;
    void SetOrientationKeysEnabled(bool enabled);
    void ToggleGrid(bool show);
    void UndoOneStep();
    void ShowUndoListDialog();
    void DeleteMarked();
    void PanelCommand(int index, int state);
    void SaveCircuit();
    void SaveCircuitAs();
    void OpenCircuit();
    void OpenRecentFile(int index);
    void mOnOff_Click();
    void ConnectFormelLine();
    QComboBox* FormelBox() const;
    void ChooseColor(int index);
    void ConnectICWindows();
    void ChooseICFromLibrary(const std::string& name);
    void EditICFromLibrary(const std::string& name);

    ImageTarget& m_picture;                            // the worksheet image
    WorksheetView* m_container = nullptr;              // picContainer, the viewport
    WorksheetCanvas* m_canvas = nullptr;               // picGrid
    QWidget* m_column = nullptr;                       // picPropContainer
    QLabel* m_status[3] = {nullptr, nullptr, nullptr}; // status bar panels 1 and 2
    QProgressBar* m_progress = nullptr;                // ProgressBar
    QActionGroup* m_bauteilMarks = nullptr;            // radio marks of mBauteil
    QButtonGroup* m_powerGroup = nullptr;              // cmdOn / cmdOff
    QComboBox* m_komplex = nullptr;                    // cmbKomplex
    QListWidget* m_icFiles = nullptr;                  // lstIC
    std::array<Panel, 5> m_panels;                     // by panel state index
    int m_pointer = kPointerDefault;                   // pointer code of picGrid
    bool m_syncingPower = false;                       // cmdOn/cmdOff set by the window itself
    bool m_activating = false;                         // Form_Activate is running
    bool m_closing = false;                            // the close path has agreed
    bool m_flatToolbars = false;                       // ChangeToolbarStyle's toggle
    std::string m_quickHelpSavedKey;                   // saved tool state around quick help
    std::uint8_t m_quickHelpSavedMode = 0;             // (kept apart from the power-on state)
    int m_quickHelpSavedPointer = 0;
    std::int16_t m_quickHelpSavedButton = 0;
    std::array<std::int16_t, 8> m_quickHelpSavedFlags{};
    std::vector<std::pair<std::string, bool>> m_quickHelpKeys; // key values saved on entry
    DialogServices m_dialogs;                                  // owner services of the dialogs
    UrlFn m_openUrl;                                           // stand-in for the URL handler
    QPointer<frmNumberConversion> m_numberConversion;          // the converter while open
    QPointer<frmHilfe> m_help;                                 // the help window while open
    QPointer<frmBoolean> m_boolean;                            // the Boolean window once opened
    MessageBoxFn m_messageBox;                                 // stand-in for message boxes
    FileDialogFn m_openDialog;                                 // stand-in for the open dialog
    FileDialogFn m_saveDialog;                                 // stand-in for the save dialog
    std::set<std::string, std::less<>> m_unbuilt;              // controls kept disabled
    std::map<std::string, ControlState, std::less<>> m_states; // controls without widgets
    AnalyserWindows* m_analyser = nullptr;                     // analysis windows
    QPointer<frmIC> m_icEditor;                                // the IC editor once made
    QPointer<frmICAuswahl> m_icAuswahl;                        // the IC library while open
    std::vector<ICPinHandle*> m_pinLabels;                     // lblICAnschluß 1.. (0 unused)

    mutable ControlTable m_controlTable{*this}; // controls by name, built with the window
    std::uint64_t m_controlStamp = 1;           // counts the changes of controls made by name
};

} // namespace kardo
