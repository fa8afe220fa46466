#include "platform/rtl/Paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TempDirectory.h"

namespace kel {
namespace {

struct PathCase {
  const char* Path;
  const char* WithIni;   // ChangeFileExt(Path, ".ini")
  const char* Extension;
  const char* Name;
  const char* Directory;
};

const PathCase PathCases[] = {
    {"/a/b/c.txt", "/a/b/c.ini", ".txt", "c.txt", "/a/b/"},
    {"/a.dir/file", "/a.dir/file.ini", "", "file", "/a.dir/"},
    {"archive.tar.gz", "archive.tar.ini", ".gz", "archive.tar.gz", ""},
    {"/a/b/", "/a/b/.ini", "", "", "/a/b/"},
};

TEST(Paths, TakingPathsApart) {
  for (const PathCase& c : PathCases) {
    SCOPED_TRACE(c.Path);
    EXPECT_EQ(ChangeFileExt(c.Path, ".ini"), c.WithIni);
    EXPECT_EQ(ExtractFileExt(c.Path), c.Extension);
    EXPECT_EQ(ExtractFileName(c.Path), c.Name);
    EXPECT_EQ(ExtractFilePath(c.Path), c.Directory);
    EXPECT_EQ(ExtractFilePath(c.Path) + ExtractFileName(c.Path), c.Path);
  }
  EXPECT_EQ(ChangeFileExt("/a/b.txt", ""), "/a/b");
  EXPECT_EQ(IncludeTrailingPathDelimiter("/a"), "/a/");
  EXPECT_EQ(IncludeTrailingPathDelimiter("/a/"), "/a/");
}

TEST(Paths, ExeNameIsTheRunningProgram) {
  const String exe = ExeName();
  EXPECT_TRUE(std::filesystem::equivalent(exe, "/proc/self/exe"));
}

TEST(Paths, FileSystemQueriesAndForceDirectories) {
  testing_support::TTempDirectory directory;
  const String file = directory.File("plain.txt");
  std::ofstream(file) << "x";
  const String nested = directory.File("one/two/three");

  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(DirectoryExists(file));
  EXPECT_FALSE(FileExists(directory.Path()));
  EXPECT_TRUE(ForceDirectories(nested));
  EXPECT_TRUE(DirectoryExists(nested));
  EXPECT_FALSE(ForceDirectories(file + "/below-a-file"));
}

}  // namespace
}  // namespace kel
