#pragma once
// The VIN pattern file "db_vin.txt": Windows-1250 text with CR LF line ends.
//
//   VIN=<mask>        opens an entry: a child of the open entry, or a
//                     top-level entry when none is open
//   manuf=<make>      fields of the open entry; make, model, subtype and
//   model=<model>     engine may begin with "%{" + catalogue ID + "}", and
//   subtype=<subtype> then name the catalogue record's current name when it
//   engine=<engine>   can be read (else the text after the prefix)
//   info=<text>       "%0D%0A" stands for a line break
//   reference=<mask>
//   END               closes the open entry; at top level it ends the file
//
// Lines are trimmed; keys are case-sensitive; other lines are ignored.

#include <string>

#include "catalogues/CatalogueStores.h"
#include "catalogues/VinTree.h"
#include "storage/FileSystem.h"

// The tree of the text; the catalogue resolves "%{ID}" prefixes.
TVINTree ParseVINTree(const std::vector<std::string>& lines, const TCatalogue& catalogue);
// The tree of the file; a missing or unreadable file gives an empty tree.
TVINTree ReadVINTree(const S_FileName& file, const TCatalogue& catalogue);

// The lines of the tree, entry by entry in tree order, with "%{ID}" before
// every make, model, subtype and engine that the catalogue knows (found with
// the entry's effective make and model).
std::vector<std::string> FormatVINTree(const TVINTree& tree, const TCatalogue& catalogue);
// Rewrites the file (through a temporary file beside it, so that a failed
// write leaves the old file whole). False when it cannot be written.
bool WriteVINTree(const TVINTree& tree, const S_FileName& file, const TCatalogue& catalogue);
