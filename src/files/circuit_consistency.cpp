// Consistency of a read circuit: pin counts, footprints from pins, cell ownership and types.
// The footprints are those the removal of each kind clears (ElementFootprint), so every element
// that loads can be removed again and no removal clears a cell of another element.
#include "files/circuit_consistency.h"

#include "model/codes.h"
#include "model/footprint.h"

#include <string>
#include <vector>

namespace kardo {

namespace {

bool Inside(const Footprint& f, GridPoint p) {
    return p.x >= f.X1 && p.x <= f.X2 && p.y >= f.Y1 && p.y <= f.Y2;
}

std::string CellText(GridPoint p) {
    return "Zelle (" + std::to_string(p.x) + ", " + std::to_string(p.y) + ")";
}

std::string ElementText(int k, std::uint8_t typ) {
    return "Element " + std::to_string(k) + " (" + std::string(TypeName(typ)) + ")";
}

std::string PinCountText(std::size_t have, const PinCounts& c, bool inputs) {
    const std::size_t want = inputs ? c.minIn : c.outs;
    std::string text = std::to_string(have) + (inputs ? " Eingänge" : " Ausgänge") + " statt ";
    if (inputs && c.maxIn != c.minIn)
        return text + std::to_string(c.minIn) + " bis " + std::to_string(c.maxIn);
    return text + std::to_string(want);
}

class Checker {
  public:
    Checker(const CircuitDocument& doc, ConsistencyProblem& problem)
        : m_doc(doc), m_problem(problem), m_footprints(doc.Elements.size()),
          m_hasFootprint(doc.Elements.size(), false) {}

    bool Run() { return Elements() && Cells() && Ownership(); }

  private:
    bool Fail(int element, GridPoint cell, std::string text) {
        m_problem.Element = element;
        m_problem.Cell = cell;
        m_problem.Text = std::move(text);
        return false;
    }
    bool OnSheet(GridPoint p) const {
        return p.x >= 0 && p.y >= 0 && p.x <= m_doc.FeldBreite && p.y <= m_doc.FeldHoehe;
    }
    bool Elements();
    bool Wires(GridPoint p, const CellRecord& c);
    bool Cells();
    bool Ownership();

