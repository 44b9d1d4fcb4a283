#include "catalogues/VinPatterns.h"

#include "catalogues/VinFile.h"
#include "storage/FileSystemSetup.h"

TVINPatterns& VinPatterns() {
  static TVINPatterns patterns;
  return patterns;
}

S_FileName VinPatternFile() { return VirtualFile(kVINFileName); }

S_FileName VinPatternFileForSaving() {
  CVirtualFileSystem& vfs = GetVirtualFS();
  const std::string real = vfs.GetRealPath(kVINFileName);
  const std::string& program = FileSystemFolders().programDir;
  const std::string& data = vfs.GetDefaultPath();
  if (!program.empty() && data != program && real.rfind(program, 0) == 0) return RealFile(data + kVINFileName);
  return VirtualFile(kVINFileName);
}

void LoadVINPatterns(TVINPatterns& patterns, const TCatalogue& catalogue, const S_FileName& file) {
  patterns.tree = ReadVINTree(file, catalogue);
  patterns.loaded = true;
}

bool SaveVINPatterns(const TVINPatterns& patterns, const TCatalogue& catalogue, const S_FileName& file) {
  return WriteVINTree(patterns.tree, file, catalogue);
}

TVINDecoded DecodeVIN(const TCatalogue& catalogue, const std::string& vin, int depth) {
  TVINPatterns& patterns = VinPatterns();
  if (!patterns.loaded) LoadVINPatterns(patterns, catalogue, VinPatternFile());
  return DecodeVIN(patterns.tree, vin, depth);
}
