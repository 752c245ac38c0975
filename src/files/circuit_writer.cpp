// Circuit file writer. Numbers are plain decimal with "-" for negatives; the [Jump] section alone
// puts one blank before a non-negative number, as files from earlier versions have it.
#include "files/circuit_writer.h"

#include <charconv>
#include <string_view>

namespace kardo {

namespace {

constexpr std::string_view kCrLf = "\r\n";

void AppendNumber(std::string& out, long long v) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    out.append(buffer, result.ptr);
}

// A number followed by ";".
void Field(std::string& out, long long v) {
    AppendNumber(out, v);
    out += ';';
}

// A number in Str form followed by ";".
void StrField(std::string& out, long long v) {
    if (v >= 0)
        out += ' ';
    Field(out, v);
}

// A text without leading and trailing blanks, followed by ";". Line ends inside a text would
// break the file into lines, so they count as blanks.
void TextField(std::string& out, std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    for (const char c : text)
        out += (c == '\r' || c == '\n') ? ' ' : c;
    out += ';';
}

} // namespace

void AppendCellLine(std::string& out, int x, int y, const CellRecord& c) {
    // The file order of the wire flags is left, right, up, down.
    Field(out, x);
    Field(out, y);
    Field(out, c.Typ);
    Field(out, c.Links);
    Field(out, c.Rechts);
    Field(out, c.Oben);
    Field(out, c.Unten);
    Field(out, c.Punkt);
    Field(out, c.ElementNr);
    Field(out, c.ICPin);
    Field(out, c.ICLevel);
    out += kCrLf;
}

void AppendElementLine(std::string& out, const ElementRecord& e, std::string_view inputs,
                       std::string_view outputs) {
    Field(out, e.Typ);
    Field(out, e.Richtung);
    TextField(out, inputs);
    TextField(out, outputs);
    Field(out, e.Farbe); // the full 32-bit colour, not cut to 16 bits
    Field(out, e.Nr);
    TextField(out, e.Text);
    out += kCrLf;
}

void AppendICLine(std::string& out, const ICLine& ic) {
    TextField(out, ic.Name);
    Field(out, ic.ElementNr);
    out += kCrLf;
}

bool IsStoredCell(const CellRecord& c) {
    return c.Typ > 1 || (c.Typ == 1 && (c.Punkt != 0 || c.ICLevel != 0)) || c.ElementNr != 0;
}

void WriteCircuitText(const CircuitDocument& doc, std::string& out) {
    out.clear();
    out.reserve(64 + static_cast<std::size_t>(doc.AnzElemente()) * 48);

    out += "[Feld]";
    out += kCrLf;
    Field(out, doc.FeldBreite);
    Field(out, doc.FeldHoehe);
    out += kCrLf;

    out += "[Punkte]";
    out += kCrLf;
    for (int x = 0; x <= doc.FeldBreite; ++x) {
        for (int y = 0; y <= doc.FeldHoehe; ++y) {
            const CellRecord& c = doc.Cells(x, y);
            if (!IsStoredCell(c))
                continue;
            AppendCellLine(out, x, y, c);
        }
    }

    out += "[Jump]";
    out += kCrLf;
    for (const JumpLine& j : doc.Jumps) {
        if (j.EndX == 0 && j.EndY == 0)
            continue;
        StrField(out, j.X);
        StrField(out, j.Y);
        StrField(out, j.EndX);
        StrField(out, j.EndY);
        out += kCrLf;
    }

    out += "[Elemente]";
    out += kCrLf;
    for (int k = 1; k <= doc.AnzElemente(); ++k) {
        const ElementRecord& e = doc.Elements[static_cast<std::size_t>(k)];
        AppendElementLine(out, e, e.Eingaenge.Text(), e.Ausgaenge.Text());
    }

    out += "[IC]";
    out += kCrLf;
    for (const ICLine& ic : doc.ICs)
        AppendICLine(out, ic);

    out += "[Timer]";
    out += kCrLf;
    AppendNumber(out, doc.AnzTaktgeber);
    out += kCrLf;
    for (const std::int16_t nr : doc.TaktElement)
        Field(out, nr);
    out += kCrLf;
    for (const ClockLine& t : doc.Takte) {
        Field(out, t.Zeit1);
        Field(out, t.Zeit0);
        Field(out, t.Link);
        Field(out, t.Takte);
        out += kCrLf;
    }
}

} // namespace kardo
