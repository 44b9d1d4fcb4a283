#pragma once
// Names and small texts of the attachment tree: which folders belong to a
// vehicle, contact or catalogue entry, where descriptions are kept, which
// names a user may give, file sizes as text, and the two kinds of link file
// the attachments window makes.
//
// Paths are virtual (data file system, "\" separated) unless said otherwise.

#include <cstdint>
#include <string>

// The seven owner tags of entity folders.
bool IsAttachmentTag(const std::string& tag);
// The last component is exactly 8 characters: a tag and five digits
// ("CAR00042"). An entity folder need not exist.
bool IsEntityFolder(const std::string& path);
// Tag and ID of an entity folder's last component; false for other paths.
bool EntityFolderOwner(const std::string& path, std::string& tag, int32_t& id);

// The last component of a virtual or host path (a trailing separator is
// ignored), and the folder part before it (empty for a bare name).
std::string LastComponent(const std::string& path);
std::string ParentPath(const std::string& path);
// The extension with its dot ("" when none; a leading dot is no extension).
std::string FileExtension(const std::string& name);

// "folderdesc.txt" inside a folder; the file itself for a ".txt" file (any
// letter case); else the file's name with ".desc.txt" appended.
std::string DescriptionFileOf(const std::string& path, bool isFolder);
// "folderdesc.txt" and every name ending in ".desc.txt" (any letter case):
// kept beside the entries, never shown as entries.
bool IsDescriptionFile(const std::string& name);

// "Neplatný název!" for a name the user may not give an entry: empty or
// blank, ".", "..", a leading ".", one of \ / * ? : | " < >, or a
// description file's name. Empty when the name is fine.
std::string AttachmentNameError(const std::string& name);

// True when the bytes are well-formed UTF-8 (files from this desktop are;
// files from the program's own past are Windows-1250).
bool IsUtf8Text(const std::string& bytes);

// The renamed entry's name: `typed`, or with the old extension put back
// when the user keeps it.
std::string RenamedName(const std::string& oldName, const std::string& typed, bool keepOldExtension);

// Size as shown under "Velikost souboru:": 999 B, 1,2 kB, 16,0 kB, 25 kB.
std::string FileSizeText(int64_t bytes);

// Web links. An address without "://" gets "http://" in front.
std::string WebAddress(const std::string& typed);
// The title proposed when none was fetched: the characters after "://",
// letters A-Z, a-z and "." kept, every other one "-".
std::string TitleFromAddress(const std::string& address);
// A title made fit for a file name: longer than 32 characters is cut to 32
// and gets "..."; " / : < > ? \ | become "#".
std::string FileTitle(const std::string& title);
// The web-link file: "[InternetShortcut]" and "URL=" + address, CR LF.
std::string WebLinkFileText(const std::string& address);
// The address of a web-link file's text, or "".
std::string WebLinkAddress(const std::string& fileText);

// A link to a file or folder elsewhere (the entry "<name>.LNK"): a desktop
// entry of type Link naming the target (a host path) and its folder as the
// working folder.
std::string ShellLinkFileText(const std::string& targetRealPath);
// The target of a link file's text, or "".
std::string ShellLinkTarget(const std::string& fileText);
