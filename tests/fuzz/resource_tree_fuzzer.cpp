// Any bytes as an executable and its resources. Whatever reads without error is written back as
// the packer writes it, into the same image, and must read back as the same entries.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "tools/quiztool/executable/pe_image.h"
#include "tools/quiztool/executable/resource_tree.h"

namespace {

// The directory keeps its own order; compare the entries in one fixed order.
std::vector<ResourceEntry> sorted(std::vector<ResourceEntry> entries) {
  const auto key = [](const ResourceEntry& e) {
    return std::tie(e.type.id, e.type.name, e.name.id, e.name.name, e.language, e.codePage, e.data);
  };
  std::sort(entries.begin(), entries.end(),
            [&](const ResourceEntry& a, const ResourceEntry& b) { return key(a) < key(b); });
  return entries;
}

bool sameEntries(const ResourceTree& a, const ResourceTree& b) {
  const std::vector<ResourceEntry> x = sorted(a.entries), y = sorted(b.entries);
  if (x.size() != y.size()) return false;
  for (std::size_t i = 0; i < x.size(); ++i) {
    if (!(x[i].type == y[i].type) || !(x[i].name == y[i].name) || x[i].language != y[i].language ||
        x[i].codePage != y[i].codePage || x[i].data != y[i].data)
      return false;
  }
  return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  PeImage image;
  ResourceTree tree;
  std::string error;
  if (!parsePeImage(std::vector<std::uint8_t>(data, data + size), image, error) ||
      !readResourceTree(image, tree, error))
    return 0;
  const std::vector<std::uint8_t> written = writeResourceTree(tree, resourceSectionRva(image));
  if (!installResourceSection(image, written, error)) return 0; // for example no room left
  PeImage packed;
  ResourceTree again;
  if (!parsePeImage(image.bytes, packed, error) || !readResourceTree(packed, again, error) ||
      !sameEntries(tree, again))
    __builtin_trap();
  return 0;
}
