#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

// A fresh folder under the system's temporary folder, removed with everything in it when the
// object goes. `path()` ends with "/", as the quiz file parser wants its folder.
class TempFolder {
public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quiztest-XXXXXX").string();
    if (mkdtemp(pattern.data())) root = pattern;
  }
  ~TempFolder() {
    std::error_code ignored;
    if (!root.empty()) std::filesystem::remove_all(root, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  bool ok() const { return !root.empty(); }
  std::string path() const { return root + "/"; }

  // Writes a file at `relative` (its folders made as needed) and returns its full path.
  std::string write(const std::string& relative, const std::string& bytes) const {
    const std::filesystem::path full = std::filesystem::path(root) / relative;
    std::filesystem::create_directories(full.parent_path());
    if (std::FILE* file = std::fopen(full.c_str(), "wb")) {
      std::fwrite(bytes.data(), 1, bytes.size(), file);
      std::fclose(file);
    }
    return full.string();
  }
  std::string write(const std::string& relative, const std::vector<std::uint8_t>& bytes) const {
    return write(relative, std::string(bytes.begin(), bytes.end()));
  }

private:
  std::string root;
};
