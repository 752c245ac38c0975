// The IC-definition mode (tool 98): entering and leaving the view, naming and removing pins on
// wire ends of the worksheet, laying the pins out on the package outline of the IC editor
// (frmIC), and saving the definition. The editor window shows what these keep in the
// definition state (files/ic_definition_file.h) and hands its input to them.
#pragma once

#include "files/circuit_document.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kardo {

// Package sizes the IC editor accepts, cells a side.
constexpr int kMinICPackage = 1;
constexpr int kMaxICPackage = 200;
// Longest pin name.
constexpr int kMaxICPinName = 20;

// Enters the view for IC gICName with the package gICBreite x gICHoehe: tool 98 with its tool
// display "IC-Definition", no tool key pressed, no tool section in the property panel, "&IC
// definieren..." and its key disabled, the IC editor shown with the definition state (places no
// longer on the package taken off). Nothing while the circuit is on or the function lock takes
// IC definition away.
void ShowICView();
// Leaves the view: the wire tool, the editor hidden, "&IC definieren..." and its key enabled
// again (as the function lock permits). The named pins stay on the sheet. The IC gICName stays
// chosen for placing when its definition exists; otherwise no IC is chosen.
void CloseICView();
// "&IC definieren..." and its toolbar key: a new definition with no name and a package of 7 x 4
// cells, then ShowICView.
void mDefIC_Click();

// Clears the definition state (no pins, tags, notes; no name, package 0 x 0), the pin labels
// and the editor, and leaves the view. Part of clearing the circuit.
void ClearICDefinition();
// After a file was opened: takes its definition state (TakeICDefinition), places the pin
// labels, and enters the view when the file names a definition (a [Name] other than "IC-Neu")
// and the function lock permits defining ICs.
void ApplyICDefinition(const CircuitDocument& doc);

// Cells of the worksheet that carry pin k of the IC being defined.
std::vector<GridPoint> FindICPinCells(int k);
// A pin name that can be given to pin k: not empty, at most 20 characters, no ";" and no
// control character, characters a file can hold, no other pin of that name. False with the
// German reason.
bool CheckICPinName(std::string_view name, int k, std::string& reason);
// Names the wire end at the cursor cell as a new pin, or renames the pin there, through the
// pin-naming dialog: OK names or renames (a name that is not allowed is explained and asked
// again), cancel leaves everything as it was. Any other cell does nothing.
void CreateICAnschluss();
// Removes the pin at the cursor cell; later pins move down by one (cells, lists, labels).
void DeleteICAnschluss();

// Whether (a, b) is a place on the outline of a package w x h.
bool OnICOutline(int a, int b, int w, int h);
// The pin that has place (a, b), 0 none.
int ICPinAtPlace(int a, int b);
// Puts pin k on place (a, b) of the outline. Refused with a German reason when the place is not
// on the outline or another pin has it.
bool PlaceICPin(int k, int a, int b, std::string& reason);
// Takes pin k off the outline.
void UnplaceICPin(int k);
// The place of the outline of a package w x h nearest to the point (col, row), given in cells
// from the package's top-left cell: a point inside the package goes to its nearest edge; a point
// more than one cell outside is no place (false).
bool SnapToICOutline(double col, double row, int w, int h, int& a, int& b);
// The package becomes w x h (each kept to 1..200): pins on the right or bottom edge stay on it,
// pins whose place is gone, or who would land on another pin, are taken off.
void ResizeICPackage(int w, int h);
// Takes off every pin whose place is not on the outline of the package gICBreite x gICHoehe
// (at least 1 x 1), or that an earlier pin holds; nothing moves.
void KeepICPlacesOnOutline();
// The name box of the editor: the name the IC is saved under.
void SetICDefinitionName(std::string_view name);

// The editor's save key: checks name and layout and writes name.icd (asking before an existing
// definition of that name is replaced); reports the outcome in a message box. True when saved.
bool SaveICDefinition();

} // namespace kardo
