// Circuit file load and save: dialogs, messages, the swap of a checked document into the
// worksheet, and the atomic write.
#include "files/circuit_file.h"

#include "app/file_object.h"
#include "app/recent_files.h"
#include "app/settings.h"
#include "editor/line_runs.h"
#include "editor/overlays.h"
#include "editor/text_labels.h"
#include "files/atomic_file.h"
#include "files/circuit_ics.h"
#include "files/circuit_reader.h"
#include "files/circuit_writer.h"
#include "files/ic_definition_file.h"
#include "files/new_circuit.h"
#include "files/text_codec.h"
#include "files/text_helpers.h"
#include "ic/ic_definition_mode.h"
#include "ic/level_tree.h"
#include "model/basic_elements.h"
#include "model/clock_tables.h"
#include "model/clocks.h"
#include "model/codes.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/ic_instances.h"
#include "model/model_state.h"
#include "model/utilities.h"
#include "platform/control_names.h"
#include "platform/platform.h"
#include "render/redraw.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace kardo {

std::string gDateiPfad;
std::string LadeDatei;

namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kFileError = "Dateifehler";

// The folder of a path, ending in "/"; "" for a bare file name.
std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The path made absolute against the current folder ("c.kdx" gives "/home/a/c.kdx"); the path
// as it is when the current folder cannot be read.
std::string FullPath(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(path, ec);
    return ec ? path : full.string();
}

std::string Seconds(std::chrono::steady_clock::time_point started) {
    const double s =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    char text[32];
    std::snprintf(text, sizeof text, "%g", s);
    return text;
}

void ReportMalformed(const std::string& path, const ReadProblem& problem) {
    std::string text = "Die Datei";
    text.append(kCrLf).append(path).append(kCrLf).append("kann nicht geladen werden.");
    text.append(kCrLf);
    if (problem.Line > 0)
        text.append("Zeile ").append(std::to_string(problem.Line)).append(": ");
    text.append(problem.Text).append(".").append(kCrLf);
    text.append("Die aktuelle Schaltung bleibt unverändert.");
    Host().MessageBox(text, MsgButtons::Ok, MsgIcon::Exclamation, kFileError);
}

void LeaveICTool(HostWindow& host) {
    if (gMouseMode != kTypeIC)
        return;
    gMouseMode = kToolWire;
    host.ChangeSelPicture(kToolWire);
    host.SetChecked(ctl::cmdIC, false);
    host.SetChecked(ctl::cmdLeitungen, true);
    host.ChangePropertyWindow({});
}

// Lays the wire of one stored jump run from (x, y) to column or row end and marks the run's
// cells as visited.
void LayJumpRun(int x, int y, int end, bool horizontal) {
    LayWireRun(gGrid, x, y, end, horizontal);
    for (int i = horizontal ? x : y; i <= end; ++i) {
        LineRunRecord& run = gLineRuns(horizontal ? i : x, horizontal ? y : i);
        (horizontal ? run.VisitedH : run.VisitedV) = kTrue;
    }
}

} // namespace

void ResetCircuitFile() { gDateiPfad.clear(); }

void RestoreJumps() {
    for (int x = 0; x <= gFeldBreite; ++x) {
        for (int y = 0; y <= gFeldHoehe; ++y) {
            const LineRunRecord& run = gLineRuns(x, y);
            const int ex = run.EndX;
            if (ex != 0 && x <= ex)
                LayJumpRun(x, y, ex, true);
            const int ey = run.EndY;
            if (ey != 0 && y <= ey)
                LayJumpRun(x, y, ey, false);
        }
    }
}

