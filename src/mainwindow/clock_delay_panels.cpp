// Clock panel and step-delay widgets and their connection to the core's handlers.
#include "mainwindow/clock_delay_panels.h"

#include "platform/platform.h"
#include "simulation/clock_panel.h"
#include "simulation/clock_run.h"
#include "simulation/sim_core.h"
#include "simulation/step_delay.h"

#include <string>
#include <utility>

#include <QAction>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QToolBar>
#include <QVBoxLayout>

namespace kardo {

namespace {

constexpr const char* kClockKeys[] = {"cmdDauertakt", "cmdEinzeltakt", "cmdStop", "cmdFullStop"};
constexpr const char* kClockTips[] = {"Dauertakt", "Einzeltakt", "Stromfluß unterbrechen",
                                      "Alles stoppen"};

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

template <typename W> W* Named(W* w, const char* name) {
    w->setObjectName(QString::fromUtf8(name));
    return w;
}

template <typename W> W* Find(QWidget* root, const char* name) {
    return root->findChild<W*>(QString::fromUtf8(name));
}

// An up/down control: a spin box showing only its arrows. It rests in the middle of a range of
// three, so that each step reports its direction and goes back.
QSpinBox* UpDown(QWidget* parent, const char* name) {
    auto* spin = Named(new QSpinBox(parent), name);
    spin->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    spin->setMaximumWidth(18);
    return spin;
}

void OnUpDown(QSpinBox* spin, QObject* context, std::function<void(bool up)> step) {
    {
        const QSignalBlocker block(spin);
        spin->setRange(0, 2);
        spin->setValue(1);
    }
    QObject::connect(spin, &QSpinBox::valueChanged, context, [spin, step = std::move(step)](int v) {
        {
            const QSignalBlocker block(spin);
            spin->setValue(1);
        }
        if (v != 1)
            step(v > 1);
    });
}

// Key and focus events of the panel controls.
class PanelEvents : public QObject {
  public:
    PanelEvents(QObject* parent, std::function<void()> focusWorksheet)
        : QObject(parent), m_focusWorksheet(std::move(focusWorksheet)) {}

