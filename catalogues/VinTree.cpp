#include "catalogues/VinTree.h"

#include <algorithm>

#include "catalogues/VinMask.h"
#include "storage/Codec.h"
#include "storage/Collation.h"
#include "storage/TextUtils.h"

namespace {

std::string UpperText(const std::string& utf8) {
  std::string bytes = Utf8ToCp1250(utf8);
  for (char& c : bytes) c = static_cast<char>(Cp1250Upper(static_cast<unsigned char>(c)));
  return Cp1250ToUtf8(bytes);
}

std::string CrLfBreaks(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out += "\r\n";
    } else if (text[i] == '\n') {
      out += "\r\n";
    } else {
      out += text[i];
    }
  }
  return out;
}

void FirstNonEmpty(std::string& target, const std::string& value) {
  if (target.empty()) target = value;
}

void SortLevel(TVINEntries& entries, TVINSortMode mode) {
  std::stable_sort(entries.begin(), entries.end(), [mode](const auto& a, const auto& b) {
    return CzechCompare(VINEntryLine(*a, mode), VINEntryLine(*b, mode)) < 0;
  });
  for (auto& e : entries) SortLevel(e->children, mode);
}

}  // namespace

TVINFields FieldsOf(const TVINEntry& e) {
  return TVINFields{e.mask, e.manuf, e.model, e.subtype, e.engine, e.info, e.reference};
}

TVINFields EffectiveVINEntry(const TVINEntry& entry) {
  TVINFields out = FieldsOf(entry);
  out.mask = NormalizeVINMask(entry.mask);
  for (const TVINEntry* p = entry.parent; p; p = p->parent) {
    out.mask = OverlayVINMask(out.mask, p->mask);
    FirstNonEmpty(out.manuf, p->manuf);
    FirstNonEmpty(out.model, p->model);
    FirstNonEmpty(out.subtype, p->subtype);
    FirstNonEmpty(out.engine, p->engine);
  }
  return out;
}

TVINFields InheritedVINValues(const TVINEntry& entry) {
  TVINFields out;
  for (const TVINEntry* p = entry.parent; p; p = p->parent) {
    FirstNonEmpty(out.manuf, p->manuf);
    FirstNonEmpty(out.model, p->model);
    FirstNonEmpty(out.subtype, p->subtype);
    FirstNonEmpty(out.engine, p->engine);
  }
  return out;
}

void StoreVINPanel(TVINEntry& entry, const TVINFields& panel) {
  const TVINFields inherited = InheritedVINValues(entry);
  auto own = [](const std::string& fromAncestor, const std::string& typed) {
    return fromAncestor.empty() ? TrimBlanks(typed) : std::string();
  };
  entry.mask = UpperText(panel.mask);
  entry.manuf = own(inherited.manuf, panel.manuf);
  entry.model = own(inherited.model, panel.model);
  entry.subtype = own(inherited.subtype, panel.subtype);
  entry.engine = own(inherited.engine, panel.engine);
  entry.info = TrimBlanks(CrLfBreaks(panel.info));
  entry.reference = TrimBlanks(panel.reference);
}

TVINEntry* AddTopLevelVINEntry(TVINTree& tree) {
  tree.entries.push_back(std::make_unique<TVINEntry>());
  return tree.entries.back().get();
}

TVINEntry* AddVINSubEntry(TVINEntry& parent) {
  parent.children.push_back(std::make_unique<TVINEntry>());
  parent.children.back()->parent = &parent;
  return parent.children.back().get();
}

TVINEntries& SiblingsOf(TVINTree& tree, const TVINEntry& entry) {
  return entry.parent ? entry.parent->children : tree.entries;
}

TVINEntry* DuplicateVINEntry(TVINTree& tree, const TVINEntry& entry) {
  auto copy = std::make_unique<TVINEntry>();
  const TVINFields f = FieldsOf(entry);
  copy->mask = f.mask;
  copy->manuf = f.manuf;
  copy->model = f.model;
  copy->subtype = f.subtype;
  copy->engine = f.engine;
  copy->info = f.info;
  copy->reference = f.reference;
  copy->parent = entry.parent;
  TVINEntries& siblings = SiblingsOf(tree, entry);
  siblings.push_back(std::move(copy));
  return siblings.back().get();
}

void DeleteVINEntry(TVINTree& tree, const TVINEntry& entry) {
  TVINEntries& siblings = SiblingsOf(tree, entry);
  siblings.erase(std::remove_if(siblings.begin(), siblings.end(), [&](const auto& e) { return e.get() == &entry; }),
                 siblings.end());
}

std::string VINEntryLine(const TVINEntry& e, TVINSortMode mode) {
  if (mode == TVINSortMode::ByMask)
    return e.mask + " (" + e.manuf + " " + e.model + " " + e.subtype + " " + e.engine + "; " + OneLine(e.info, "|") + ")";
  std::string line;
  for (const std::string* s : {&e.manuf, &e.model, &e.subtype, &e.engine})
    if (!s->empty()) line += *s + " ";
  return line + "(" + e.mask + ")";
}

void SortVINTree(TVINTree& tree, TVINSortMode mode) { SortLevel(tree.entries, mode); }