void CaptureCircuit(CircuitDocument& doc) {
    doc = CircuitDocument{};
    doc.FeldBreite = gFeldBreite;
    doc.FeldHoehe = gFeldHoehe;
    doc.Cells = gGrid;
    doc.HasJump = true;
    for (int x = 0; x <= gFeldBreite && x <= gLineRuns.UBoundX(); ++x) {
        for (int y = 0; y <= gFeldHoehe && y <= gLineRuns.UBoundY(); ++y) {
            const LineRunRecord& r = gLineRuns(x, y);
            if (r.EndX != 0 || r.EndY != 0) {
                doc.Jumps.push_back(JumpLine{static_cast<std::int16_t>(x),
                                             static_cast<std::int16_t>(y), r.EndX, r.EndY});
            }
        }
    }
    doc.Elements.assign(gElements.begin(), gElements.begin() + gAnzElemente + 1);
    for (int i = 1; i <= gICInstanceMax && i < static_cast<int>(gICInstances.size()); ++i) {
        const ICInstanceRecord& ic = gICInstances[static_cast<std::size_t>(i)];
        if (ic.Tiefe == 0 && !ic.Name.empty())
            doc.ICs.push_back(ICLine{ic.Name, ic.ElementNr});
    }
    doc.AnzTaktgeber = gAnzTaktgeber;
    doc.TaktElement = gTaktElement;
    doc.Takte.resize(gTaktElement.size());
    for (std::size_t k = 0; k < doc.Takte.size(); ++k) {
        doc.Takte[k] = ClockLine{gTaktZeit1[k], gTaktZeit0[k], gTaktLink[k], gAnzTakte[k]};
    }
}

void ApplyCircuit(CircuitDocument& doc) {
    gFeldBreite = doc.FeldBreite;
    gFeldHoehe = doc.FeldHoehe;
    gGrid = std::move(doc.Cells);
    gLineRuns.Dim(gFeldBreite + 1, gFeldHoehe + 1);
    for (const JumpLine& j : doc.Jumps) {
        LineRunRecord& r = gLineRuns(j.X, j.Y);
        r.EndX = j.EndX;
        r.EndY = j.EndY;
    }
    gElements = std::move(doc.Elements);
    gAnzElemente = static_cast<std::int16_t>(gElements.size() - 1);

    // Clock k drives timer k; timer 0 is always there.
    const std::size_t entries = doc.TaktElement.size();
    ResizeClockTables(static_cast<int>(entries) - 1);
    for (std::size_t k = 0; k < entries; ++k) {
        gTaktElement[k] = doc.TaktElement[k];
        gTaktZeit1[k] = doc.Takte[k].Zeit1;
        gTaktZeit0[k] = doc.Takte[k].Zeit0;
        gTaktLink[k] = doc.Takte[k].Link;
        gAnzTakte[k] = doc.Takte[k].Takte;
        gTaktZaehler[k] = 0;
        gTaktAusgang[k] = 0;
    }
    gAnzTaktgeber = doc.AnzTaktgeber;
    TimerArray& timers = Timer2();
    while (timers.UBound() + 1 < static_cast<int>(entries))
        timers.LoadNext();

    if (doc.HasJump)
        RestoreJumps();

    HostWindow& host = Host();
    gAnzAnalysepunkte = CountAnalysisPoints();
    for (int k = 1; k <= gAnzElemente; ++k) {
        const ElementRecord& e = gElements[static_cast<std::size_t>(k)];
        if (e.Typ == kTypeAnalysisPoint) {
            host.RefreshAnalysisList();
            host.AddGraph(static_cast<int>(Val(e.Text)));
        }
    }
    UpdateAnalyserMenu();
}

void AddRecentFile(const std::string& path) {
    if (std::find(gLastFiles.begin(), gLastFiles.end(), path) != gLastFiles.end())
        return;
    for (std::size_t i = gLastFiles.size() - 1; i > 0; --i)
        gLastFiles[i] = gLastFiles[i - 1];
    gLastFiles[0] = path;
}

