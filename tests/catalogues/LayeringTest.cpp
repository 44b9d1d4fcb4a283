#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

// The "#include \"x/...\"" folders a source folder of the core may name: the
// lower layers only, so that nothing below reaches up into the shell or the
// windows.
void ExpectIncludesOnly(const std::string& folder, const std::vector<std::string>& allowed) {
  namespace fs = std::filesystem;
  const fs::path root = fs::path(GARVEL_SOURCE_DATA_DIR).parent_path();
  for (const fs::directory_entry& e : fs::directory_iterator(root / folder)) {
    std::ifstream in(e.path());
    std::string line;
    while (std::getline(in, line)) {
      if (line.rfind("#include \"", 0) != 0) continue;
      const std::string target = line.substr(10, line.find('/', 10) - 10);
      bool ok = false;
      for (const std::string& a : allowed) ok = ok || target == a;
      EXPECT_TRUE(ok) << e.path().filename().string() << ": " << line;
    }
  }
}

}  // namespace

TEST(Layering, StorageAndCataloguesPointOnlyDown) {
  ExpectIncludesOnly("storage", {"storage"});
  // The contact list prints through the page printer.
  ExpectIncludesOnly("catalogues", {"storage", "documents", "catalogues"});
}
