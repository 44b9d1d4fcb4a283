#pragma once
// The work of the attachments window on the attachment tree: new folders,
// text files and links, attaching files and folders from elsewhere, renaming,
// describing and deleting. Every operation says what went wrong in Czech.
//
// Guarantees: an existing entry is never overwritten or truncated; a folder
// is never copied or moved into itself; a data folder and the attachment
// root are never moved; deletion never follows a symbolic link and never
// reaches outside the attachment root; names are checked
// (AttachmentNameError) before anything is made.

#include <cstdint>
#include <string>
#include <vector>

class IFileSystem;
class CVirtualFileSystem;

// Where the attachment tree lies.
struct TAttachmentPlace {
  IFileSystem* fs = nullptr;  // the data file system
  std::string root;           // virtual, such as "attach\" (a trailing "\" optional)
  // Host folders that are never moved away: the data folders and the
  // attachment root in each of them.
  std::vector<std::string> protectedFolders;

  // The root without its trailing "\".
  std::string Root() const;
};

// The place on the data file system: its mounts and their roots protected.
TAttachmentPlace AttachmentPlaceOf(CVirtualFileSystem& fs, const std::string& root);

struct TAttachResult {
  bool ok = false;
  std::string path;   // the new entry (virtual)
  std::string error;  // Czech, for a "Chyba" box
};

// Attach modes, as the mode dialog numbers them.
enum class TAttachMode { Link = 0, Copy = 1, Move = 2 };

// Entries of a folder: names, files and folders, description files left
// out, in the file system's order.
std::vector<std::string> AttachmentEntries(const TAttachmentPlace& place, const std::string& folder);
// Every folder directly under the root.
std::vector<std::string> AttachmentRootFolders(const TAttachmentPlace& place);

bool AttachmentIsFolder(const TAttachmentPlace& place, const std::string& path);
bool AttachmentIsFile(const TAttachmentPlace& place, const std::string& path);
// A symbolic link on the disk: shown, never entered.
bool AttachmentIsLink(const TAttachmentPlace& place, const std::string& path);
// Bytes of a file, -1 for a folder or a missing entry.
int64_t AttachmentSize(const TAttachmentPlace& place, const std::string& path);
std::string AttachmentRealPath(const TAttachmentPlace& place, const std::string& path);

// New entries in `folder` (made when missing).
TAttachResult CreateAttachmentFolder(const TAttachmentPlace& place, const std::string& folder, const std::string& name);
// An empty "<name>.txt".
TAttachResult CreateTextAttachment(const TAttachmentPlace& place, const std::string& folder, const std::string& name);
// "<title>.URL" holding the address.
TAttachResult CreateWebLinkAttachment(const TAttachmentPlace& place, const std::string& folder,
                                      const std::string& title, const std::string& address);
// A file or folder from elsewhere (a host path) as a link, a copy (a folder
// with its tree, description files left out) or moved here.
TAttachResult AttachExisting(const TAttachmentPlace& place, const std::string& folder, const std::string& source,
                             TAttachMode mode);

// Renames within its folder; a file's description goes along.
TAttachResult RenameAttachment(const TAttachmentPlace& place, const std::string& path, const std::string& newName);
// The entry (a file, or a folder with everything in it), then its
// description when that is a file of its own.
TAttachResult DeleteAttachment(const TAttachmentPlace& place, const std::string& path);

// The description's text, "" when there is none. A file written in UTF-8 is
// read as such; others are Windows-1250.
std::string ReadAttachmentDescription(const TAttachmentPlace& place, const std::string& path);
// Writes the description when it differs from the stored one (its folder is
// made when missing); the stored encoding is kept.
bool WriteAttachmentDescription(const TAttachmentPlace& place, const std::string& path, const std::string& text);
