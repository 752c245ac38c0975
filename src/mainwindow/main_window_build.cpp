// Main window: the menu bar, the toolbars and the worksheet viewport, with their object names,
// captions, keys and design states, and the connections to their handlers.
#include "editor/context_menu.h"
#include "mainwindow/main_window.h"
#include "mainwindow/tool_icons.h"
#include "mainwindow/tool_table.h"
#include "mainwindow/worksheet_canvas.h"
#include "model/codes.h"
#include "model/utilities.h"
#include "simulation/qt/analyser_windows.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace kardo {

namespace {

QString Utf8(const char* s) { return QString::fromUtf8(s); }
QString Utf8(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

struct KeySpec {
    const char* key;     // key text, also the object name
    const char* tooltip; // tooltip, "" for none
    bool twoState;       // stays pressed
};

// The main toolbar; nullptr keys are separators.
constexpr KeySpec kMainKeys[] = {
    {"cmdNew", "Neue Datei anlegen", false},
    {"cmdOpen", "Datei öffnen", false},
    {"cmdSave", "Datei sichern", false},
    {"cmdPrint", "Drucken", false},
    {"cmdCut", "Ausschneiden", false},
    {"cmdCopy", "Kopieren", false},
    {"cmdPaste", "Einfügen", false},
    {nullptr, nullptr, false},
    {"cmdUndo", "Rückgängig", false},
    {"cmdUndoList", "Annullierungsliste", false},
    {nullptr, nullptr, false},
    {"cmdSynthese", "Schaltungssynthese", false},
    {"cmdTabelle", "Wertetabelle", false},
    {nullptr, nullptr, false},
    {"cmdICView", "IC definieren", false},
    {"cmdICAuswahl", "IC-Auswahl", true},
    {nullptr, nullptr, false},
    {"cmdEinstellungen", "Einstellungen", false},
    {"cmdRaster", "Raster anzeigen", true},
    {nullptr, nullptr, false},
    {"cmdPanel0", "Panel: Power", true},
    {"cmdPanel1", "Panel: Eigenschaften", true},
    {"cmdPanel2", "Panel: Arbeitsfeld", true},
    {"cmdPanel3", "Panel: Zoom", true},
    {"cmdPanel4", "Panel: Ebenen", true},
    {"cmdPanel5", "Panel: Eingabezeile", true},
    {nullptr, nullptr, false},
    {"cmdQuickHelp", "Direkthilfe", true},
};

constexpr const char* kElementTooltips[] = {"",
                                            "Text",
                                            "Leitungen ziehen",
                                            "LED",
                                            "Schalter",
                                            "Inverter",
                                            "Verbindungspunkt",
                                            "Koppeldiode",
                                            "Negationspunkt",
                                            "Analysepunkt",
                                            "UND-Baustein",
                                            "ODER-Baustein",
                                            "XODER-Baustein",
                                            "Halbaddierer",
                                            "Volladdierer",
                                            "TriState-Gatter",
                                            "Decoder",
                                            "Decoder mit Takteingang",
                                            "Komplexes Element",
                                            "IC"};

constexpr KeySpec kClockKeys[] = {{"cmdDauertakt", "Dauertakt", false},
                                  {"cmdEinzeltakt", "Einzeltakt", false},
                                  {"cmdStop", "Stromfluß unterbrechen", false},
                                  {"cmdFullStop", "Alles stoppen", false}};

QAction* AddKey(QToolBar* bar, const KeySpec& spec) {
    if (spec.key == nullptr) {
        bar->addSeparator();
        return nullptr;
    }
    QAction* a = bar->addAction(KeyIcon(spec.key), Utf8(spec.tooltip));
    a->setObjectName(spec.key);
    a->setToolTip(Utf8(spec.tooltip));
    a->setCheckable(spec.twoState);
    return a;
}

} // namespace

QAction* frmKardo::AddMenuEntry(QMenu* menu, const char* name, const char* caption,
                                const char* shortcut) {
    QAction* a = menu->addAction(Utf8(caption));
    a->setObjectName(name);
    if (shortcut != nullptr)
        a->setShortcut(QKeySequence(Utf8(shortcut)));
    return a;
}

QToolBar* frmKardo::MakeToolbar(const char* name, QWidget* parent) {
    auto* bar = new QToolBar(parent);
    bar->setObjectName(name);
    bar->setIconSize(QSize(24, 24));
    bar->setMovable(false);
    bar->setFloatable(false);
    return bar;
}

QAction* frmKardo::Key(const char* toolbar, std::string_view key) const {
    auto* bar = findChild<QToolBar*>(toolbar);
    return bar != nullptr ? bar->findChild<QAction*>(Utf8(key)) : nullptr;
}

void frmKardo::BuildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName("MenuBar");
    auto top = [&](const char* name, const char* caption) {
        QMenu* m = bar->addMenu(Utf8(caption));
        m->setObjectName(name);
        return m;
    };
    auto separator = [](QMenu* m, const char* name = nullptr) {
        QAction* s = m->addSeparator();
        if (name != nullptr)
            s->setObjectName(name);
        return s;
    };

