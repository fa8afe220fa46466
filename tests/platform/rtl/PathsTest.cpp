#include "platform/rtl/Paths.h"

#include <gtest/gtest.h>

#include <filesystem>

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

}  // namespace
}  // namespace kel
