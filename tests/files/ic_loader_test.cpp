// The IC loader: instances and levels built depth-first from definitions read once, the
// numbering of nested ICs, and the refusals that need more than one file (an IC containing
// itself, too many instances, too many cells, missing nested definitions), plus the
// lookup of definition files in the IC folder.
#include "files/ic_folder.h"
#include "files/ic_loader.h"
#include "model/codes.h"
#include "support/circuit_files.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace kardo {
namespace {

class ICLoaderTest : public ::testing::Test {
  protected:
    // Copies fixture file into the IC folder as name.icd.
    void Install(std::string_view file, std::string_view name) {
        test::WriteBytes(dir.File(std::string(name) + ".icd"),
                         test::ReadBytes(test::DataFile(file)));
    }
    std::string Folder() const { return dir.Path() + "/"; }
    bool Build(std::string_view name, ICInstanceBlock& block, ICLoadProblem& problem) {
        ICLoader loader(Folder());
        block.Base = 1;
        return loader.Build(name, 7, 0, 0, block, problem);
    }
    test::TempDir dir;
};

TEST_F(ICLoaderTest, NestedICsFollowTheirContainerDepthFirst) {
    Install("inv.icd", "inv");
    Install("inv2.icd", "inv2");
    ICInstanceBlock block;
    ICLoadProblem problem;
    ASSERT_TRUE(Build("inv2", block, problem)) << ICProblemText(problem);
    ASSERT_EQ(block.Count(), 3);
    const ICInstanceRecord& top = block.Instances[0];
    EXPECT_EQ(top.Name, "inv2");
    EXPECT_EQ(top.ElementNr, 7);
    EXPECT_EQ(top.Tiefe, 0);
    EXPECT_EQ(top.Parent, 0);
    EXPECT_EQ(top.AnzAnschluesse, 2);
    EXPECT_EQ(top.Anschluesse[1], "1;2;E;0;");
    EXPECT_EQ(top.GrafAnschluesse[2], "2;1;A;");
    EXPECT_EQ(top.PinCells[2], (GridPoint{11, 2}));
    EXPECT_EQ(top.Notizen, "Zwei Inverterin Reihe");
    for (int i : {1, 2}) {
        const ICInstanceRecord& inner = block.Instances[static_cast<std::size_t>(i)];
        EXPECT_EQ(inner.Name, "inv");
        EXPECT_EQ(inner.Tiefe, 1);
        EXPECT_EQ(inner.Parent, 1);
        EXPECT_EQ(inner.ElementNr, i) << "the element of the [IC] line in inv2";
    }
    // The level of inv2 names its nested ICs by their new indices.
    const SimLevelRecord& level = block.Levels[0];
    EXPECT_EQ(level.Name, "inv2");
    EXPECT_EQ(level.MaxX, 12);
    EXPECT_EQ(level.Feld(2, 2).ICLevel, 2);
    EXPECT_EQ(level.Feld(9, 2).ICLevel, 3);
    EXPECT_EQ(level.Feld(3, 2).ICLevel, 0) << "not a pin cell";
    EXPECT_EQ(block.Levels[1].AnzElemente, 1);
}

TEST_F(ICLoaderTest, ABlockBuiltAtAnotherBaseNumbersFromThere) {
    Install("inv.icd", "inv");
    Install("inv2.icd", "inv2");
    ICInstanceBlock block;
    block.Base = 5;
    ICLoadProblem problem;
    ICLoader loader(Folder());
    ASSERT_TRUE(loader.Build("inv2", 1, 4, 0, block, problem));
    EXPECT_EQ(block.Instances[2].Parent, 5);
    EXPECT_EQ(block.Levels[0].Feld(9, 2).ICLevel, 7);
    block.Rebase(2);
    EXPECT_EQ(block.Instances[1].Parent, 2);
    EXPECT_EQ(block.Levels[0].Feld(2, 2).ICLevel, 3);
    EXPECT_EQ(block.Levels[0].Feld(9, 2).ICLevel, 4);
}

// An IC with two nested ICs of which the first holds two more: container i, first nested
// i + 1, its inner ICs i + 2 and i + 3, second nested i + 4.
TEST_F(ICLoaderTest, DeeperNestingKeepsParentsAndDepths) {
    Install("inv.icd", "inv");
    Install("inv2.icd", "inv2");
    std::string text = test::ReadBytes(test::DataFile("inv2.icd"));
    text.replace(text.find("inv;1;"), 6, "inv2;1;");
    test::WriteBytes(dir.File("outer.icd"), text);
    ICInstanceBlock block;
    ICLoadProblem problem;
    ASSERT_TRUE(Build("outer", block, problem)) << ICProblemText(problem);
    ASSERT_EQ(block.Count(), 5);
    const char* names[] = {"outer", "inv2", "inv", "inv", "inv"};
    const int parents[] = {0, 1, 2, 2, 1};
    const int depths[] = {0, 1, 2, 2, 1};
    for (int i = 0; i < 5; ++i) {
        const ICInstanceRecord& ic = block.Instances[static_cast<std::size_t>(i)];
        EXPECT_EQ(ic.Name, names[i]) << i;
        EXPECT_EQ(ic.Parent, parents[i]) << i;
        EXPECT_EQ(ic.Tiefe, depths[i]) << i;
    }
}

TEST_F(ICLoaderTest, EachDefinitionIsReadOnceHoweverOftenItIsUsed) {
    Install("inv.icd", "inv");
    Install("fan16.icd", "fan16");
    ICLoader loader(Folder());
    ICInstanceBlock block;
    block.Base = 1;
    ICLoadProblem problem;
    ASSERT_TRUE(loader.Build("fan16", 1, 0, 0, block, problem)) << ICProblemText(problem);
    EXPECT_EQ(block.Count(), 17);
    ASSERT_TRUE(loader.Build("fan16", 2, 0, 0, block, problem));
    EXPECT_EQ(block.Count(), 34);
    EXPECT_EQ(loader.FilesRead(), 2);
}

TEST_F(ICLoaderTest, RefusalsNameTheICTheFileAndTheProblem) {
    Install("inv.icd", "inv");
    Install("inv2.icd", "inv2");
    Install("fan16.icd", "fan16");
    Install("big1000.icd", "big1000");
    for (const char* f :
         {"self_bad", "loop_a_bad", "loop_b_bad", "fan_bad", "huge_bad", "nested_name_bad"})
        Install(std::string(f) + ".icd", f);
    Install("inv_package_changed.icd", "inv_wide");
    std::string wide = test::ReadBytes(test::DataFile("inv2.icd"));
    wide.replace(wide.find("inv;2;"), 6, "inv_wide;2;");
    test::WriteBytes(dir.File("wide_inside.icd"), wide);
    struct Case {
        const char* name;
        const char* ic;
        const char* file;
        int line;
        const char* text;
    };
    const Case cases[] = {
        {"self_bad", "self_bad", "self_bad.icd", 0,
         "das IC enthält sich selbst: self_bad → self_bad"},
        {"loop_a_bad", "loop_b_bad", "loop_b_bad.icd", 0,
         "das IC enthält sich selbst: loop_a_bad → loop_b_bad → loop_a_bad"},
        {"fan_bad", "inv", "inv.icd", 0, "mehr als 255 ICs (verschachtelte mitgezählt)"},
        {"huge_bad", "big1000", "big1000.icd", 0,
         "alle IC-Ebenen zusammen brauchten mehr als 8000000 Zellen"},
        {"nested_name_bad", "nested_name_bad", "nested_name_bad.icd", 42,
         "IC-Name \"../inv\" ist kein einfacher Dateiname"},
        {"fehlt", "fehlt", "", 0, "die Definition \"fehlt.icd\" ist im IC-Ordner nicht vorhanden"},
        {"../inv", "../inv", "", 0, "der Name ist kein einfacher Dateiname"},
    };
    for (const Case& c : cases) {
        ICInstanceBlock block;
        ICLoadProblem problem;
        EXPECT_FALSE(Build(c.name, block, problem)) << c.name;
        EXPECT_EQ(block.Count(), 0) << c.name << ": nothing is built for a refused IC";
        EXPECT_EQ(problem.IC, c.ic) << c.name;
        EXPECT_EQ(problem.File, *c.file ? dir.File(c.file) : std::string()) << c.name;
        EXPECT_EQ(problem.Line, c.line) << c.name;
        EXPECT_EQ(problem.Text, c.text) << c.name;
        // The nesting check finds the same.
        ICLoader loader(Folder());
        ICLoadProblem checked;
        EXPECT_FALSE(loader.Check(c.name, 0, 0, checked)) << c.name;
        EXPECT_EQ(checked.Text, problem.Text) << c.name;
    }
    // A nested IC whose package changed since its container was saved keeps the container's.
    ICInstanceBlock block;
    ICLoadProblem problem;
    EXPECT_TRUE(Build("wide_inside", block, problem)) << ICProblemText(problem);
}

TEST_F(ICLoaderTest, InstancesAndCellsInUseCountTowardsTheLimits) {
    Install("inv.icd", "inv");
    ICLoader loader(Folder());
    ICLoadProblem problem;
    EXPECT_TRUE(loader.Check("inv", 254, 0, problem));
    EXPECT_FALSE(loader.Check("inv", 255, 0, problem));
    EXPECT_TRUE(loader.Check("inv", 0, kMaxICLevelCells - 6 * 9, problem));
    EXPECT_FALSE(loader.Check("inv", 0, kMaxICLevelCells - 6 * 9 + 1, problem));
}

TEST_F(ICLoaderTest, TheMessageNamesFileAndLine) {
    const ICLoadProblem p{"inv", "/ics/inv.icd", 12, "das geht nicht"};
    EXPECT_EQ(ICProblemText(p), "Das IC \"inv\" kann nicht geladen werden.\r\nDatei: "
                                "/ics/inv.icd\r\nZeile 12: Das geht nicht.");
}

TEST_F(ICLoaderTest, AFileDifferingOnlyInLetterCaseIsFoundWhenItIsTheOnlyOne) {
    Install("inv.icd", "INV");
    const std::string folder = Folder();
    EXPECT_EQ(FindICFile(folder, "inv"), dir.File("INV.icd"));
    test::WriteBytes(dir.File("Inv.ICD"), "x");
    EXPECT_EQ(FindICFile(folder, "inv"), std::nullopt) << "two candidates: neither is meant";
    test::WriteBytes(dir.File("inv.icd"), "x");
    EXPECT_EQ(FindICFile(folder, "inv"), dir.File("inv.icd")) << "the exact name wins";
    EXPECT_EQ(FindICFile(folder, "../inv"), std::nullopt);
    EXPECT_EQ(FindICFile(folder, ""), std::nullopt);
}

TEST_F(ICLoaderTest, TheICListHoldsPlainNamesOnce) {
    for (const char* f : {"b.icd", "A.ICD", "a.icd", "noext", "x.kdx", ".hidden.icd", "c d.icd"})
        test::WriteBytes(dir.File(f), "x");
    std::filesystem::create_directory(dir.File("ordner.icd"));
    EXPECT_EQ(ListICNames(Folder()), (std::vector<std::string>{"A", "a", "b", "c d"}));
}

TEST_F(ICLoaderTest, CopyingNeverReplacesAFile) {
    test::WriteBytes(dir.File("quelle.icd"), "neu");
    test::WriteBytes(dir.File("ziel.icd"), "alt");
    std::string reason;
    EXPECT_FALSE(CopyFileNoOverwrite(dir.File("quelle.icd"), dir.File("ziel.icd"), reason));
    EXPECT_EQ(reason, "eine Datei dieses Namens ist schon vorhanden");
    EXPECT_EQ(test::ReadBytes(dir.File("ziel.icd")), "alt");
    EXPECT_TRUE(CopyFileNoOverwrite(dir.File("quelle.icd"), dir.File("neu.icd"), reason));
    EXPECT_EQ(test::ReadBytes(dir.File("neu.icd")), "neu");
    EXPECT_EQ(test::CountEntries(dir.Path()), 3) << "no temporary file is left";
    EXPECT_FALSE(CopyFileNoOverwrite(dir.File("quelle.icd"), dir.File("fehlt/neu.icd"), reason));
    EXPECT_EQ(test::CountEntries(dir.Path()), 3);
}

} // namespace
} // namespace kardo
