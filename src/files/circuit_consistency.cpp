// Consistency of a read circuit: pin counts, footprints from pins, cell ownership and types.
// The footprints follow the removal of each kind, so every element that loads can be removed
// again and no removal clears a cell of another element.
#include "files/circuit_consistency.h"

#include "model/codes.h"

#include <algorithm>
#include <span>
#include <vector>

namespace kardo {

namespace {

// The pins a kind has as its placing makes them.
struct PinCounts {
    std::size_t minIn; // fewest input pins
    std::size_t maxIn; // most input pins
    std::size_t outs;  // output pins
};

bool KnownPinCounts(std::uint8_t typ, PinCounts& c) {
    switch (typ) {
    case kTypeLed:
    case kTypeNumberDisplay:
    case kTypeText:
        c = {typ == kTypeNumberDisplay ? 6u : 1u, typ == kTypeNumberDisplay ? 6u : 1u, 0};
        return true;
    case kTypeSwitch:
    case kTypeAnalysisPoint:
    case kTypeInverter:
    case kTypeClock:
        c = {1, 1, 1};
        return true;
    case kTypeAnd:
    case kTypeOr:
    case kTypeXor:
        c = {2, 15, 1};
        return true;
    case kTypeHalfAdder:
    case kTypeFullAdder:
    case kTypeShiftRegister:
        c = {3, 3, 2};
        return true;
    case kTypeTriState:
        c = {2, 2, 1};
        return true;
    case kTypeMultiplexer:
        c = {6, 6, 1};
        return true;
    case kTypeDecoder:
        c = {3, 4, 8};
        return true;
    case kTypeFlipFlop:
        c = {5, 5, 2};
        return true;
    default:
        return false;
    }
}

Footprint Rect(int x1, int y1, int x2, int y2) {
    return {static_cast<std::int16_t>(x1), static_cast<std::int16_t>(y1),
            static_cast<std::int16_t>(x2), static_cast<std::int16_t>(y2)};
}

// The block that hangs off the first output point: length cells along the orientation and three
// across (adders, shift register).
bool BehindOutput(GridPoint q, std::uint8_t o, int length, Footprint& f) {
    switch (o) {
    case kLeft:
        f = Rect(q.x, q.y, q.x + length, q.y + 2);
        return true;
    case kRight:
        f = Rect(q.x - length, q.y, q.x, q.y + 2);
        return true;
    case kUp:
        f = Rect(q.x - 2, q.y, q.x, q.y + length);
        return true;
    case kDown:
        f = Rect(q.x - 2, q.y - length, q.x, q.y);
        return true;
    default:
        return false;
    }
}

bool GateFootprint(std::span<const GridPoint> in, GridPoint q, std::uint8_t o, Footprint& f) {
    const GridPoint first = in.front();
    const GridPoint last = in.back();
    switch (o) {
    case kLeft:
        f = Rect(q.x, first.y, first.x, last.y);
        return true;
    case kRight:
        f = Rect(first.x, first.y, q.x, last.y);
        return true;
    case kUp:
        f = Rect(first.x, q.y, last.x, first.y);
        return true;
    case kDown:
        f = Rect(first.x, first.y, last.x, q.y);
        return true;
    default:
        return false;
    }
}

bool InverterFootprint(GridPoint in, std::uint8_t o, Footprint& f) {
    const int dx = o == kRight ? 1 : o == kLeft ? -1 : 0;
    const int dy = o == kDown ? 1 : o == kUp ? -1 : 0;
    if (dx == 0 && dy == 0)
        return false;
    const int x = in.x;
    const int y = in.y;
    f = Rect(std::min(x, x + dx), std::min(y, y + dy), std::max(x, x + dx), std::max(y, y + dy));
    return true;
}

bool ClockFootprint(GridPoint q, std::uint8_t o, Footprint& f) {
    switch (o) {
    case kRight:
        f = Rect(q.x - 3, q.y - 1, q.x, q.y + 1);
        return true;
    case kLeft:
        f = Rect(q.x, q.y - 1, q.x + 3, q.y + 1);
        return true;
    case kUp:
        f = Rect(q.x - 1, q.y, q.x + 1, q.y + 3);
        return true;
    case kDown:
        f = Rect(q.x - 1, q.y - 3, q.x + 1, q.y);
        return true;
    default:
        return false;
    }
}

// The 3 x 3 cells of a tri-state gate, its output in the middle of the far side.
bool TriStateFootprint(GridPoint q, std::uint8_t o, Footprint& f) {
    switch (o) {
    case kRight:
        f = Rect(q.x - 2, q.y - 1, q.x, q.y + 1);
        return true;
    case kLeft:
        f = Rect(q.x, q.y - 1, q.x + 2, q.y + 1);
        return true;
    case kUp:
        f = Rect(q.x - 1, q.y, q.x + 1, q.y + 2);
        return true;
    case kDown:
        f = Rect(q.x - 1, q.y - 2, q.x + 1, q.y);
        return true;
    default:
        return false;
    }
}

bool MultiplexerFootprint(std::span<const GridPoint> in, GridPoint q, std::uint8_t o,
                          Footprint& f) {
    const GridPoint d1 = in[0];
    const GridPoint d4 = in[3];
    const GridPoint s1 = in[4];
    switch (o) {
    case kRight:
        f = Rect(d1.x, s1.y, q.x, d1.y);
        return true;
    case kLeft:
        f = Rect(q.x, s1.y, d1.x, d1.y);
        return true;
    case kDown:
        f = Rect(d4.x, d1.y, s1.x, q.y);
        return true;
    case kUp:
        f = Rect(d4.x, q.y, s1.x, d1.y);
        return true;
    default:
        return false;
    }
}

// The decoder's block around its third input (weight 4), the cursor cell of its placing.
bool DecoderFootprint(GridPoint a, std::uint8_t o, Footprint& f) {
    switch (o) {
    case kRight:
        f = Rect(a.x, a.y - 5, a.x + 2, a.y + 4);
        return true;
    case kLeft:
        f = Rect(a.x - 2, a.y - 5, a.x, a.y + 4);
        return true;
    case kDown:
        f = Rect(a.x - 4, a.y, a.x + 5, a.y + 2);
        return true;
    case kUp:
        f = Rect(a.x - 4, a.y - 2, a.x + 5, a.y);
        return true;
    default:
        return false;
    }
}

bool FlipFlopFootprint(std::span<const GridPoint> in, std::span<const GridPoint> out,
                       std::uint8_t o, Footprint& f) {
    const GridPoint j = in[0];
    const GridPoint k = in[2];
    const GridPoint q1 = out[0];
    const GridPoint q2 = out[1];
    switch (o) {
    case kRight:
        f = Rect(j.x, j.y, q1.x, q2.y);
        return true;
    case kLeft:
        f = Rect(q1.x, q1.y, j.x, k.y);
        return true;
    case kDown:
        f = Rect(k.x, j.y, q1.x, q1.y);
        return true;
    case kUp:
        f = Rect(q2.x, q1.y, j.x, j.y);
        return true;
    default:
        return false;
    }
}

// Kinds whose footprint follows from pins that could lie anywhere must have the size their
// placing gives them; the others have it by construction.
bool SizeFits(const ElementRecord& e, const Footprint& f) {
    const int w = f.X2 - f.X1 + 1;
    const int h = f.Y2 - f.Y1 + 1;
    const bool horizontal = e.Richtung == kLeft || e.Richtung == kRight;
    switch (e.Typ) {
    case kTypeAnd:
    case kTypeOr:
    case kTypeXor: {
        const int side = std::max<int>(3, static_cast<int>(e.Eingaenge.Count()));
        return horizontal ? w == 3 && h == side : w == side && h == 3;
    }
    case kTypeMultiplexer:
    case kTypeNumberDisplay:
        return w == 5 && h == 5;
    case kTypeFlipFlop:
        return horizontal ? w == 6 && h == 3 : w == 3 && h == 6;
    default:
        return true;
    }
}

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
        if (!KnownPinCounts(e.Typ, counts))
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
        if (f.X1 > f.X2 || f.Y1 > f.Y2 || !SizeFits(e, f))
            return Fail(k, {-1, -1},
                        ElementText(k, e.Typ) + ": die Anschlüsse passen nicht zur "
                                                "Richtung und Größe");
        if (!OnSheet({f.X1, f.Y1}) || !OnSheet({f.X2, f.Y2}))
            return Fail(k, {-1, -1}, ElementText(k, e.Typ) + " liegt nicht ganz im Arbeitsfeld");
        if (e.Typ == kTypeText) {
            // A label's cells run right from its anchor in one row, as its removal finds them.
            while (f.X2 < m_doc.FeldBreite && m_doc.Cells(f.X2 + 1, f.Y1).Typ == kTypeText &&
                   m_doc.Cells(f.X2 + 1, f.Y1).ElementNr == k)
                ++f.X2;
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

bool ElementFootprint(const ElementRecord& e, Footprint& f) {
    PinCounts counts{};
    if (!KnownPinCounts(e.Typ, counts))
        return false;
    const std::span<const GridPoint> in = e.Eingaenge.Points();
    const std::span<const GridPoint> out = e.Ausgaenge.Points();
    if (in.size() < counts.minIn || in.size() > counts.maxIn || out.size() != counts.outs)
        return false;
    const std::uint8_t o = e.Richtung;
    switch (e.Typ) {
    case kTypeLed:
    case kTypeSwitch:
    case kTypeAnalysisPoint:
    case kTypeText:
        f = Rect(in[0].x, in[0].y, in[0].x, in[0].y);
        return true;
    case kTypeAnd:
    case kTypeOr:
    case kTypeXor:
        return GateFootprint(in, out[0], o, f);
    case kTypeInverter:
        return InverterFootprint(in[0], o, f);
    case kTypeClock:
        return ClockFootprint(out[0], o, f);
    case kTypeHalfAdder:
    case kTypeFullAdder:
        return BehindOutput(out[0], o, 3, f);
    case kTypeShiftRegister:
        return BehindOutput(out[0], o, 8, f);
    case kTypeTriState:
        return TriStateFootprint(out[0], o, f);
    case kTypeMultiplexer:
        return MultiplexerFootprint(in, out[0], o, f);
    case kTypeDecoder:
        return DecoderFootprint(in[2], o, f);
    case kTypeFlipFlop:
        return FlipFlopFootprint(in, out, o, f);
    case kTypeNumberDisplay:
        f = Rect(in[3].x, in[2].y, in[0].x + 1, in[5].y + 1);
        return true;
    default:
        return false;
    }
}

bool CheckCellsAndElements(const CircuitDocument& doc, ConsistencyProblem& problem) {
    problem = ConsistencyProblem{};
    return Checker(doc, problem).Run();
}

} // namespace kardo
