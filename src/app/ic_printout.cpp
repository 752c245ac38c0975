// The definition sheets of the ICs of a circuit on the printed page.
#include "app/ic_printout.h"

#include "app/settings.h"
#include "editor/area_select.h"
#include "editor/selection.h"
#include "files/atomic_file.h"
#include "files/circuit_file.h"
#include "files/circuit_ics.h"
#include "files/circuit_reader.h"
#include "files/ic_definition_file.h"
#include "files/ic_folder.h"
#include "files/ic_loader.h"
#include "files/text_codec.h"
#include "files/text_helpers.h"
#include "ic/pin_labels.h"
#include "model/codes.h"
#include "model/grid.h"
#include "render/grafik.h"
#include "render/redraw.h"

#include <cmath>
#include <set>
#include <utility>

namespace kardo {

namespace {

// Size of the IC's name above its sheet, in points.
constexpr double kTitlePoints = 12.0;

void UseTitleFont(DrawTarget& page) {
    page.FontName = "Arial";
    page.FontSize = kTitlePoints;
    page.FontBold = true;
    page.ForeColor = 0;
}

std::string Title(std::string_view name) { return "IC: " + std::string(name); }

} // namespace

std::vector<std::string> UsedICNames() {
    std::vector<std::string> names;
    std::set<std::string, std::less<>> seen; // definition files met, or names without one
    for (int i = 1; i <= gICInstanceMax && i < static_cast<int>(gICInstances.size()); ++i) {
        const ICInstanceRecord& ic = gICInstances[static_cast<std::size_t>(i)];
        if (ic.Tiefe != 0 || ic.Name.empty())
            continue;
        const std::optional<std::string> file = FindICFile(gVerzeichnisse[1], ic.Name);
        if (seen.insert(file ? *file : "\n" + ic.Name).second)
            names.push_back(ic.Name);
    }
    return names;
}

ICDefinitionSheet::~ICDefinitionSheet() { Restore(); }

bool ICDefinitionSheet::Load(std::string_view name, std::string& problem) {
    problem.clear();
    // While the circuit is on, its levels are live and must stay in place.
    if (m_loaded || gPowerOn)
        return false;
    ICLoadProblem fault{std::string(name), {}, 0, {}};
    const std::optional<std::string> path = FindICFile(gVerzeichnisse[1], name);
    if (!path) {
        fault.Text =
            "die Definition \"" + std::string(name) + ".icd\" ist im IC-Ordner nicht vorhanden";
        problem = ICProblemText(fault);
        return false;
    }
    fault.File = *path;
    std::string bytes;
    std::string reason;
    if (!ReadWholeFile(*path, kMaxCircuitFileBytes, bytes, reason)) {
        fault.Text = "die Datei konnte nicht gelesen werden: " + reason;
        problem = ICProblemText(fault);
        return false;
    }
    CircuitDocument doc;
    ReadProblem read;
    if (bytes.empty() ||
        !ReadCircuitText(DecodeFileText(bytes), gFeldBreite, gFeldHoehe, doc, read) ||
        !CheckICDefinitionSections(doc, read)) {
        fault.Line = read.Line;
        fault.Text =
            bytes.empty() || read.WrongFormat ? "die Datei ist keine IC-Definition" : read.Text;
        problem = ICProblemText(fault);
        return false;
    }
    ICInstanceBlock block;
    if (!doc.ICs.empty()) {
        ICLoader loader(gVerzeichnisse[1]);
        if (!BuildCircuitICs(doc, loader, block, fault)) {
            problem = ICProblemText(fault);
            return false;
        }
    }

    // The selection and a marked area refer to the circuit's elements and cells.
    SelectNone();
    m_name = std::string(name);
    m_pinNames.assign(1, std::string());
    for (const std::string& line : doc.ICAnschlussZellen)
        m_pinNames.push_back(GetNextToken(line, 3));

    // The circuit's grid goes into the move buffer, the rest of the circuit beside it.
    gPufferX = static_cast<std::int16_t>(gGrid.UBoundX());
    gPufferY = static_cast<std::int16_t>(gGrid.UBoundY());
    gPuffer = gGrid;
    gGrid = std::move(doc.Cells);
    m_kept = Parts{};
    m_kept.feldBreite = doc.FeldBreite;
    m_kept.feldHoehe = doc.FeldHoehe;
    m_kept.elements = std::move(doc.Elements);
    m_kept.anzElemente = static_cast<std::int16_t>(m_kept.elements.size() - 1);
    m_kept.lineRuns.Dim(doc.FeldBreite, doc.FeldHoehe);
    Exchange(m_kept);
    InstallCircuitICs(block);
    m_loaded = true;
    return true;
}

void ICDefinitionSheet::Exchange(Parts& parts) {
    using std::swap;
    swap(parts.feldBreite, gFeldBreite);
    swap(parts.feldHoehe, gFeldHoehe);
    swap(parts.elements, gElements);
    swap(parts.anzElemente, gAnzElemente);
    swap(parts.lineRuns, gLineRuns);
    swap(parts.instances, gICInstances);
    swap(parts.anzICInstances, gAnzICInstances);
    swap(parts.icInstanceMax, gICInstanceMax);
    swap(parts.levels, gLevels);
}

void ICDefinitionSheet::Restore() {
    if (!m_loaded)
        return;
    // The buffer keeps its copy: whoever reads it next finds the last contents written.
    gGrid = gPuffer;
    Exchange(m_kept);
    m_kept = Parts{};
    m_loaded = false;
}

double ICDefinitionSheet::TitleHeight(DrawTarget& page) {
    UseTitleFont(page);
    return std::ceil(page.TextHeight("IC") * 1.5);
}

void ICDefinitionSheet::Print(DrawTarget& page, float zoom) const {
    if (!m_loaded)
        return;
    const DeviceScope scope(page, zoom);
    RedrawAllElements(0);

    // The pin names lie beside their wire ends as the labels of the definition view do, in the
    // size the symbols' pin names have on this target.
    page.FontName = "Arial";
    page.FontSize = (gGrafik.OnPrinter() ? 0.96 : 8.0) * static_cast<double>(zoom);
    page.FontBold = false;
    page.ForeColor = 0;
    const double half = std::nearbyint(static_cast<double>(gGrafik.GetZoomRaster()) / 2.0);
    for (int y = 0; y <= gFeldHoehe; ++y) {
        for (int x = 0; x <= gFeldBreite; ++x) {
            const CellRecord& c = gGrid(x, y);
            if (c.ICPin == 0 || c.ICLevel != 0 || c.Typ == kTypeIC ||
                c.ICPin >= m_pinNames.size() || m_pinNames[c.ICPin].empty())
                continue;
            const std::string caption = "[" + m_pinNames[c.ICPin] + "]";
            double left = 0;
            double top = 0;
            PlaceBesideWireEnd(c, GridToPixel(x), GridToPixel(y), half, page.TextWidth(caption),
                               page.TextHeight(caption), left, top);
            page.CurrentX = left;
            page.CurrentY = top;
            page.Print(caption);
        }
    }

    const double titleHeight = TitleHeight(page);
    page.CurrentX = 0;
    page.CurrentY = -titleHeight;
    page.Print(Title(m_name));
}

} // namespace kardo
