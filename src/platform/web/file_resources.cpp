// The browser build's resources: files in the language's picture package,
// /quandrel/resources/<id>.png and each language's variants in
// /quandrel/resources/<language>/<id>.png, rather than compiled into the
// module, so that a page downloads only its own language's, and only after
// its splash. Each folder is read once, on first use.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/resources.hpp"

namespace {

struct FileTable {
  std::vector<std::pair<uint32_t, std::vector<uint8_t>>> files;  // sorted by id
  std::vector<ResourceEntry> entries;
  ResourceTable table;
};

// The id of "<digits>.png", or false for any other name.
bool resourceId(const std::filesystem::path& file, uint32_t& id) {
  const std::string stem = file.stem().string();
  if (file.extension() != ".png" || stem.empty() || stem.size() > 9) return false;
  if (!std::all_of(stem.begin(), stem.end(), [](char c) { return c >= '0' && c <= '9'; })) return false;
  id = static_cast<uint32_t>(std::stoul(stem));
  return true;
}

constexpr const char* ResourceFolder = "/quandrel/resources";

std::unique_ptr<FileTable> readFolder(const std::string& folder) {
  auto table = std::make_unique<FileTable>();
  std::error_code error;
  for (const auto& item : std::filesystem::directory_iterator(folder, error)) {
    uint32_t id = 0;
    if (!item.is_regular_file(error) || !resourceId(item.path(), id)) continue;
    std::ifstream in(item.path(), std::ios::binary);
    std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in.bad() && !bytes.empty()) table->files.emplace_back(id, std::move(bytes));
  }
  if (table->files.empty()) return nullptr;
  std::sort(table->files.begin(), table->files.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& [id, bytes] : table->files) table->entries.push_back({id, bytes.data(), bytes.size()});
  table->table.entries = table->entries;
  return table;
}

}  // namespace

const ResourceTable& compiledResources() {
  static const std::unique_ptr<FileTable> files = readFolder(ResourceFolder);
  static const ResourceTable none;
  return files ? files->table : none;
}

const ResourceTable* compiledResourcesFor(std::string_view language) {
  // Only a plain language code names a folder.
  if (language.empty() ||
      !std::all_of(language.begin(), language.end(), [](char c) { return (c >= 'a' && c <= 'z') || c == '_'; }))
    return nullptr;
  static std::map<std::string, std::unique_ptr<FileTable>, std::less<>> tables;
  auto found = tables.find(language);
  if (found == tables.end()) {
    found = tables.emplace(std::string(language), readFolder(std::string(ResourceFolder) + '/' + std::string(language))).first;
  }
  return found->second ? &found->second->table : nullptr;
}
