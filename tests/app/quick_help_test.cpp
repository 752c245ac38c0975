// Quick help without its panel: every row of the text table with its headline and first line
// as the controls have always shown them, the text conventions, the fallback, where the panel
// goes for a key, its size and the edge rules.
#include "app/quick_help.h"

#include <string>

#include <gtest/gtest.h>

namespace kardo {
namespace {

struct Row {
    const char* key;
    const char* headline;
    const char* firstLine;
};

// Key, headline and first line of every row, byte for byte.
constexpr Row kRows[] = {
    {"cmdNew", "Neue Datei anlegen", "Dieser Befehl löscht die aktuelle Schaltung,"},
    {"cmdOpen", "Datei öffnen", "Dieser Befehl öffnet eine zuvor gesicherte"},
    {"cmdSave", "Datei sichern", "Mit diesem Befehl wird ein Dialogfeld geöffnet,"},
    {"cmdPrint", "Datei drucken", "Dieser Befehl öffnet ein Dialogfenster, in dem Sie"},
    {"cmdUndo", "Rückgängig",
     "Macht die letzte Aktion (z.B. Ziehen einer Leitung) wieder rückgängig."},
    {"cmdUndoList", "Undo-Liste", "Blendet ein Fenster mit einer Liste der letzten"},
    {"cmdSynthese", "Schaltungssynthese", "Ermöglicht das automatische Erstellen einer"},
    {"cmdTabelle", "Wahrheitstabelle", "Stellt eine Wahrheitstabelle anhand eines"},
    {"cmdICView", "IC-Definition", "Ruft den Assistenten zur Definition eines ICs auf."},
    {"cmdEinstellungen", "Einstellungen", "Blendet ein Fenster ein, in dem auf verschiedenen"},
    {"cmdRaster", "Raster sichtbar / unsichtbar",
     "Ist diese Einstellung aktiviert, ist das Raster sichtbar,"},
    {"cmdPanel0", "Power-Panel", "Blendet das Power-Panel ein bzw. aus."},
    {"cmdPanel1", "Eigenschaften-Panel", "Blendet das Eigenschaften-Panel ein bzw. aus."},
    {"cmdPanel2", "Arbeitsfeld-Panel", "Blendet das Arbeitsfeld-Panel ein bzw. aus."},
    {"cmdPanel3", "Zoom-Panel", "Blendet das Zoom-Panel ein bzw. aus."},
    {"cmdPanel4", "Ebenen-Panel", "Blendet das Ebenen-Panel ein bzw. aus."},
    {"cmdPanel5", "Eingabezeilen-Panel", "Blendet das Eingabezeilen-Panel ein bzw. aus."},
    {"cmdSelect", "Auswahlcursor auswählen", "Wählt den Auswahlcursor aus, mit dem Sie Bauteile"},
    {"cmdText", "Text einfügen / ändern", "Klicken Sie auf einen Rasterpunkt, um dort Text"},
    {"cmdLeitungen", "Leitungen ziehen", "Linksklicken Sie am Startpunkt auf dem Arbeitsfeld, und"},
    {"cmdDiode", "Leuchtdiode setzen", "Stellen Sie die gewünschte Farbe ggf. im Eigenschaften-"},
    {"cmdSchalter", "Schalter setzen", "Klicken Sie an ein Leitungsende, um dort einen Schalter"},
    {"cmdInverter", "Inverter setzen",
     "Wählen Sie ggf. im Eigenschaften-Panel die passende Richtung"},
    {"cmdVerbindungspunkt", "Verbindungspunkt setzen",
     "Klicken Sie auf eine 4er- oder T-Leitungskreuzung, um"},
    {"cmdKoppeldiode", "Koppeldiode setzen",
     "Klicken Sie auf eine 4er- oder T-Leitungskreuzung, um"},
    {"cmdNegationspunkt", "Negationspunkt setzen",
     "Klicken Sie direkt an den Eingang/Ausgang eines UND/ODER/XODER-Bauteils,"},
    {"cmdAnalysepunkt", "Analysepunkt setzen",
     "Klicken Sie auf eine Leitung, um dort einen Analysepunkt zu"},
    {"cmdUND", "UND-Baustein setzen", "Setzen Sie einen UND-Baustein per Linksklick auf dem"},
    {"cmdODER", "ODER-Baustein setzen", "Setzen Sie einen ODER-Baustein per Linksklick auf dem"},
    {"cmdXODER", "XODER-Baustein setzen", "Setzen Sie einen XODER-Baustein per Linksklick auf dem"},
    {"cmdHA", "Halbaddierer setzen", "Setzen Sie einen Halbaddierer per Linksklick auf dem"},
    {"cmdVA", "Volladdierer setzen", "Setzen Sie einen Volladdierer per Linksklick auf dem"},
    {"cmdTriState", "TriState-Gatter setzen",
     "Setzen Sie ein TriState-Gatter per Linksklick auf dem"},
    {"cmdDecoder", "Dezimaldecoder setzen",
     "Setzen Sie einen Dezimaldecoder per Linksklick auf dem"},
    {"cmdDecoderT", "Getakteten Dezimaldecoder setzen",
     "Setzen Sie einen getakteten Dezimaldecoder per"},
    {"cmdKomplex", "Komplexes Bauteil auswählen",
     "Wählen Sie ein komplexes Bauteil (z.B. ein Flipflop)"},
    {"cmdIC", "Selbstdefiniertes Bauteil (IC) auswählen",
     "Wählen Sie einen IC aus dem Dropdown-Feld im Eigenschaften-"},
    {"cmdOn", "Schaltung anschalten",
     "Ein Klick auf diese Schaltfläche setzt Ihre Schaltung unter"},
    {"cmdOff", "Schaltung ausschalten",
     "Ein Klick auf diese Schaltfläche trennt Ihre Schaltung von"},
    {"picPanel0", "Power-Panel", "Über das Power-Panel läßt sich die"},
    {"picPanel1", "Eigenschaften-Panel", "Im Eigenschaften-Panel können verschiedene"},
};

std::string FirstLine(std::string_view text) {
    return std::string(text.substr(0, text.find("\r\n")));
}

TEST(QuickHelp, EveryRowHasItsHeadlineAndFirstLine) {
    ASSERT_EQ(QuickHelpTable().size(), std::size(kRows));
    std::size_t i = 0;
    for (const Row& row : kRows) {
        const QuickHelpEntry& e = QuickHelpFor(row.key);
        EXPECT_EQ(e.key, row.key);
        EXPECT_EQ(e.headline, row.headline) << row.key;
        EXPECT_EQ(FirstLine(e.text), row.firstLine) << row.key;
        // The table keeps the rows in their order.
        EXPECT_EQ(QuickHelpTable()[i++].key, row.key);
    }
}

TEST(QuickHelp, TextsAreLinesJoinedByCrLfWithOneEmptyLineBetweenParagraphs) {
    for (const QuickHelpEntry& e : QuickHelpTable()) {
        const std::string text(e.text);
        // Further lines follow the first one.
        EXPECT_NE(text.find("\r\n"), std::string::npos) << e.key;
        EXPECT_EQ(text.find("\r\n\r\n\r\n"), std::string::npos) << e.key;
        EXPECT_NE(text.substr(text.size() - 2), "\r\n") << e.key;
        std::size_t start = 0;
        int line = 0;
        while (start <= text.size()) {
            const std::size_t end = std::min(text.find("\r\n", start), text.size());
            const std::string l = text.substr(start, end - start);
            EXPECT_EQ(l.find('\r'), std::string::npos) << e.key;
            EXPECT_EQ(l.find('\n'), std::string::npos) << e.key;
            // Lines after the first are ours and short (umlauts count two bytes).
            if (line > 0) {
                EXPECT_LE(l.size(), 66u) << e.key << ": " << l;
            }
            start = end + 2;
            ++line;
        }
        EXPECT_GE(line, 2) << e.key;
    }
}

TEST(QuickHelp, KeysWithoutARowGetTheFallback) {
    for (const char* key : {"cmdCut", "cmdCopy", "cmdPaste", "cmdICAuswahl", "picPanel2",
                            "picPanel5", "", "irgendwas"}) {
        const QuickHelpEntry& e = QuickHelpFor(key);
        EXPECT_EQ(e.key, "") << key;
        EXPECT_EQ(e.headline, "Keine kontextspezifischen Informationen verfügbar");
        EXPECT_EQ(e.text, "Es existiert kein kontextspezifischer Eintrag für das ausgewählte\r\n"
                          "Element. Bitte rufen Sie die allgemeine Hilfe im Menü Hilfe auf.");
    }
}

TEST(QuickHelp, ThePanelGoesBesideItsControl) {
    const std::pair<const char*, QuickHelpPlace> cases[] = {
        {"cmdNew", QuickHelpPlace::MainToolbar},
        {"cmdCut", QuickHelpPlace::MainToolbar},
        {"cmdPanel5", QuickHelpPlace::MainToolbar},
        {"cmdRaster", QuickHelpPlace::MainToolbar},
        {"cmdSelect", QuickHelpPlace::ToolToolbar},
        {"cmdIC", QuickHelpPlace::ToolToolbar},
        {"picGrid", QuickHelpPlace::Worksheet},
        {"cmdOn", QuickHelpPlace::PowerButton},
        {"cmdOff", QuickHelpPlace::PowerButton},
        {"picPanel0", QuickHelpPlace::PowerPanel},
        {"picPanel1", QuickHelpPlace::PropertyPanel},
        {"picPanel2", QuickHelpPlace::Unchanged},
        {"cmdICAuswahl", QuickHelpPlace::Unchanged},
        {"cmdQuickHelp", QuickHelpPlace::Unchanged},
        {"x", QuickHelpPlace::Unchanged}};
    for (const auto& [key, place] : cases)
        EXPECT_EQ(QuickHelpPlaceOf(key), place) << key;
}

TEST(QuickHelp, ThePanelIsSizedToTheLabelThatReachesFurther) {
    // Below the text label, 100 twips; right of the wider label, 170 twips.
    EXPECT_EQ(SizeQuickHelp({8, 6, 100, 15}, {8, 27, 200, 60}), (QuickHelpSize{219, 94}));
    EXPECT_EQ(SizeQuickHelp({8, 6, 300, 15}, {8, 27, 200, 60}), (QuickHelpSize{319, 94}));
    EXPECT_EQ(SizeQuickHelp({8, 6, 200, 15}, {8, 27, 200, 30}), (QuickHelpSize{219, 64}));
}

TEST(QuickHelp, ThePanelStaysInsideTheWindow) {
    // Right edge: reaching the window's width or beyond moves it 200 twips inside.
    EXPECT_EQ(QuickHelpLeft(100, 300, 1000), 100);
    EXPECT_EQ(QuickHelpLeft(699, 300, 1000), 699);
    EXPECT_EQ(QuickHelpLeft(700, 300, 1000), 687);
    EXPECT_EQ(QuickHelpLeft(950, 300, 1000), 687);
    // Bottom edge likewise, never above the top.
    EXPECT_EQ(QuickHelpTop(100, 200, 800), 100);
    EXPECT_EQ(QuickHelpTop(600, 200, 800), 587);
    EXPECT_EQ(QuickHelpTop(10, 900, 800), 0);
}

} // namespace
} // namespace kardo
