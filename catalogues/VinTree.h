#pragma once
// The tree of VIN patterns kept by the VIN manager. Each node stands for the
// vehicles whose VIN matches its mask; a child refines its parent: its mask
// is laid over the parent's, and it inherits the parent's make, model,
// subtype and engine where it has none of its own.

#include <memory>
#include <string>
#include <vector>

struct TVINEntry;
using TVINEntries = std::vector<std::unique_ptr<TVINEntry>>;

struct TVINEntry {
  std::string mask;       // up to 17 position tokens
  std::string manuf;      // make, or empty
  std::string model;
  std::string subtype;
  std::string engine;
  std::string info;       // free text; line breaks are CR LF
  std::string reference;  // a reference mask, or empty

  TVINEntry* parent = nullptr;  // null for a top-level entry
  TVINEntries children;
};

struct TVINTree {
  TVINEntries entries;  // the top-level entries
};

// The node's own texts, without its place in the tree.
struct TVINFields {
  std::string mask, manuf, model, subtype, engine, info, reference;
};
TVINFields FieldsOf(const TVINEntry& entry);

// The effective entry: the node's mask overlaid on its ancestors' (a
// descendant's non-wildcard positions win), make, model, subtype and engine
// each the first non-empty one met going up from the node; info and
// reference are the node's own.
TVINFields EffectiveVINEntry(const TVINEntry& entry);

// Make, model, subtype and engine as an ancestor defines them (empty where
// no ancestor does): the manager shows them in disabled boxes.
TVINFields InheritedVINValues(const TVINEntry& entry);

// Stores what the manager's edit panel holds: the mask (upper case); each of
// make, model, subtype and engine trimmed, or empty where an ancestor
// defines it; info and reference trimmed, the info's line breaks as CR LF.
void StoreVINPanel(TVINEntry& entry, const TVINFields& panel);

// Edits of the manager. Each returns the new entry.
TVINEntry* AddTopLevelVINEntry(TVINTree& tree);
TVINEntry* AddVINSubEntry(TVINEntry& parent);
// A copy of the entry's seven texts (not its children), appended as its last
// sibling.
TVINEntry* DuplicateVINEntry(TVINTree& tree, const TVINEntry& entry);
// Removes the entry with all its descendants.
void DeleteVINEntry(TVINTree& tree, const TVINEntry& entry);

// The list the entry is in: its parent's children or the top level.
TVINEntries& SiblingsOf(TVINTree& tree, const TVINEntry& entry);

// The lines of the manager's tree.
enum class TVINSortMode { ByMask, ByDescription };
// ByMask ("Podle VIN kódu"): mask (manuf model subtype engine; info), the
// info's CR shown as "|" and LF dropped. ByDescription ("Podle popisu"):
// make, model, subtype and engine each with a space after it, empty ones left
// out, then (mask).
std::string VINEntryLine(const TVINEntry& entry, TVINSortMode mode);
// Sorts every level by line text, case-insensitively (Czech order).
void SortVINTree(TVINTree& tree, TVINSortMode mode);

// Calls `visit` for every node in depth-first pre-order.
template <typename F>
void ForEachVINEntry(const TVINEntries& entries, F&& visit) {
  for (const auto& e : entries) {
    visit(*e);
    ForEachVINEntry(e->children, visit);
  }
}
