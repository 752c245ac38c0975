// The IC library: its entries in the order of the IC list with their notes, the details of an
// IC, and the nesting tree with the missing ICs under "ICs nicht gefunden:", which name the
// same ICs as the existence check before a load.
#include "app/settings.h"
#include "files/circuit_ics.h"
#include "ic/ic_library.h"
#include "support/circuit_files.h"
#include "support/core_fixture.h"
#include "support/ic_circuits.h"

#include <algorithm>
#include <filesystem>
#include <tuple>

namespace kardo::test {
namespace {

class ICLibraryTest : public CoreFixture {
  protected:
    ICLibraryTest() {
        gVerzeichnisse[1] = Folder();
        WriteInverterICs(Folder());
    }
    std::string Folder() const { return dir.Path() + "/"; }
    TempDir dir;
};

TEST_F(ICLibraryTest, TheEntriesFollowTheICListWithTheirNotesOnOneLine) {
    WriteBytes(dir.File("keine.txt"), "x");
    WriteBytes(dir.File("a b.icd"), "[Name]\r\na b\r\n[Notizen]\r\neins\r\nzwei\r\n[Tags]\r\n");
    const std::vector<ICLibraryEntry> entries = ReadICLibrary();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0], (ICLibraryEntry{"a b", "eins zwei"}));
    EXPECT_EQ(entries[1].Name, "inv");
    EXPECT_EQ(entries[2].Name, "inv2");
    EXPECT_EQ(ReadICNotes(dir.File("a b.icd")), "eins\r\nzwei");
}

TEST_F(ICLibraryTest, DetailsOfASoundICAndTheReasonForAFaultyOne) {
    ICDefinition def;
    std::string problem;
    ASSERT_TRUE(ReadICDetails("inv", def, problem)) << problem;
    EXPECT_EQ(def.Breite, 2);
    EXPECT_EQ(def.PlacedPins, 2);
    WriteBytes(dir.File("kaputt.icd"), "[Name]\r\nkaputt\r\n");
    EXPECT_FALSE(ReadICDetails("kaputt", def, problem));
    EXPECT_NE(problem.find("[Feld] fehlt"), std::string::npos) << problem;
    EXPECT_FALSE(ReadICDetails("fehlt", def, problem));
    EXPECT_NE(problem.find("nicht gefunden"), std::string::npos);
}

TEST_F(ICLibraryTest, TheNestingTreeHasANodePerNestedIC) {
    const std::vector<NestingNode> tree = BuildNestingTree("inv2");
    const std::vector<NestingNode> expected = {
        {"IC", "inv2", ""}, {"N1", "inv", "IC"}, {"N2", "inv", "IC"}};
    EXPECT_EQ(tree, expected);
    EXPECT_TRUE(MissingInNestingTree(tree).empty());
    EXPECT_EQ(BuildNestingTree("inv").size(), 1u);
}

TEST_F(ICLibraryTest, MissingICsAreGatheredLastAndNamedAsTheExistenceCheckNamesThem) {
    std::filesystem::remove(dir.File("inv.icd"));
    const std::vector<NestingNode> tree = BuildNestingTree("inv2");
    const std::vector<NestingNode> expected = {{"IC", "inv2", ""},
                                               {"Fehler", "ICs nicht gefunden:", ""},
                                               {"Fehler1", "inv", "Fehler"},
                                               {"Fehler2", "inv", "Fehler"}};
    EXPECT_EQ(tree, expected);
    const std::vector<std::string> missing = MissingInNestingTree(tree);
    EXPECT_EQ(missing, (std::vector<std::string>{"inv", "inv"}));
    // The existence check before a load reports the same names.
    EXPECT_FALSE(CheckICsExist({"inv2"}, Folder(), ""));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Folgende ICs wurden nicht gefunden:\r\n - inv\r\n - inv\r\n");
}

// A missing IC named at thousands of places gave a nesting tree and a message of as many lines,
// in a box taller than the screen: the missing places count toward the tree's limit now. A list
// cut at 30 places then hid the ICs missing after them and counted only the places in the tree:
// past 30 places each IC is named once, and the names left are counted.
TEST_F(ICLibraryTest, MissingPlacesCountTowardTheTreesLimitAndLongListsNameEachICOnce) {
    using Naming = std::vector<std::pair<std::string, int>>; // names of [IC] lines, how often
    const auto naming = [](const Naming& lines) {
        std::string text = "[IC]\r\n";
        int place = 0;
        for (const auto& [inner, places] : lines)
            for (int i = 0; i < places; ++i)
                text += inner + ";" + std::to_string(++place) + ";\r\n";
        return text;
    };
    // Forty ICs missing once each, listed from the tree's last node up; M missing at 30 places.
    Naming forty;
    std::string fortyListed, thirtyListed;
    for (int k = 1; k <= 40; ++k) {
        forty.emplace_back("M" + std::to_string(k), 1);
        fortyListed = (k > 10 ? " - M" + std::to_string(k) + "\r\n" : "") + fortyListed;
        thirtyListed += k <= 30 ? " - M\r\n" : "";
    }
    // A's and B's [IC] lines, the missing places met, the message's lines after its first.
    const std::tuple<Naming, Naming, int, std::string> rows[] = {
        {{{"M", 30}}, {}, 30, thirtyListed},
        {{{"M", 31}}, {}, 31, " - M\r\n"},
        {{{"B", 100}}, {{"M", 100}}, 1980, " - M\r\n"},
        {{{"MUX", 1}, {"DFF", 32}}, {}, 33, " - DFF\r\n - MUX\r\n"},
        {forty, {}, 40, fortyListed + "und 10 weitere\r\n"}};
    for (const auto& [a, b, missing, listed] : rows) {
        WriteBytes(dir.File("A.icd"), naming(a));
        WriteBytes(dir.File("B.icd"), naming(b));
        const std::vector<NestingNode> tree = BuildNestingTree("A");
        EXPECT_EQ(MissingInNestingTree(tree).size(), static_cast<std::size_t>(missing));
        EXPECT_LE(tree.size(), static_cast<std::size_t>(kMaxNestingNodes) + 2);
        host.messages.clear();
        EXPECT_FALSE(CheckICsExist({"A"}, Folder(), ""));
        EXPECT_EQ(host.messages.at(0).text, "Folgende ICs wurden nicht gefunden:\r\n" + listed)
            << missing;
    }
}

TEST_F(ICLibraryTest, AnICInsideItselfIsShownOnceAndNotOpenedAgain) {
    for (const char* name : {"loop_a_bad", "loop_b_bad"})
        WriteBytes(dir.File(std::string(name) + ".icd"),
                   ReadBytes(DataFile(std::string(name) + ".icd")));
    const std::vector<NestingNode> expected = {{"IC", "loop_a_bad", ""},
                                               {"N1", "loop_b_bad", "IC"},
                                               {"N2", "inv", "N1"},
                                               {"N3", "loop_a_bad", "N1"},
                                               {"N4", "inv", "IC"}};
    EXPECT_EQ(BuildNestingTree("loop_a_bad"), expected);
}

} // namespace
} // namespace kardo::test