FileOutcome LoadFile(std::string_view name) {
    txtBeschriftung_LostFocus();
    const auto started = std::chrono::steady_clock::now();
    HostWindow& host = Host();

    std::string path(name);
    if (path.empty()) {
        FileDialogRequest request;
        request.title = "Datei öffnen";
        request.filter = "*.KDX (Kardo-Datei)|*.kdx|*.* (Alle Dateien)|*.*";
        request.initialFolder = gFile.FilePath;
        const std::optional<std::string> chosen = host.ShowOpenDialog(request);
        if (!chosen)
            return FileOutcome::Cancelled;
        path = *chosen;
    }
    gDateiPfad = path;
    // A folder, pipe or device is there but is no file: say what it is.
    const std::string_view kind = PathKindText(KindOfPath(path));
    if (!kind.empty()) {
        std::string text = "Die Datei";
        text.append(kCrLf).append(path).append(kCrLf);
        text.append("kann nicht geladen werden: an dieser Stelle steht ").append(kind);
        text.append(", keine Datei.");
        host.MessageBox(text, MsgButtons::Ok, MsgIcon::Exclamation, kFileError);
        return FileOutcome::Failed;
    }
    if (!gFile.ExistFile(path)) {
        host.MessageBox("Die Datei wurde nicht gefunden.", MsgButtons::Ok, MsgIcon::Information,
                        kFileError);
        return FileOutcome::Failed;
    }

    std::string bytes;
    std::string reason;
    if (!ReadWholeFile(path, kMaxCircuitFileBytes, bytes, reason)) {
        std::string text = "Die Datei";
        text.append(kCrLf).append(path).append(kCrLf);
        text.append("konnte nicht gelesen werden: ").append(reason).append(".");
        host.MessageBox(text, MsgButtons::Ok, MsgIcon::Exclamation, kFileError);
        return FileOutcome::Failed;
    }
    // The whole file is read and checked before the worksheet changes. An empty file, a file
    // that is no text (a picture, UTF-16, a program) and a text without any known section are
    // no circuit files at all.
    CircuitDocument doc;
    ReadProblem problem;
    if (bytes.empty() ||
        !ReadCircuitText(DecodeFileText(bytes), gFeldBreite, gFeldHoehe, doc, problem)) {
        if (bytes.empty() || problem.WrongFormat) {
            host.MessageBox("Falsches Dateiformat oder Datei nicht gefunden!", MsgButtons::Ok,
                            MsgIcon::None, "Kardo");
        } else {
            ReportMalformed(path, problem);
        }
        return FileOutcome::Failed;
    }
    if (!CheckICDefinitionSections(doc, problem)) {
        ReportMalformed(path, problem);
        return FileOutcome::Failed;
    }
    // A bare or relative name, as "kardo c.kdx" gives it, names a file of the current folder:
    // the circuit's folder, where its ICs may lie, is the folder of the full path.
    const std::string full = FullPath(path);
    // The ICs too: every definition they need is found, read and checked, and their levels are
    // built, before the worksheet changes.
    // Definitions this load copies beside the circuit into the IC folder go again when the load
    // is refused.
    ICInstanceBlock ics;
    ICCopies copies;
    if (!doc.ICs.empty()) {
        host.SetStatusText(2, "ICs werden überprüft...");
        std::vector<std::string> names;
        for (const ICLine& ic : doc.ICs)
            names.push_back(ic.Name);
        bool ok = CheckICsExist(names, gVerzeichnisse[1], FolderOf(full), copies);
        if (ok) {
            const int pointer = host.MousePointer();
            host.SetMousePointer(kPointerHourglass);
            ICLoader loader(gVerzeichnisse[1]);
            loader.ShowProgress(true);
            ICLoadProblem icProblem;
            ok = BuildCircuitICs(doc, loader, ics, icProblem);
            if (!ok) {
                host.SetMousePointer(pointer);
                // A definition just taken from beside the circuit is mended there, not in its
                // copy, which goes again with the refusal.
                icProblem.File = copies.SourceOf(icProblem.File);
                ReportICProblem(icProblem);
            }
        }
        host.SetStatusText(2, "");
        if (!ok)
            return FileOutcome::Failed;
    }
    copies.Keep();

    host.SetMousePointer(kPointerHourglass);
    ClearCircuit();
    gFile.FileName = full;
    gFile.FilePath = FolderOf(full);
    CollapseLine(gOverlays.LeitungH, 0, 0);
    CollapseLine(gOverlays.LeitungV, 0, 0);
    ApplyCircuit(doc);
    InstallCircuitICs(ics);
    host.SetStatusText(2, "");

    AddRecentFile(full);
    BuildRecentFilesMenu();
    LeaveICTool(host);
    ApplyICDefinition(doc);
    RefreshTreeView();
    // The IC lists were filled before the check took definitions into the IC folder.
    if (!copies.Empty())
        host.RefreshICLists();
    host.SetMousePointer(kPointerCross);
    host.SetCaption(ctl::txtX, std::to_string(gFeldBreite));
    host.SetCaption(ctl::txtY, std::to_string(gFeldHoehe));
    host.SetCaption(ctl::frmKardo, GetFileTitle(path));
    host.SetCaption(ctl::lblTime, Seconds(started));

    if (!LadeDatei.empty()) {
        LadeDatei.clear();
        RedrawAllElements(0);
    }
    return FileOutcome::Success;
}

