#pragma once
// Attachment folders and pictures of vehicles, contacts and catalogue
// entries.
//
// An entry's folder is the attachment root (setting [attachments]
// attachpath, default "attach\") followed by the entry's tag and its ID in
// decimal, left-padded with "0" to at least five digits: concern 7 ->
// attach\GRP00007, manufacturer 123456 -> attach\MAN123456. Tags: "GRP",
// "MAN", "MOD", "ENG", "STP", "CAR" (vehicles), "CON" (contacts). The paths
// are virtual (data file system).

#include <cstdint>
#include <string>

class IFileSystem;

// A root without a trailing "\" still gets one, so that every folder lies
// directly under the root. The result has no trailing "\".
std::string EntryAttachmentFolder(const std::string& root, const std::string& tag, int32_t id);

// The entry's picture, a virtual path, or empty. When the folder exists, its
// files matching "*.JPG" (any letter case) are listed in the order the file
// system gives; the first whose upper-cased name contains "LOGO" or "FOTO"
// is the picture, else the last one listed.
std::string FindEntryPicture(IFileSystem& fileSystem, const std::string& root, const std::string& tag, int32_t id);
// On the virtual file system, as a real path (for decoding), or empty.
std::string FindEntryPictureFile(const std::string& root, const std::string& tag, int32_t id);

// Where a picture of the given size is drawn in a square of side `side`:
// scaled by the smaller of side/width and side/height (single precision),
// sizes rounded and at least 2 pixels, centred. A non-positive size gives a
// 2 x 2 square at the top left.
struct TPictureRect {
  int x = 0, y = 0, width = 2, height = 2;
};
TPictureRect CataloguePictureRect(int pictureWidth, int pictureHeight, int side);
