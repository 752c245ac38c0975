// The clock panel (clock toolbar Toolbar3, pulse count, time sliders) and the step-delay
// controls (delay box beside the power switch, delay slider label) as widgets carrying their
// object names, connected to the core's clock and step-delay handlers.
#pragma once

#include <functional>

class QWidget;

namespace kardo {

// Builds the clock panel into parent: Toolbar3 with cmdDauertakt, cmdEinzeltakt, cmdStop and
// cmdFullStop (disabled until a clock exists), lblTaktgeber, txtAnzTakte with its up/down
// control cmdAnzTakte, chkLink, and the sliders Slider1 (high time) and Slider0 (low time) with
// their labels lbl1 and lbl0. Not connected yet.
QWidget* BuildClockPanel(QWidget* parent);

// Builds the step-delay box into parent: txtVerzögerung showing "Aus" and its up/down control
// cmdVerzögerung. Not connected yet.
QWidget* BuildDelayBox(QWidget* parent);

// Connects the controls of these names found below root (built here or elsewhere) with their
// handlers: the clock keys, sliders, link box and pulse count act on the selected clock; the
// delay box, its buttons and the delay slider sldDelay with its label lblDelay set the step
// delay. focusWorksheet puts the focus back on the worksheet (Enter in a box). Missing controls are
// skipped. Call once.
void ConnectClockDelayPanels(QWidget* root, std::function<void()> focusWorksheet);

} // namespace kardo
