// Quick help: text table, placement groups, sizing and edge rules.
#include "app/quick_help.h"

#include "model/utilities.h"

#include <algorithm>
#include <array>

namespace kardo {

namespace {

// Headlines and first lines as the controls have always been explained; the lines after them
// give the details.
constexpr QuickHelpEntry kTable[] = {
    {"cmdNew", "Neue Datei anlegen",
     "Dieser Befehl löscht die aktuelle Schaltung,\r\n"
     "und Sie können ein neues, leeres Arbeitsfeld\r\n"
     "in der gewünschten Größe anlegen.\r\n"
     "\r\n"
     "Ist die aktuelle Schaltung geändert, werden Sie\r\n"
     "zuvor gefragt, ob Sie sie speichern möchten."},
    {"cmdOpen", "Datei öffnen",
     "Dieser Befehl öffnet eine zuvor gesicherte\r\n"
     "Schaltung (Datei mit der Endung .kdx).\r\n"
     "\r\n"
     "Die aktuelle Schaltung wird dabei ersetzt; ist sie\r\n"
     "geändert, werden Sie zuvor gefragt, ob Sie sie\r\n"
     "speichern möchten."},
    {"cmdSave", "Datei sichern",
     "Mit diesem Befehl wird ein Dialogfeld geöffnet,\r\n"
     "in dem Sie einen Namen für die Schaltung angeben,\r\n"
     "falls sie noch nicht gesichert wurde.\r\n"
     "\r\n"
     "Eine bereits gesicherte Schaltung wird ohne\r\n"
     "Nachfrage in ihre Datei geschrieben."},
    {"cmdPrint", "Datei drucken",
     "Dieser Befehl öffnet ein Dialogfenster, in dem Sie\r\n"
     "einen Drucker oder eine PDF-Datei auswählen.\r\n"
     "\r\n"
     "Das ganze Arbeitsfeld wird auf eine Seite gedruckt."},
    {"cmdUndo", "Rückgängig",
     "Macht die letzte Aktion (z.B. Ziehen einer Leitung) wieder rückgängig.\r\n"
     "\r\n"
     "Wie viele Schritte gespeichert werden, legen Sie\r\n"
     "unter Extras - Optionen fest."},
    {"cmdUndoList", "Undo-Liste",
     "Blendet ein Fenster mit einer Liste der letzten\r\n"
     "Aktionen ein.\r\n"
     "\r\n"
     "Wählen Sie dort aus, bis zu welcher Aktion\r\n"
     "die Schaltung zurückgesetzt werden soll."},
    {"cmdSynthese", "Schaltungssynthese",
     "Ermöglicht das automatische Erstellen einer\r\n"
     "Schaltung aus einem booleschen Term.\r\n"
     "\r\n"
     "Geben Sie den Term ein, z.B. (A&/B)vC; Kardo\r\n"
     "setzt Schalter, Gatter, Leitungen und eine\r\n"
     "Leuchtdiode auf ein neues Arbeitsfeld."},
    {"cmdTabelle", "Wahrheitstabelle",
     "Stellt eine Wahrheitstabelle anhand eines\r\n"
     "booleschen Terms auf.\r\n"
     "\r\n"
     "Jede Zeile zeigt eine Belegung der Variablen\r\n"
     "und den Wert, den der Term dafür annimmt."},
    {"cmdICView", "IC-Definition",
     "Ruft den Assistenten zur Definition eines ICs auf.\r\n"
     "\r\n"
     "Die aktuelle Schaltung wird dabei zu einem\r\n"
     "eigenen Bauteil mit benannten Anschlüssen."},
    {"cmdEinstellungen", "Einstellungen",
     "Blendet ein Fenster ein, in dem auf verschiedenen\r\n"
     "Seiten die Optionen des Programms eingestellt\r\n"
     "werden: Rückgängig-Schritte, Verzeichnisse,\r\n"
     "gesperrte Bauteile und Funktionen, Port.\r\n"
     "\r\n"
     "Die Optionen sind durch ein Kennwort geschützt."},
    {"cmdRaster", "Raster sichtbar / unsichtbar",
     "Ist diese Einstellung aktiviert, ist das Raster sichtbar,\r\n"
     "andernfalls werden die Rasterpunkte ausgeblendet.\r\n"
     "\r\n"
     "Die Schaltung selbst bleibt dabei unverändert."},
    {"cmdPanel0", "Power-Panel",
     "Blendet das Power-Panel ein bzw. aus.\r\n"
     "\r\n"
     "Im Power-Panel schalten Sie die Schaltung ein\r\n"
     "und aus und stellen die Verzögerung ein."},
    {"cmdPanel1", "Eigenschaften-Panel",
     "Blendet das Eigenschaften-Panel ein bzw. aus.\r\n"
     "\r\n"
     "Dort stellen Sie die Eigenschaften des gewählten\r\n"
     "Bauteils ein, z.B. Richtung oder Farbe."},
    {"cmdPanel2", "Arbeitsfeld-Panel",
     "Blendet das Arbeitsfeld-Panel ein bzw. aus.\r\n"
     "\r\n"
     "Dort ändern Sie die Breite und Höhe des\r\n"
     "Arbeitsfeldes."},
    {"cmdPanel3", "Zoom-Panel",
     "Blendet das Zoom-Panel ein bzw. aus.\r\n"
     "\r\n"
     "Dort vergrößern und verkleinern Sie die\r\n"
     "Ansicht des Arbeitsfeldes."},
    {"cmdPanel4", "Ebenen-Panel",
     "Blendet das Ebenen-Panel ein bzw. aus.\r\n"
     "\r\n"
     "Es zeigt die Ebenen der ICs einer Schaltung,\r\n"
     "die Sie im eingeschalteten Zustand ansehen."},
    {"cmdPanel5", "Eingabezeilen-Panel",
     "Blendet das Eingabezeilen-Panel ein bzw. aus.\r\n"
     "\r\n"
     "In der Eingabezeile geben Sie einen booleschen\r\n"
     "Term ein, aus dem eine Schaltung entsteht."},
    {"cmdSelect", "Auswahlcursor auswählen",
     "Wählt den Auswahlcursor aus, mit dem Sie Bauteile\r\n"
     "markieren, verschieben und löschen.\r\n"
     "\r\n"
     "Mit gedrückter Maustaste ziehen Sie einen Rahmen\r\n"
     "um einen Bereich des Arbeitsfeldes."},
    {"cmdText", "Text einfügen / ändern",
     "Klicken Sie auf einen Rasterpunkt, um dort Text\r\n"
     "einzugeben, oder auf einen Text, um ihn zu ändern.\r\n"
     "\r\n"
     "Die Eingabe beenden Sie mit der Eingabetaste."},
    {"cmdLeitungen", "Leitungen ziehen",
     "Linksklicken Sie am Startpunkt auf dem Arbeitsfeld, und\r\n"
     "ziehen Sie die Leitung mit gedrückter Maustaste\r\n"
     "bis zum Endpunkt.\r\n"
     "\r\n"
     "Mit der rechten Maustaste löschen Sie Leitungen\r\n"
     "auf dieselbe Weise."},
    {"cmdDiode", "Leuchtdiode setzen",
     "Stellen Sie die gewünschte Farbe ggf. im Eigenschaften-\r\n"
     "Panel ein, und klicken Sie dann an ein Leitungsende.\r\n"
     "\r\n"
     "Die Leuchtdiode leuchtet, wenn an ihr eine 1 anliegt."},
    {"cmdSchalter", "Schalter setzen",
     "Klicken Sie an ein Leitungsende, um dort einen Schalter\r\n"
     "zu setzen.\r\n"
     "\r\n"
     "Ist die Schaltung eingeschaltet, schalten Sie ihn\r\n"
     "mit einem Klick zwischen 0 und 1 um."},
    {"cmdInverter", "Inverter setzen",
     "Wählen Sie ggf. im Eigenschaften-Panel die passende Richtung\r\n"
     "aus, und klicken Sie dann auf das Arbeitsfeld.\r\n"
     "\r\n"
     "Der Inverter gibt am Ausgang den umgekehrten\r\n"
     "Pegel seines Eingangs aus."},
    {"cmdVerbindungspunkt", "Verbindungspunkt setzen",
     "Klicken Sie auf eine 4er- oder T-Leitungskreuzung, um\r\n"
     "die kreuzenden Leitungen dort zu verbinden.\r\n"
     "\r\n"
     "Ohne Verbindungspunkt bleiben sich kreuzende\r\n"
     "Leitungen getrennt."},
    {"cmdKoppeldiode", "Koppeldiode setzen",
     "Klicken Sie auf eine 4er- oder T-Leitungskreuzung, um\r\n"
     "dort eine Koppeldiode zu setzen.\r\n"
     "\r\n"
     "Die Koppeldiode lässt den Pegel nur von oben\r\n"
     "nach unten durch."},
    {"cmdNegationspunkt", "Negationspunkt setzen",
     "Klicken Sie direkt an den Eingang/Ausgang eines UND/ODER/XODER-Bauteils,\r\n"
     "um ihn zu negieren.\r\n"
     "\r\n"
     "Auch die Dateneingänge eines Flipflops lassen\r\n"
     "sich so negieren."},
    {"cmdAnalysepunkt", "Analysepunkt setzen",
     "Klicken Sie auf eine Leitung, um dort einen Analysepunkt zu\r\n"
     "setzen.\r\n"
     "\r\n"
     "Die Pegel der Analysepunkte zeichnet der\r\n"
     "Logikanalyser im eingeschalteten Zustand auf."},
    {"cmdUND", "UND-Baustein setzen",
     "Setzen Sie einen UND-Baustein per Linksklick auf dem\r\n"
     "Arbeitsfeld.\r\n"
     "\r\n"
     "Die Zahl der Eingänge und die Richtung stellen Sie\r\n"
     "vorher im Eigenschaften-Panel ein."},
    {"cmdODER", "ODER-Baustein setzen",
     "Setzen Sie einen ODER-Baustein per Linksklick auf dem\r\n"
     "Arbeitsfeld.\r\n"
     "\r\n"
     "Die Zahl der Eingänge und die Richtung stellen Sie\r\n"
     "vorher im Eigenschaften-Panel ein."},
    {"cmdXODER", "XODER-Baustein setzen",
     "Setzen Sie einen XODER-Baustein per Linksklick auf dem\r\n"
     "Arbeitsfeld.\r\n"
     "\r\n"
     "Die Zahl der Eingänge und die Richtung stellen Sie\r\n"
     "vorher im Eigenschaften-Panel ein."},
    {"cmdHA", "Halbaddierer setzen",
     "Setzen Sie einen Halbaddierer per Linksklick auf dem\r\n"
     "Arbeitsfeld.\r\n"
     "\r\n"
     "Er addiert zwei einstellige Dualzahlen und gibt\r\n"
     "Summe und Übertrag aus."},
    {"cmdVA", "Volladdierer setzen",
     "Setzen Sie einen Volladdierer per Linksklick auf dem\r\n"
     "Arbeitsfeld.\r\n"
     "\r\n"
     "Er addiert zwei Dualziffern und einen Übertrag\r\n"
     "und gibt Summe und Übertrag aus."},
    {"cmdTriState", "TriState-Gatter setzen",
     "Setzen Sie ein TriState-Gatter per Linksklick auf dem\r\n"
     "Arbeitsfeld.\r\n"
     "\r\n"
     "Es gibt seinen Eingang nur weiter, solange sein\r\n"
     "Steuereingang auf 1 liegt."},
    {"cmdDecoder", "Dezimaldecoder setzen",
     "Setzen Sie einen Dezimaldecoder per Linksklick auf dem\r\n"
     "Arbeitsfeld.\r\n"
     "\r\n"
     "Er setzt genau den Ausgang 0 bis 7 auf 1, dessen\r\n"
     "Nummer an den drei Eingängen anliegt."},
    {"cmdDecoderT", "Getakteten Dezimaldecoder setzen",
     "Setzen Sie einen getakteten Dezimaldecoder per\r\n"
     "Linksklick auf dem Arbeitsfeld.\r\n"
     "\r\n"
     "Er übernimmt die Eingänge erst mit dem Takt\r\n"
     "an seinem Eingang T."},
    {"cmdKomplex", "Komplexes Bauteil auswählen",
     "Wählen Sie ein komplexes Bauteil (z.B. ein Flipflop)\r\n"
     "im Eigenschaften-Panel aus, und setzen Sie es\r\n"
     "per Linksklick auf das Arbeitsfeld.\r\n"
     "\r\n"
     "Zur Auswahl stehen Flipflop, Multiplexer,\r\n"
     "Taktgeber, Schieberegister und Ziffernanzeige."},
    {"cmdIC", "Selbstdefiniertes Bauteil (IC) auswählen",
     "Wählen Sie einen IC aus dem Dropdown-Feld im Eigenschaften-\r\n"
     "Panel aus, und setzen Sie ihn per Linksklick\r\n"
     "auf das Arbeitsfeld."},
    {"cmdOn", "Schaltung anschalten",
     "Ein Klick auf diese Schaltfläche setzt Ihre Schaltung unter\r\n"
     "Strom: Die Pegel werden berechnet und angezeigt.\r\n"
     "\r\n"
     "Schalter schalten Sie nun per Mausklick um.\r\n"
     "Die Schaltung kann dabei nicht geändert werden."},
    {"cmdOff", "Schaltung ausschalten",
     "Ein Klick auf diese Schaltfläche trennt Ihre Schaltung von\r\n"
     "der Stromversorgung.\r\n"
     "\r\n"
     "Danach können Sie die Schaltung wieder\r\n"
     "bearbeiten."},
    {"picPanel0", "Power-Panel",
     "Über das Power-Panel läßt sich die\r\n"
     "Schaltung ein- und ausschalten.\r\n"
     "\r\n"
     "Die Verzögerung verlangsamt die Simulation, damit\r\n"
     "Sie den Weg der Pegel verfolgen können."},
    {"picPanel1", "Eigenschaften-Panel",
     "Im Eigenschaften-Panel können verschiedene\r\n"
     "Eigenschaften des gewählten Bauteils eingestellt\r\n"
     "werden, z.B. Richtung, Eingänge oder Farbe.\r\n"
     "\r\n"
     "Im eingeschalteten Zustand stellen Sie hier\r\n"
     "die Taktgeber ein."},
};

constexpr QuickHelpEntry kFallback = {
    "", "Keine kontextspezifischen Informationen verfügbar",
    "Es existiert kein kontextspezifischer Eintrag für das ausgewählte\r\n"
    "Element. Bitte rufen Sie die allgemeine Hilfe im Menü Hilfe auf."};

constexpr std::array<std::string_view, 20> kMainToolbarKeys = {
    "cmdNew",     "cmdOpen",   "cmdSave",   "cmdPrint",         "cmdCut",
    "cmdCopy",    "cmdPaste",  "cmdUndo",   "cmdUndoList",      "cmdSynthese",
    "cmdTabelle", "cmdICView", "cmdRaster", "cmdEinstellungen", "cmdPanel0",
    "cmdPanel1",  "cmdPanel2", "cmdPanel3", "cmdPanel4",        "cmdPanel5"};

template <std::size_t N>
bool Holds(const std::array<std::string_view, N>& keys, std::string_view key) {
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

} // namespace

std::span<const QuickHelpEntry> QuickHelpTable() { return kTable; }

const QuickHelpEntry& QuickHelpFor(std::string_view key) {
    for (const QuickHelpEntry& e : kTable)
        if (e.key == key)
            return e;
    return kFallback;
}

QuickHelpPlace QuickHelpPlaceOf(std::string_view key) {
    if (Holds(kMainToolbarKeys, key))
        return QuickHelpPlace::MainToolbar;
    if (Holds(kToolbar2Keys, key))
        return QuickHelpPlace::ToolToolbar;
    if (key == "picGrid")
        return QuickHelpPlace::Worksheet;
    if (key == "cmdOn" || key == "cmdOff")
        return QuickHelpPlace::PowerButton;
    if (key == "picPanel0")
        return QuickHelpPlace::PowerPanel;
    if (key == "picPanel1")
        return QuickHelpPlace::PropertyPanel;
    return QuickHelpPlace::Unchanged;
}

QuickHelpSize SizeQuickHelp(const QuickHelpLabel& headline, const QuickHelpLabel& text) {
    const int right = std::max(headline.left + headline.width, text.left + text.width);
    return {right + kQuickHelpRightPad, text.top + text.height + kQuickHelpBottomPad};
}

int QuickHelpLeft(int left, int width, int windowWidth) {
    return left + width >= windowWidth ? windowWidth - width - kQuickHelpEdgeGap : left;
}

int QuickHelpTop(int top, int height, int windowHeight) {
    if (top + height >= windowHeight)
        top = windowHeight - height - kQuickHelpEdgeGap;
    return std::max(top, 0);
}

} // namespace kardo