    QMenu* datei = top("mDatei", "&Datei");
    connect(AddMenuEntry(datei, "mNeu", "&Neu...", "Ctrl+N"), &QAction::triggered, this,
            [this] { NewCircuitCommand(); });
    connect(AddMenuEntry(datei, "mOpen", "Ö&ffnen...", "Ctrl+O"), &QAction::triggered, this,
            [this] { OpenCircuit(); });
    separator(datei);
    connect(AddMenuEntry(datei, "mSave", "&Speichern"), &QAction::triggered, this,
            [this] { SaveCircuit(); });
    connect(AddMenuEntry(datei, "mSaveAs", "Speichern &unter...", "Ctrl+S"), &QAction::triggered,
            this, [this] { SaveCircuitAs(); });
    connect(AddMenuEntry(datei, "mSaveBitmap", "Als &Bitmap speichern...", "Ctrl+B"),
            &QAction::triggered, this, [this] { SaveBitmap(); });
    separator(datei);
    connect(AddMenuEntry(datei, "mPrint", "&Drucken...", "Ctrl+P"), &QAction::triggered, this,
            [this] { PrintCommand(); });
    separator(datei);
    for (int i = 0; i < 4; ++i) {
        QAction* a = datei->addAction(QString());
        a->setObjectName(QString("mUsedFiles_%1").arg(i));
        a->setVisible(false);
        connect(a, &QAction::triggered, this, [this, i] { OpenRecentFile(i); });
    }
    separator(datei, "mUsedFilesLine")->setVisible(false);
    connect(AddMenuEntry(datei, "mBeenden", "&Beenden"), &QAction::triggered, this,
            [this] { mBeenden_Click(); });

    QMenu* bearbeiten = top("mBearbeiten", "&Bearbeiten");
    QAction* undo = AddMenuEntry(bearbeiten, "mUndo", "&Rückgängig: Nicht möglich", "Ctrl+Z");
    undo->setEnabled(false);
    connect(undo, &QAction::triggered, this, [this] { UndoOneStep(); });
    QAction* undoList = AddMenuEntry(bearbeiten, "mUndoList", "&Annullierungsliste...");
    undoList->setEnabled(false);
    connect(undoList, &QAction::triggered, this, [this] { ShowUndoListDialog(); });
    separator(bearbeiten);
    QAction* del = AddMenuEntry(bearbeiten, "mDelete", "&Löschen", "Del");
    del->setEnabled(false);
    connect(del, &QAction::triggered, this, [this] { DeleteMarked(); });

    QMenu* ansicht = top("mAnsicht", "&Ansicht");
    AddMenuEntry(ansicht, "mZoomOut", "Verkleinern", "F3");
    AddMenuEntry(ansicht, "mZoomIn", "Vergrößern", "F4");
    separator(ansicht);
    const char* zoomCaptions[] = {"Zoom 100%", "Auf Arbeitsfeld zoomen", "Auf Höhe zoomen",
                                  "Auf Breite zoomen"};
    for (int i = 0; i < 4; ++i) {
        const std::string name = "mZoom_" + std::to_string(i);
        const std::string key = "F" + std::to_string(5 + i);
        AddMenuEntry(ansicht, name.c_str(), zoomCaptions[i], key.c_str());
    }
    separator(ansicht);
    const char* panelCaptions[] = {"&Power-Panel", "&Eigenschaften-Panel", "&Arbeitsfeld-Panel",
                                   "&Zoom-Panel",  "&Ebenen-Panel",        "&Eingabezeilen-Panel"};
    for (int i = 0; i < 6; ++i) {
        const std::string name = "mPanel_" + std::to_string(i);
        QAction* a = AddMenuEntry(ansicht, name.c_str(), panelCaptions[i]);
        a->setCheckable(true);
        a->setChecked(i == 0 || i == 1 || i == 3 || i == 5);
        if (i == 5)
            a->setVisible(false);
        // In quick-help mode an entry explains its panel and changes nothing.
        connect(a, &QAction::triggered, this, [this, a, i](bool checked) {
            if (gMouseMode == kToolQuickHelp) {
                a->setChecked(!checked);
                ShowQuickHelp("picPanel" + std::to_string(i));
            } else if (i < 5) {
                PanelCommand(i, checked ? -1 : 0);
            }
        });
    }
    separator(ansicht);
    QAction* icAuswahl = AddMenuEntry(ansicht, "mICAuswahl", "&IC-Auswahl...", "Ctrl+I");
    icAuswahl->setCheckable(true);
    QAction* analyser = AddMenuEntry(ansicht, "mAnsichtItem_2", "&9-Kanal-Logikanalyser...");
    analyser->setCheckable(true);
    analyser->setEnabled(false);
    // The handler sees the check mark as it was before the click and inverts it itself.
    connect(analyser, &QAction::triggered, this, [this, analyser](bool checked) {
        analyser->setChecked(!checked);
        m_analyser->mAnsichtItem_Click();
    });
    QAction* raster = AddMenuEntry(ansicht, "mAnsichtItem_3", "&Raster anzeigen");
    raster->setCheckable(true);
    raster->setChecked(true);
    connect(raster, &QAction::triggered, this, [this](bool checked) { ToggleGrid(checked); });