// Save writes without a dialog only into a circuit file: after an IC definition or another
// file was opened through "Alle Dateien", circuit sections must not overwrite it.
FileOutcome SaveFile(bool useRememberedName) {
    // A label being written is part of what is saved.
    txtBeschriftung_LostFocus();
    if (useRememberedName && HasExtension(gFile.FileName, ".kdx"))
        return SaveFileTo(gFile.FileName);
    FileDialogRequest request;
    request.title = "Datei speichern unter";
    request.filter = "*.KDX (Kardo-Datei)|*.kdx";
    request.initialFolder = gVerzeichnisse[0];
    const std::optional<std::string> chosen = Host().ShowSaveDialog(request);
    if (!chosen || chosen->empty())
        return FileOutcome::Cancelled;
    // The dialog asked about overwriting the name it returned; a name that only now gets its
    // extension is asked about here.
    const std::string path = WithExtension(*chosen, ".kdx");
    if (path != *chosen && !ConfirmReplace(path, request.title))
        return FileOutcome::Cancelled;
    return SaveFileTo(path);
}

bool ConfirmReplace(const std::string& path, std::string_view title) {
    if (!FileExists(path))
        return true;
    std::string text = "Die Datei";
    text.append(kCrLf).append(path).append(kCrLf).append("existiert bereits.");
    text.append(kCrLf).append("Möchten Sie sie ersetzen?");
    return Host().MessageBox(text, MsgButtons::YesNo, MsgIcon::Exclamation, title) ==
           MsgResult::Yes;
}

FileOutcome SaveFileTo(const std::string& path) {
    gDateiPfad = path;
    // The run table must list exactly the runs of the wires as they are now.
    AnalysiereLeitungen();
    CircuitDocument doc;
    CaptureCircuit(doc);
    std::string text;
    WriteCircuitText(doc, text);
    const std::string bytes = EncodeFileText(text);

    const bool existed = FileExists(path);
    std::string reason;
    if (!WriteFileAtomically(path, bytes, reason)) {
        std::string message = "Die Datei";
        message.append(kCrLf).append(path).append(kCrLf);
        message.append("konnte nicht gespeichert werden: ").append(reason).append(".");
        if (existed)
            message.append(kCrLf).append("Die bisherige Datei bleibt unverändert.");
        Host().MessageBox(message, MsgButtons::Ok, MsgIcon::Exclamation, kFileError);
        return FileOutcome::Failed;
    }

    gFile.FileName = path;
    gFile.FilePath = FolderOf(path);
    // The circuit is saved; ICs that could not be put beside it are named, so that the file is
    // not taken elsewhere without them unknowingly.
    std::string failures;
    if (gICsMitSpeichern && !CopyUsedICs(doc, gVerzeichnisse[1], gFile.FilePath, failures)) {
        std::string message = "Die Schaltung";
        message.append(kCrLf).append(path).append(kCrLf);
        message.append("wurde gespeichert, aber diese IC-Definitionen konnten nicht neben sie "
                       "kopiert werden:");
        message.append(kCrLf).append(failures);
        Host().MessageBox(message, MsgButtons::Ok, MsgIcon::Exclamation, kFileError);
    }
    AddRecentFile(path);
    BuildRecentFilesMenu();
    gUnveraendert = true;
    // The caption is the file title without its extension, the last four characters (not
    // bytes: a title may hold umlauts).
    const std::string title = GetFileTitle(path);
    std::size_t cut = title.size();
    int characters = 0;
    while (cut > 0 && characters < 4) {
        --cut;
        if ((static_cast<unsigned char>(title[cut]) & 0xC0) != 0x80)
            ++characters;
    }
    if (characters == 4)
        Host().SetCaption(ctl::frmKardo, title.substr(0, cut));
    return FileOutcome::Success;
}

} // namespace kardo