    void Watch(QWidget* w) {
        if (w)
            w->installEventFilter(this);
    }
    void SetPulseBox(QLineEdit* box) { m_pulses = box; }
    void SetDelayBox(QLineEdit* box) { m_delay = box; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::FocusIn:
            if (auto* box = qobject_cast<QLineEdit*>(watched); box == m_pulses || box == m_delay)
                box->selectAll();
            break;
        case QEvent::FocusOut:
            if (watched == m_pulses && m_pulses) {
                if (const auto text = txtAnzTakte_LostFocus(S(m_pulses->text())))
                    m_pulses->setText(Q(*text));
            } else if (watched == m_delay && m_delay) {
                m_delay->setText(Q(TakeDelayFromText(S(m_delay->text()))));
            }
            break;
        case QEvent::KeyPress:
            if (watched == m_delay && m_delay) {
                const int key = static_cast<QKeyEvent*>(event)->key();
                if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                    m_delay->setText(Q(TakeDelayFromText(S(m_delay->text()))));
                    if (m_focusWorksheet)
                        m_focusWorksheet();
                    return true;
                }
            }
            break;
        case QEvent::KeyRelease:
            if (watched == m_pulses && m_pulses) {
                const int key = static_cast<QKeyEvent*>(event)->key();
                const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
                const PulseBoxEdit edit = txtAnzTakte_KeyUp(S(m_pulses->text()), enter ? 13 : 0);
                if (edit.text) {
                    m_pulses->setText(Q(*edit.text));
                    m_pulses->setCursorPosition(edit.caret);
                }
                if (edit.focusWorksheet && m_focusWorksheet)
                    m_focusWorksheet();
            }
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> m_focusWorksheet; // Enter in a box
    QLineEdit* m_pulses = nullptr;          // txtAnzTakte
    QLineEdit* m_delay = nullptr;           // txtVerzögerung
};

void ShowTimes(QWidget* root, const ClockTimeView& view) {
    auto* s0 = Find<QSlider>(root, "Slider0");
    auto* s1 = Find<QSlider>(root, "Slider1");
    if (s0) {
        const QSignalBlocker block(s0);
        s0->setValue(view.slider0);
    }
    if (s1) {
        const QSignalBlocker block(s1);
        s1->setValue(view.slider1);
    }
    if (auto* l = Find<QLabel>(root, "lbl0"))
        l->setText(Q(view.lbl0));
    if (auto* l = Find<QLabel>(root, "lbl1"))
        l->setText(Q(view.lbl1));
}

void ConnectClock(QWidget* root, PanelEvents* events) {
    if (auto* bar = Find<QToolBar>(root, "Toolbar3")) {
        for (const char* key : kClockKeys) {
            if (QAction* a = bar->findChild<QAction*>(key)) {
                const std::string k = key;
                QObject::connect(a, &QAction::triggered, root, [k] { Toolbar3_ButtonClick(k); });
            }
        }
        events->Watch(bar);
    }
    auto* s0 = Find<QSlider>(root, "Slider0");
    auto* s1 = Find<QSlider>(root, "Slider1");
    auto* link = Find<QCheckBox>(root, "chkLink");
    if (s0 && s1) {
        for (const int changed : {0, 1}) {
            QSlider* slider = changed == 0 ? s0 : s1;
            QObject::connect(slider, &QSlider::valueChanged, root, [=] {
                const bool linked = link && link->isChecked();
                ShowTimes(root, SliderChange(changed, s0->value(), s1->value(), linked));
            });
            events->Watch(slider);
        }
        if (link) {
            QObject::connect(link, &QCheckBox::clicked, root, [=](bool ticked) {
                ShowTimes(root, chkLink_Click(ticked, s0->value(), s1->value()));
            });
        }
    }
    auto* pulses = Find<QLineEdit>(root, "txtAnzTakte");
    if (pulses) {
        events->SetPulseBox(pulses);
        events->Watch(pulses);
    }
    if (auto* spin = Find<QSpinBox>(root, "cmdAnzTakte")) {
        OnUpDown(spin, root, [pulses](bool up) {
            const auto text = up ? cmdAnzTakte_UpClick() : cmdAnzTakte_DownClick();
            if (text && pulses)
                pulses->setText(Q(*text));
        });
    }
}

void ConnectDelay(QWidget* root, PanelEvents* events) {
    auto* box = Find<QLineEdit>(root, "txtVerzögerung");
    if (box) {
        box->setText(Q(DelayText(gVerzoegerung)));
        events->SetDelayBox(box);
        events->Watch(box);
    }
    if (auto* spin = Find<QSpinBox>(root, "cmdVerzögerung")) {
        OnUpDown(spin, root, [box](bool up) {
            const std::string text = up ? cmdVerzoegerung_UpClick() : cmdVerzoegerung_DownClick();
            if (box)
                box->setText(Q(text));
        });
    }
    if (auto* slider = Find<QSlider>(root, "sldDelay")) {
        auto* label = Find<QLabel>(root, "lblDelay");
        QObject::connect(slider, &QSlider::valueChanged, root, [label](int value) {
            if (!label)
                return;
            const DelayLabel l = sldDelay_Change(value);
            label->setText(Q(l.caption));
            label->setStyleSheet(QStringLiteral("color: #%1%2%3")
                                     .arg(l.color & 0xFF, 2, 16, QChar('0'))
                                     .arg((l.color >> 8) & 0xFF, 2, 16, QChar('0'))
                                     .arg((l.color >> 16) & 0xFF, 2, 16, QChar('0')));
        });
        events->Watch(slider);
    }
}

} // namespace

QWidget* BuildClockPanel(QWidget* parent) {
    auto* panel = Named(new QWidget(parent), "picTaktgeber");
    auto* v = new QVBoxLayout(panel);
    v->setContentsMargins(2, 2, 2, 2);

    auto* bar = Named(new QToolBar(panel), "Toolbar3");
    for (std::size_t i = 0; i < std::size(kClockKeys); ++i) {
        QAction* a = bar->addAction(QString::fromUtf8(kClockTips[i]));
        a->setObjectName(QString::fromUtf8(kClockKeys[i]));
        a->setToolTip(QString::fromUtf8(kClockTips[i]));
        a->setEnabled(false);
    }
    v->addWidget(bar);
    v->addWidget(Named(new QLabel(panel), "lblTaktgeber"));

    auto* pulses = new QHBoxLayout();
    pulses->addWidget(new QLabel(QStringLiteral("Impulse:"), panel));
    auto* box = Named(new QLineEdit(QStringLiteral("1"), panel), "txtAnzTakte");
    box->setMaximumWidth(40);
    pulses->addWidget(box);
    pulses->addWidget(UpDown(panel, "cmdAnzTakte"));
    pulses->addStretch();
    v->addLayout(pulses);
    v->addWidget(Named(new QCheckBox(QStringLiteral("Zeiten gekoppelt"), panel), "chkLink"));

    auto* times = new QGridLayout();
    int row = 0;
    for (const auto& [slider, label, caption] :
         {std::tuple{"Slider1", "lbl1", "High:"}, std::tuple{"Slider0", "lbl0", "Low:"}}) {
        times->addWidget(new QLabel(QString::fromUtf8(caption), panel), row, 0);
        auto* s = Named(new QSlider(Qt::Horizontal, panel), slider);
        s->setRange(0, kClockSliderMax);
        s->setValue(kClockSliderMax - 500);
        times->addWidget(s, row, 1);
        times->addWidget(Named(new QLabel(Q(ClockTimeLabel(s->value())), panel), label), row, 2);
        ++row;
    }
    v->addLayout(times);
    return panel;
}

QWidget* BuildDelayBox(QWidget* parent) {
    auto* panel = Named(new QWidget(parent), "picVerzögerung");
    auto* h = new QHBoxLayout(panel);
    h->setContentsMargins(0, 0, 0, 0);
    auto* box = Named(new QLineEdit(QStringLiteral("Aus"), panel), "txtVerzögerung");
    box->setMaximumWidth(50);
    h->addWidget(box);
    h->addWidget(UpDown(panel, "cmdVerzögerung"));
    return panel;
}

void ConnectClockDelayPanels(QWidget* root, std::function<void()> focusWorksheet) {
    auto* events = new PanelEvents(root, std::move(focusWorksheet));
    ConnectClock(root, events);
    ConnectDelay(root, events);
}

} // namespace kardo
