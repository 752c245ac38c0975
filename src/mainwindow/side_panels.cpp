// Main window: the column of side panels (power, properties, sheet size, zoom, levels) with the
// controls inside them, the hidden helper controls, and the central layout.
#include "files/text_helpers.h"
#include "ic/qt/level_tree_view.h"
#include "mainwindow/clock_delay_panels.h"
#include "mainwindow/main_window.h"
#include "mainwindow/property_panel.h"
#include "mainwindow/tool_icons.h"
#include "mainwindow/window_layout.h"
#include "mainwindow/worksheet_canvas.h"
#include "mainwindow/worksheet_view.h"
#include "mainwindow/zoom_panel.h"
#include "model/placement.h"
#include "model/rounding.h"

#include <algorithm>
#include <tuple>

#include <QAction>
#include <QActionGroup>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kardo {

namespace {

QString Utf8(const char* s) { return QString::fromUtf8(s); }

template <class W> W* Named(W* w, const char* name) {
    w->setObjectName(Utf8(name));
    return w;
}

QLabel* Text(const char* caption, QWidget* parent, const char* name = nullptr) {
    auto* l = new QLabel(Utf8(caption), parent);
    if (name != nullptr)
        l->setObjectName(Utf8(name));
    return l;
}

// A frame that is shown or hidden as one section.
QFrame* Section(const char* name, QWidget* parent, QVBoxLayout* layout) {
    auto* f = Named(new QFrame(parent), name);
    auto* v = new QVBoxLayout(f);
    v->setContentsMargins(2, 2, 2, 2);
    v->setSpacing(2);
    layout->addWidget(f);
    return f;
}

// The colours of the nine colour fields, red in the low byte.
constexpr std::int32_t kFieldColors[9] = {0x0000FF, 0x00FFFF, 0x00FF00, 0xFF0000, 0xFFFF00,
                                          0xFF00FF, 0x0080FF, 0x808080, 0x000000};

QColor FromBgr(std::int32_t c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

} // namespace

frmKardo::Panel frmKardo::MakePanel(const char* name, const QString& title, int minIndex,
                                    int closeIndex, QVBoxLayout* column) {
    Panel p;
    p.frame = Named(new QFrame(m_column), name);
    p.frame->setFrameShape(QFrame::StyledPanel);
    auto* v = new QVBoxLayout(p.frame);
    v->setContentsMargins(2, 2, 2, 2);
    v->setSpacing(2);
    auto* titleBar = new QWidget(p.frame);
    auto* h = new QHBoxLayout(titleBar);
    h->setContentsMargins(2, 0, 0, 0);
    auto* caption = new QLabel(title, titleBar);
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    h->addWidget(caption, 1);
    if (minIndex >= 0) {
        p.minKey = Named(new QToolButton(titleBar), "");
        p.minKey->setObjectName(QString("cmdMin_%1").arg(minIndex));
        p.minKey->setCheckable(true);
        p.minKey->setText("_");
        p.minKey->setAutoRaise(true);
        // Title keys are for the mouse, like a window's own title bar: holding the keyboard,
        // they would turn the next Space or Enter into a collapsed or closed panel.
        p.minKey->setFocusPolicy(Qt::NoFocus);
        h->addWidget(p.minKey);
    }
    auto* close = new QToolButton(titleBar);
    close->setObjectName(QString("cmdClose_%1").arg(closeIndex));
    close->setText("x");
    close->setAutoRaise(true);
    close->setFocusPolicy(Qt::NoFocus);
    h->addWidget(close);
    v->addWidget(titleBar);
    p.body = new QWidget(p.frame);
    v->addWidget(p.body);
    column->addWidget(p.frame);
    return p;
}

void frmKardo::BuildPanels() {
    auto* central = new QWidget(this);
    central->setObjectName("picMain");
    auto* h = new QHBoxLayout(central);
    h->setContentsMargins(2, 2, 2, 2);
    h->setSpacing(4);

    m_column = Named(new QWidget(central), "picPropContainer");
    m_column->setFixedWidth(230);
    auto* column = new QVBoxLayout(m_column);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    h->addWidget(m_column);

    auto* right = new QWidget(central);
    auto* rv = new QVBoxLayout(right);
    rv->setContentsMargins(0, 0, 0, 0);
    // The formula input line above the worksheet; it comes with its own part of the program.
    auto* formula = Named(new QWidget(right), "picFormel");
    auto* fh = new QHBoxLayout(formula);
    fh->setContentsMargins(0, 0, 0, 0);
    auto* cmdFormel = Named(new QPushButton(Utf8("Formel:"), formula), "cmdFormel");
    auto* cmbFormel = Named(new QComboBox(formula), "cmbFormel");
    cmbFormel->setEditable(true);
    auto* cmdCloseFormel = Named(new QToolButton(formula), "cmdCloseFormel");
    cmdCloseFormel->setText("x");
    fh->addWidget(cmdFormel);
    fh->addWidget(cmbFormel, 1);
    fh->addWidget(cmdCloseFormel);
    cmdFormel->hide();
    cmbFormel->hide();
    cmdCloseFormel->hide();
    formula->hide();
    rv->addWidget(formula);
    m_container = new WorksheetView(m_picture, right);
    m_canvas = m_container->Canvas();
    rv->addWidget(m_container, 1);
    h->addWidget(right, 1);
    setCentralWidget(central);

    BuildPowerPanel(column);
    BuildPropertyPanel(column);
    BuildSmallPanels(column);
    column->addStretch(1);

    // Hidden helpers: the IC file list and the quick-help box.
    m_icFiles = Named(new QListWidget(this), "lstIC");
    m_icFiles->hide();
    auto* quick = Named(new QFrame(this), "picQuickHelp");
    Text("", quick, "lblHeadline");
    Text("", quick, "lblQText");
    quick->hide();
    auto* grey = Text("", this, "lblIC");
    grey->hide();
    // A diagnostic label: hidden unless the formula line's console shows it.
    Text("0", this, "lblTime")->hide();

    new PropertyPanel(*this);
    new ZoomPanel(*this, *m_canvas);
    ConnectWindowLayout(*this);
}

void frmKardo::BuildPowerPanel(QVBoxLayout* column) {
    Panel p = MakePanel("picEinAus", Utf8("Power"), -1, 3, column);
    m_panels[0] = p;
    auto* g = new QGridLayout(p.body);
    g->setContentsMargins(2, 2, 2, 2);
    auto* on = Named(new QPushButton(Utf8("Ein"), p.body), "cmdOn");
    auto* off = Named(new QPushButton(Utf8("Aus"), p.body), "cmdOff");
    on->setCheckable(true);
    off->setCheckable(true);
    off->setChecked(true);
    m_powerGroup = new QButtonGroup(this);
    m_powerGroup->setExclusive(true);
    m_powerGroup->addButton(on);
    m_powerGroup->addButton(off);
    connect(on, &QPushButton::toggled, this, [this](bool checked) { OnPowerButton(checked); });
    connect(on, &QPushButton::clicked, this, [this] { PowerButtonHelp("cmdOn"); });
    connect(off, &QPushButton::clicked, this, [this] { PowerButtonHelp("cmdOff"); });
    g->addWidget(on, 0, 0);
    g->addWidget(off, 0, 1);
    auto* pause = Named(new QPushButton(Utf8("&Pause"), p.body), "cmdPause");
    auto* stop = Named(new QPushButton(Utf8("&Stop"), p.body), "cmdStop");
    pause->setEnabled(false);
    stop->setEnabled(false);
    connect(pause, &QPushButton::clicked, this, [this] { RunControlClick("cmdPause"); });
    connect(stop, &QPushButton::clicked, this, [this] { RunControlClick("cmdStop"); });
    g->addWidget(pause, 1, 0);
    g->addWidget(stop, 1, 1);
    auto* onOff = Named(new QFrame(p.body), "picOnOff");
    auto* oh = new QHBoxLayout(onOff);
    oh->setContentsMargins(0, 0, 0, 0);
    for (const auto& [name, colour] : {std::pair{"picRot", Qt::red}, {"picGrün", Qt::green}}) {
        auto* lamp = Named(new QLabel(onOff), name);
        QPixmap pm(12, 12);
        pm.fill(Qt::transparent);
        QPainter painter(&pm);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(QColor(colour));
        painter.drawEllipse(1, 1, 10, 10);
        painter.end();
        lamp->setPixmap(pm);
        oh->addWidget(lamp);
    }
    oh->addWidget(Text("Bereit", onOff, "lblOnOff"), 1);
    onOff->hide();
    g->addWidget(onOff, 2, 0, 1, 2);
    g->addWidget(Text("Verzögerung:", p.body), 4, 0);
    g->addWidget(BuildDelayBox(p.body), 4, 1);
    auto* delay = Named(new QSlider(Qt::Horizontal, p.body), "sldDelay");
    delay->setRange(0, 100);
    g->addWidget(delay, 5, 0);
    auto* delayLabel = Text("[Aus]", p.body, "lblDelay");
    delayLabel->setStyleSheet("color: #808080");
    g->addWidget(delayLabel, 5, 1);
}

void frmKardo::BuildPropertyPanel(QVBoxLayout* column) {
    Panel p = MakePanel("picEigenschaften", Utf8("Eigenschaften"), 0, 0, column);
    m_panels[1] = p;
    auto* outer = new QVBoxLayout(p.body);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* inner = Named(new QWidget(p.body), "SSPanel2");
    outer->addWidget(inner);
    auto* v = new QVBoxLayout(inner);
    v->setContentsMargins(2, 2, 2, 2);
    v->setSpacing(2);

    auto* display = new QWidget(inner);
    auto* dh = new QHBoxLayout(display);
    dh->setContentsMargins(0, 0, 0, 0);
    dh->addWidget(Named(new QLabel(display), "picSelected"));
    dh->addWidget(Text("Leitungen", display, "lblAktElement"), 1);
    v->addWidget(display);

    QFrame* orientation = Section("picOrientation", inner, v);
    QToolBar* keys = MakeToolbar("tlbOrientation", orientation);
    auto* group = new QActionGroup(keys);
    for (const char* key : {"cmdRechts", "cmdLinks", "cmdOben", "cmdUnten"}) {
        QAction* a = keys->addAction(KeyIcon(key), QString());
        a->setObjectName(key);
        a->setCheckable(true);
        a->setChecked(std::string_view(key) == "cmdRechts");
        group->addAction(a);
        const std::string k = key;
        connect(a, &QAction::triggered, this, [this, k] { tlbOrientation_ButtonClick(k); });
    }
    orientation->layout()->addWidget(keys);

    QFrame* inputs = Section("picAnschlüsse", inner, v);
    auto* ih = new QHBoxLayout();
    ih->addWidget(Text("Anschlüsse", inputs));
    auto* count = Named(new QLineEdit(Utf8("2"), inputs), "txtAnschlüsse");
    count->setMaximumWidth(40);
    auto* spin = Named(new QSpinBox(inputs), "UpDown1");
    spin->setRange(2, 15);
    spin->setMaximumWidth(18);
    ih->addWidget(count);
    ih->addWidget(spin);
    static_cast<QVBoxLayout*>(inputs->layout())->addLayout(ih);
    // The box always holds a whole number 2..15: the gate placing reads it. The text counts by
    // the number at its start ("12abc" is 12), taken to the nearest whole one within range.
    connect(count, &QLineEdit::editingFinished, this, [count, spin] {
        const int n = static_cast<int>(
            RoundHalfEven(std::clamp(Val(count->text().toStdString()), 2.0, 15.0)));
        count->setText(QString::number(n));
        spin->setValue(n);
    });
    connect(spin, &QSpinBox::valueChanged, this,
            [count](int n) { count->setText(QString::number(n)); });

    QFrame* komplex = Section("picKomplex", inner, v);
    komplex->layout()->addWidget(Text("komplexe Bauteile:", komplex));
    m_komplex = Named(new QComboBox(komplex), "cmbKomplex");
    komplex->layout()->addWidget(m_komplex);
    connect(m_komplex, &QComboBox::activated, this, [this] { SelectKomplexElement(); });

    QFrame* ic = Section("picEigenschaft_0", inner, v);
    ic->layout()->addWidget(Text("IC-Name:", ic));
    auto* cmbIC = Named(new QComboBox(ic), "cmbIC");
    ic->layout()->addWidget(cmbIC);
    connect(cmbIC, &QComboBox::activated, this, [this] { cmbIC_Click(); });
    ic->layout()->addWidget(Named(new QPushButton(Utf8("Verwaltung..."), ic), "cmdICVerwaltung"));
    auto* icError = Text("Fehlerhaft", ic, "lblICFehler");
    icError->hide();
    ic->layout()->addWidget(icError);

    QFrame* colors = Section("picEigenschaft_1", inner, v);
    colors->layout()->addWidget(Text("Farbe bestimmen:", colors));
    auto* cg = new QGridLayout();
    for (int i = 0; i < 9; ++i) {
        auto* b = new QToolButton(colors);
        b->setObjectName(QString("cmdColor_%1").arg(i));
        b->setCheckable(true);
        b->setChecked(i == 0);
        b->setFixedSize(20, 20);
        b->setStyleSheet(QString("QToolButton { background: %1; border: 2px outset #c0c0c0 } "
                                 "QToolButton:checked { border: 2px inset #808080 }")
                             .arg(FromBgr(kFieldColors[i]).name()));
        cg->addWidget(b, i / 5, i % 5);
        connect(b, &QToolButton::clicked, this, [this, i] { ChooseColor(i); });
    }
    static_cast<QVBoxLayout*>(colors->layout())->addLayout(cg);

    QFrame* selection = Section("picEigenschaft_2", inner, v);
    selection->layout()->addWidget(Text("Auswahl:", selection, "lblAllgemein_2"));
    selection->layout()->addWidget(Text("Markierte Bauteile:", selection));
    selection->layout()->addWidget(Text("", selection, "lblSelElement"));
    selection->layout()->addWidget(Text("Rahmen:", selection));
    selection->layout()->addWidget(Text("", selection, "lblRahmen"));

    QFrame* clock = Section("picEigenschaft_3", inner, v);
    QToolBar* clockKeys = MakeToolbar("Toolbar3", clock);
    for (const char* key : {"cmdDauertakt", "cmdEinzeltakt", "cmdStop", "cmdFullStop"}) {
        QAction* a = clockKeys->addAction(KeyIcon(key), QString());
        a->setObjectName(key);
        a->setEnabled(false);
    }
    clockKeys->actions().at(0)->setToolTip(Utf8("Dauertakt"));
    clockKeys->actions().at(1)->setToolTip(Utf8("Einzeltakt"));
    clockKeys->actions().at(2)->setToolTip(Utf8("Stromfluß unterbrechen"));
    clockKeys->actions().at(3)->setToolTip(Utf8("Alles stoppen"));
    clock->layout()->addWidget(clockKeys);
    clock->layout()->addWidget(Text("", clock, "lblTaktgeber"));
    auto* tabs = Named(new QTabWidget(clock), "SSTab1");
    auto* pulses = new QWidget(tabs);
    auto* pg = new QGridLayout(pulses);
    pg->addWidget(Text("Impulse:", pulses), 0, 0);
    auto* anz = Named(new QLineEdit(Utf8("1"), pulses), "txtAnzTakte");
    anz->setMaximumWidth(40);
    pg->addWidget(anz, 0, 1);
    auto* anzSpin = Named(new QSpinBox(pulses), "cmdAnzTakte");
    anzSpin->setRange(1, 99);
    anzSpin->setMaximumWidth(18);
    pg->addWidget(anzSpin, 0, 2);
    pg->addWidget(Named(new QCheckBox(Utf8("Zeiten gekoppelt"), pulses), "chkLink"), 1, 0, 1, 3);
    tabs->addTab(pulses, Utf8("Impulse"));
    auto* times = new QWidget(tabs);
    auto* tg = new QGridLayout(times);
    int row = 0;
    for (const auto& [slider, label, caption] :
         {std::tuple{"Slider1", "lbl1", "High:"}, std::tuple{"Slider0", "lbl0", "Low:"}}) {
        tg->addWidget(Text(caption, times), row, 0);
        auto* s = Named(new QSlider(Qt::Horizontal, times), slider);
        s->setRange(0, 10000);
        s->setValue(9500);
        tg->addWidget(s, row, 1);
        tg->addWidget(Text("0.5s", times, label), row, 2);
        ++row;
    }
    tabs->addTab(times, Utf8("Zeiten"));
    clock->layout()->addWidget(tabs);
    clock->hide();

    QFrame* decoder = Section("picEigenschaft_4", inner, v);
    decoder->layout()->addWidget(
        Named(new QCheckBox(Utf8("&Takteingang"), decoder), "chkTakteingang"));

    for (const char* hidden : {"picOrientation", "picAnschlüsse", "picKomplex", "picEigenschaft_0",
                               "picEigenschaft_1", "picEigenschaft_2", "picEigenschaft_4"})
        findChild<QWidget*>(Utf8(hidden))->hide();
}

void frmKardo::BuildSmallPanels(QVBoxLayout* column) {
    Panel size = MakePanel("picSize", Utf8("Arbeitsfeld"), 1, 1, column);
    m_panels[2] = size;
    auto* sg = new QGridLayout(size.body);
    sg->setContentsMargins(2, 2, 2, 2);
    int row = 0;
    for (const auto& [caption, box, spin, value] :
         {std::tuple{"Breite:", "txtX", "updSizeX", "50"},
          std::tuple{"Höhe:", "txtY", "updSizeY", "30"}}) {
        sg->addWidget(Text(caption, size.body), row, 0);
        auto* e = Named(new QLineEdit(Utf8(value), size.body), box);
        e->setMaximumWidth(50);
        sg->addWidget(e, row, 1);
        sg->addWidget(Named(new UpDownKeys(size.body), spin), row, 2);
        ++row;
    }

    Panel zoom = MakePanel("picZoom", Utf8("Zoom"), 4, 4, column);
    m_panels[3] = zoom;
    auto* zv = new QVBoxLayout(zoom.body);
    zv->setContentsMargins(2, 2, 2, 2);
    zv->addWidget(MakeToolbar("tlbZoom", zoom.body));
    zv->addWidget(MakeToolbar("tlbZoomInOut", zoom.body));

    Panel levels = MakePanel("picIC", Utf8("Ebenen"), 2, 2, column);
    m_panels[4] = levels;
    auto* lv = new QVBoxLayout(levels.body);
    lv->setContentsMargins(2, 2, 2, 2);
    auto* tree = Named(new QTreeWidget(levels.body), "tvwLevel");
    tree->setHeaderHidden(true);
    tree->setMinimumHeight(80);
    lv->addWidget(tree);
    ConnectLevelTree(*tree);
    FillLevelTree(*tree);

    // Collapse and close keys of the panels, by panel state index.
    constexpr int kCloseIndex[5] = {3, 0, 1, 4, 2};
    for (int i = 0; i < 5; ++i) {
        if (m_panels[i].minKey != nullptr) {
            connect(m_panels[i].minKey, &QToolButton::clicked, this,
                    [this, i](bool pressed) { PanelCommand(i, pressed ? 1 : -1); });
        }
        auto* close = findChild<QToolButton*>(QString("cmdClose_%1").arg(kCloseIndex[i]));
        connect(close, &QToolButton::clicked, this, [this, i] { PanelCommand(i, 0); });
    }
}

} // namespace kardo