    const CircuitDocument& m_doc;        // the circuit read
    ConsistencyProblem& m_problem;       // the first problem found
    std::vector<Footprint> m_footprints; // footprint of element k (entry 0 unused)
    std::vector<bool> m_hasFootprint;    // element k owns the rectangle m_footprints[k]
};

bool Checker::Elements() {
    for (int k = 1; k <= m_doc.AnzElemente(); ++k) {
        const ElementRecord& e = m_doc.Elements[static_cast<std::size_t>(k)];
        PinCounts counts{};
        if (!KindPinCounts(e.Typ, counts))
            continue; // ICs: checked with the IC instances
        const std::size_t ins = e.Eingaenge.Count();
        const std::size_t outs = e.Ausgaenge.Count();
        if (ins < counts.minIn || ins > counts.maxIn)
            return Fail(k, {-1, -1},
                        ElementText(k, e.Typ) + " hat " + PinCountText(ins, counts, true));
        if (outs != counts.outs)
            return Fail(k, {-1, -1},
                        ElementText(k, e.Typ) + " hat " + PinCountText(outs, counts, false));
        if (e.Typ == kTypeInverter && e.Ausgaenge.Points()[0] == e.Eingaenge.Points()[0])
            return Fail(k, {-1, -1},
                        ElementText(k, e.Typ) + ": Ausgang und Eingang fallen zusammen");
        Footprint f;
        if (!ElementFootprint(e, f))
            return Fail(k, {-1, -1}, ElementText(k, e.Typ) + " hat keine gültige Lage");
        if (f.X1 > f.X2 || f.Y1 > f.Y2 || !HasPlacedSize(e, f))
            return Fail(k, {-1, -1},
                        ElementText(k, e.Typ) + ": die Anschlüsse passen nicht zur "
                                                "Richtung und Größe");
        if (!OnSheet({f.X1, f.Y1}) || !OnSheet({f.X2, f.Y2}))
            return Fail(k, {-1, -1}, ElementText(k, e.Typ) + " liegt nicht ganz im Arbeitsfeld");
        if (e.Typ == kTypeText) {
            // A label's cells run right from its anchor in one row, as its removal finds them.
            f.X2 = static_cast<std::int16_t>(LabelCellsEnd(
                m_doc.Cells, m_doc.FeldBreite, static_cast<std::int16_t>(k), f.X1, f.Y1));
        }
        for (const PinList* pins : {&e.Eingaenge, &e.Ausgaenge}) {
            for (const GridPoint p : pins->Points()) {
                if (!Inside(f, p)) {
                    return Fail(k, {-1, -1},
                                ElementText(k, e.Typ) + ": Anschluss X" + std::to_string(p.x) +
                                    "Y" + std::to_string(p.y) + " liegt außerhalb des Elements");
                }
            }
        }
        m_footprints[static_cast<std::size_t>(k)] = f;
        m_hasFootprint[static_cast<std::size_t>(k)] = true;
    }
    return true;
}

// The flags of a wire end in the neighbour's flag back, inside the sheet; an empty cell has no
// flags and no point, and a wire cell without flags holds a point, an IC level or an element.
// So the runs a save finds give back exactly these cells.
bool Checker::Wires(GridPoint p, const CellRecord& c) {
    struct Side {
        CellFlag CellRecord::*flag;
        CellFlag CellRecord::*back;
        int dx;
        int dy;
        const char* name;
        const char* backName;
    };
    static constexpr Side kSides[] = {
        {&CellRecord::Links, &CellRecord::Rechts, -1, 0, "links", "rechts"},
        {&CellRecord::Rechts, &CellRecord::Links, 1, 0, "rechts", "links"},
        {&CellRecord::Oben, &CellRecord::Unten, 0, -1, "oben", "unten"},
        {&CellRecord::Unten, &CellRecord::Oben, 0, 1, "unten", "oben"},
    };
    for (const Side& side : kSides) {
        if (c.*side.flag == 0)
            continue;
        const GridPoint q{static_cast<std::int16_t>(p.x + side.dx),
                          static_cast<std::int16_t>(p.y + side.dy)};
        if (!OnSheet(q))
            return Fail(
                0, p, CellText(p) + " hat eine Leitung nach " + side.name + " aus dem Arbeitsfeld");
        if (m_doc.Cells(q.x, q.y).*side.back == 0)
            return Fail(0, p,
                        CellText(p) + " hat eine Leitung nach " + side.name + ", " + CellText(q) +
                            " aber keine nach " + side.backName);
    }
    const bool flags = WireFlagCount(c) > 0;
    if (c.Typ == kTypeEmpty && (flags || c.Punkt != 0))
        return Fail(0, p, CellText(p) + " ist leer, hat aber eine Leitung oder einen Punkt");
    if (c.Typ == kTypeWire && !flags && c.Punkt == 0 && c.ElementNr == 0 && c.ICLevel == 0)
        return Fail(0, p, CellText(p) + " ist eine Leitung ohne Verbindung");
    return true;
}

bool Checker::Cells() {
    for (int y = 0; y <= m_doc.FeldHoehe; ++y) {
        for (int x = 0; x <= m_doc.FeldBreite; ++x) {
            const CellRecord& c = m_doc.Cells(x, y);
            const GridPoint p{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)};
            if (!Wires(p, c))
                return false;
            if (c.ICLevel != 0)
                continue; // pin cells of placed ICs: checked with the IC instances
            if (c.ElementNr == 0) {
                if (c.Typ != kTypeEmpty && c.Typ != kTypeWire && c.Typ != kTypeIC)
                    return Fail(0, p,
                                CellText(p) + " hat den Typ " + std::string(TypeName(c.Typ)) +
                                    ", gehört aber zu keinem Element");
                continue;
            }
            const auto k = static_cast<std::size_t>(c.ElementNr);
            const ElementRecord& e = m_doc.Elements[k];
            if (e.Typ == kTypeIC)
                continue;
            if (c.Typ != e.Typ) {
                return Fail(c.ElementNr, p,
                            CellText(p) + " gehört zu " + ElementText(c.ElementNr, e.Typ) +
                                ", hat aber den Typ " + std::string(TypeName(c.Typ)));
            }
            if (m_hasFootprint[k] && !Inside(m_footprints[k], p)) {
                return Fail(c.ElementNr, p,
                            CellText(p) + " gehört zu " + ElementText(c.ElementNr, e.Typ) +
                                ", liegt aber außerhalb seiner Fläche");
            }
        }
    }
    return true;
}

bool Checker::Ownership() {
    for (int k = 1; k <= m_doc.AnzElemente(); ++k) {
        const ElementRecord& e = m_doc.Elements[static_cast<std::size_t>(k)];
        if (e.Typ == kTypeIC)
            continue;
        const Footprint& f = m_footprints[static_cast<std::size_t>(k)];
        for (int x = f.X1; x <= f.X2; ++x) {
            for (int y = f.Y1; y <= f.Y2; ++y) {
                if (m_doc.Cells(x, y).ElementNr != k || m_doc.Cells(x, y).ICLevel != 0) {
                    const GridPoint p{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)};
                    return Fail(
                        k, p, ElementText(k, e.Typ) + ": " + CellText(p) + " gehört nicht zu ihm");
                }
            }
        }
    }
    return true;
}

} // namespace

std::string_view TypeName(std::uint8_t typ) {
    switch (typ) {
    case kTypeEmpty:
        return "leer";
    case kTypeWire:
        return "Leitung";
    case kTypeLed:
        return "Leuchtdiode";
    case kTypeSwitch:
        return "Schalter";
    case kTypeAnd:
        return "UND";
    case kTypeOr:
        return "ODER";
    case kTypeXor:
        return "X-ODER";
    case kTypeInverter:
        return "Inverter";
    case kTypeClock:
        return "Taktgeber";
    case kTypeHalfAdder:
        return "Halbaddierer";
    case kTypeFullAdder:
        return "Volladdierer";
    case kTypeTriState:
        return "Tri-State";
    case kTypeMultiplexer:
        return "Multiplexer";
    case kTypeDecoder:
        return "Decoder";
    case kTypeFlipFlop:
        return "FlipFlop";
    case kTypeShiftRegister:
        return "Schieberegister";
    case kTypeNumberDisplay:
        return "Ziffernanzeige";
    case kTypeIC:
        return "IC";
    case kTypeText:
        return "Text";
    case kTypeAnalysisPoint:
        return "Analysepunkt";
    default:
        return "unbekannt";
    }
}

bool CheckCellsAndElements(const CircuitDocument& doc, ConsistencyProblem& problem) {
    problem = ConsistencyProblem{};
    return Checker(doc, problem).Run();
}

} // namespace kardo
