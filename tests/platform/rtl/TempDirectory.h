// A fresh directory under the system temp directory, removed with everything in it at the end
// of the test that made it.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace kel::testing_support {

class TTempDirectory {
 public:
  TTempDirectory() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kel-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    FPath = pattern;
  }
  ~TTempDirectory() {
    std::error_code ignored;
    std::filesystem::permissions(FPath, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(FPath, ignored);
  }
  TTempDirectory(const TTempDirectory&) = delete;
  TTempDirectory& operator=(const TTempDirectory&) = delete;

  // Path of `name` inside the directory.
  std::string File(const std::string& name) const { return (FPath / name).string(); }
  std::string Path() const { return FPath.string(); }

 private:
  std::filesystem::path FPath;
};

}  // namespace kel::testing_support
