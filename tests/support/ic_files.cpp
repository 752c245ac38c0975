// Writing IC definition files from the worksheet, and placing ICs.
#include "support/ic_files.h"

#include "files/ic_size.h"
#include "ic/ic_choice.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/ic_instances.h"
#include "model/place_ic.h"
#include "support/circuit_files.h"

namespace kardo::test {

namespace {

void Field(std::string& out, long long v) { out += std::to_string(v) + ";"; }

} // namespace

std::string ICDefinitionText(const std::string& name, const std::vector<ICPinSpec>& pins,
                             int breite, int hoehe, const std::string& notes) {
    for (std::size_t k = 0; k < pins.size(); ++k)
        gGrid(pins[k].x, pins[k].y).ICPin = static_cast<std::uint8_t>(k + 1);
    std::string out = "[Name]\r\n" + name + "\r\n[Feld]\r\n";
    Field(out, gFeldBreite);
    Field(out, gFeldHoehe);
    out += "\r\n[Punkte]\r\n";
    for (int x = 0; x <= gFeldBreite; ++x) {
        for (int y = 0; y <= gFeldHoehe; ++y) {
            const CellRecord& c = gGrid(x, y);
            if (c.Typ == 0)
                continue;
            for (long long v : {static_cast<long long>(x), static_cast<long long>(y),
                                static_cast<long long>(c.Typ), static_cast<long long>(c.Links),
                                static_cast<long long>(c.Rechts), static_cast<long long>(c.Oben),
                                static_cast<long long>(c.Unten), static_cast<long long>(c.Punkt),
                                static_cast<long long>(c.ElementNr),
                                static_cast<long long>(c.ICPin), static_cast<long long>(c.ICLevel)})
                Field(out, v);
            out += "\r\n";
        }
    }
    out += "[Elemente]\r\n";
    for (int k = 1; k <= gAnzElemente; ++k) {
        const ElementRecord& e = gElements[static_cast<std::size_t>(k)];
        Field(out, e.Typ);
        Field(out, e.Richtung);
        out += e.Eingaenge.Text() + ";" + e.Ausgaenge.Text() + ";";
        Field(out, e.Farbe);
        Field(out, e.Nr);
        out += e.Text + ";\r\n";
    }
    out += "[Anschlüsse]\r\n";
    for (const ICPinSpec& p : pins)
        out += std::to_string(p.x) + ";" + std::to_string(p.y) + ";" + p.name + ";\r\n";
    out += "[Maße]\r\nX" + std::to_string(breite) + "\r\nY" + std::to_string(hoehe) + "\r\n";
    out += "[Graphische Anschlüsse]\r\n";
    for (const ICPinSpec& p : pins) {
        if (p.a >= 0)
            out += std::to_string(p.a) + ";" + std::to_string(p.b) + ";" + p.name + ";";
        out += "\r\n";
    }
    out += "[IC]\r\n";
    for (int i = 1; i <= gICInstanceMax; ++i) {
        const ICInstanceRecord& ic = gICInstances[static_cast<std::size_t>(i)];
        if (ic.Tiefe == 0)
            out += ic.Name + ";" + std::to_string(ic.ElementNr) + ";\r\n";
    }
    out += "[Tags]\r\n";
    for (std::size_t k = 0; k < pins.size(); ++k)
        out += "\r\n";
    out += "[Notizen]\r\n";
    if (!notes.empty())
        out += notes + "\r\n";
    return out;
}

void WriteICDefinition(const std::string& folder, const std::string& name,
                       const std::vector<ICPinSpec>& pins, int breite, int hoehe,
                       const std::string& notes) {
    WriteBytes(folder + name + ".icd", ICDefinitionText(name, pins, breite, hoehe, notes));
}

std::int16_t PlaceIC(const std::string& name, int x, int y) {
    ChooseIC(name);
    const std::int16_t before = gAnzElemente;
    gCursorX = static_cast<std::int16_t>(x);
    gCursorY = static_cast<std::int16_t>(y + gICHoehe / 2);
    SetIC();
    return gAnzElemente > before ? gAnzElemente : std::int16_t{0};
}

} // namespace kardo::test
