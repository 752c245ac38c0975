// Temporary files beside the file a write makes: never through a link planted at a name.
#include "platform/temp_file.h"
#include "support/circuit_files.h"

#include <filesystem>
#include <unistd.h>

#include <gtest/gtest.h>

namespace kardo {
namespace {

// Temporary files had predictable names and followed a link planted there; a taken name, by a
// link to a file or a dangling one, is passed over, and the names are random.
TEST(TempFileTest, TakenNamesArePassedOverAndNoLinkIsFollowed) {
    test::TempDir dir;
    test::WriteBytes(dir.File("opfer"), "unberührt");
    std::filesystem::create_symlink(dir.File("opfer"), dir.File(".ziel.aaa"));
    std::filesystem::create_symlink(dir.File("fehlt"), dir.File(".ziel.bbb"));
    const char* guesses[] = {"aaa", "bbb", "ccc"};
    int next = 0;
    std::string path, a, b;
    const int fd =
        CreateTempFileBeside(dir.File("ziel"), 0644, path, [&] { return guesses[next++]; });
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, "x", 1), 1);
    ::close(fd);
    EXPECT_EQ(path, dir.File(".ziel.ccc"));
    EXPECT_EQ(test::ReadBytes(dir.File("opfer")), "unberührt");
    EXPECT_FALSE(std::filesystem::exists(dir.File("fehlt")));

    ::close(CreateTempFileBeside(dir.File("ziel"), 0600, a));
    ::close(CreateTempFileBeside(dir.File("ziel"), 0600, b));
    EXPECT_NE(a, b);
    EXPECT_EQ(a.size(), dir.File(".ziel.").size() + 12);
}

} // namespace
} // namespace kardo