    QMenu* bauelemente = top("mBauelemente", "Bau&elemente");
    m_bauteilMarks = new QActionGroup(this);
    m_bauteilMarks->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (int i = 1; i <= 25; ++i) {
        const std::string name = "mBauteil_" + std::to_string(i);
        QAction* a = IsBauteilSeparator(i) ? bauelemente->addSeparator()
                                           : bauelemente->addAction(Utf8(kBauteilCaptions[i]));
        a->setObjectName(QString::fromStdString(name));
        if (IsBauteilSeparator(i))
            continue;
        a->setCheckable(true);
        a->setChecked(i == 1);
        connect(a, &QAction::triggered, this, [this, i] { MenueClick(i); });
    }

    QMenu* schaltung = top("mSchaltung", "&Schaltung");
    connect(AddMenuEntry(schaltung, "mOnOff", "&Einschalten", "F12"), &QAction::triggered, this,
            [this] { mOnOff_Click(); });
    separator(schaltung);
    const char* booleanEntries[][3] = {{"mSynthese", "&Schaltungssynthese...", "Ctrl+Y"},
                                       {"mBoolean", "&Wertetabelle...", "Ctrl+W"},
                                       {"mTermCreation", "&Termerstellung...", "Ctrl+T"}};
    for (int i = 0; i < 3; ++i)
        connect(AddMenuEntry(schaltung, booleanEntries[i][0], booleanEntries[i][1],
                             booleanEntries[i][2]),
                &QAction::triggered, this, [this, i] { BooleanCommand(i); });
    separator(schaltung);
    AddMenuEntry(schaltung, "mDefIC", "&IC definieren...");

    QMenu* extras = top("mExtras", "E&xtras");
    connect(AddMenuEntry(extras, "mNumberConversion", "&Zahlenkonvertierung...", "Ctrl+K"),
            &QAction::triggered, this, [this] { NumberConversionCommand(); });
    connect(AddMenuEntry(extras, "mOptionen", "&Optionen..."), &QAction::triggered, this,
            [this] { OptionsCommand(); });

    QMenu* hilfe = top("mHilfe", "&?");
    connect(AddMenuEntry(hilfe, "mHelp", "&Hilfe..."), &QAction::triggered, this,
            [this] { HelpCommand(); });
    separator(hilfe);
    connect(AddMenuEntry(hilfe, "mWeb", "KARDO im Netz..."), &QAction::triggered, this,
            [this] { WebCommand(); });
    connect(AddMenuEntry(hilfe, "mService", "&Service..."), &QAction::triggered, this,
            [this] { ServiceCommand(); });
    separator(hilfe);
    connect(AddMenuEntry(hilfe, "mInfo", "&Über Kardo..."), &QAction::triggered, this,
            [this] { InfoCommand(); });

    // The worksheet's context menu: not in the menu bar.
    auto* popup = new QMenu(Utf8("Popup"), this);
    popup->setObjectName("mPopupMenu");
    const std::pair<int, const char*> popupEntries[] = {
        {3, "Element löschen"}, {4, "-"},        {5, "Verbinden"},
        {6, "Koppeln"},         {7, "Negieren"}, {8, "Negationspunkt löschen"},
        {9, "Ändern"}};
    for (const auto& [index, caption] : popupEntries) {
        QAction* a = std::string_view(caption) == "-" ? popup->addSeparator()
                                                      : popup->addAction(Utf8(caption));
        a->setObjectName(QString("mPopup_%1").arg(index));
        if (index == 9)
            a->setVisible(false);
        if (std::string_view(caption) != "-")
            connect(a, &QAction::triggered, this, [this, i = index] {
                mPopup_Click(i);
                RefreshWorksheet();
            });
    }
}

void frmKardo::BuildToolbars() {
    QToolBar* main = MakeToolbar("Toolbar", this);
    addToolBar(Qt::TopToolBarArea, main);
    for (const KeySpec& spec : kMainKeys) {
        QAction* a = AddKey(main, spec);
        if (a == nullptr)
            continue;
        const std::string key = spec.key;
        connect(a, &QAction::triggered, this, [this, key] { Toolbar_ButtonClick(key); });
        // The history starts empty: nothing to undo until a step is recorded.
        if (key == "cmdUndo" || key == "cmdUndoList")
            a->setEnabled(false);
    }

    addToolBarBreak(Qt::TopToolBarArea);
    QToolBar* elements = MakeToolbar("Toolbar2", this);
    addToolBar(Qt::TopToolBarArea, elements);
    for (std::size_t i = 0; i < kToolbar2Keys.size(); ++i) {
        const KeySpec spec{kToolbar2Keys[i].data(), kElementTooltips[i], true};
        QAction* a = AddKey(elements, spec);
        const std::string key(kToolbar2Keys[i]);
        // The handler sees the keys as they were before the click toggled this one.
        connect(a, &QAction::triggered, this, [this, a, key](bool checked) {
            a->setChecked(!checked);
            Toolbar2_ButtonClick(key);
        });
    }
}

} // namespace kardo
