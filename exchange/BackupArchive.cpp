#include "exchange/BackupArchive.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

#include "exchange/BackupNames.h"
#include "storage/Codec.h"
#include "storage/Random.h"
#include "storage/RealFileSystem.h"
#include "storage/TextUtils.h"

namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

class TArchiveWriter {
 public:
  TArchiveWriter(const TBackupReport& report, TBackupResult& result) : report_(report), result_(result) {}
  ~TArchiveWriter() {
    if (zip_) zip_discard(zip_);
  }

  bool Open(const std::string& path) {
    int error = 0;
    zip_ = zip_open(path.c_str(), ZIP_CREATE | ZIP_EXCL, &error);
    if (zip_) return true;
    zip_error_t e;
    zip_error_init_with_code(&e, error);
    Error(std::string("Archiv nelze vytvořit: ") + zip_error_strerror(&e));
    zip_error_fini(&e);
    return false;
  }

  void AddText(const std::string& name, std::string bytes) {
    texts_.push_back(std::move(bytes));  // must live until the archive is written
    const std::string& kept = texts_.back();
    zip_source_t* source = zip_source_buffer(zip_, kept.data(), kept.size(), 0);
    if (!source || zip_file_add(zip_, name.c_str(), source, ZIP_FL_ENC_UTF_8) < 0) {
      if (source) zip_source_free(source);
      Fail(name);
    }
  }

  // Adds the mount's tree under `folder`; false when the mount is not there.
  // A mount that is there but cannot be opened fails the backup: its files
  // would be missing from an archive reported as good.
  bool AddMount(const std::string& source, const std::string& folder) {
    int fd = ::open(source.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
      if (errno == ENOENT || errno == ENOTDIR) return false;
      Fail(source + "/");
      return true;
    }
    AddFolderEntry(folder);
    AddTree(fd, source, folder);
    return true;
  }

  // Writes the archive; false on any failure so far or now.
  bool Close() {
    if (!result_.failures.empty() || Cancelled()) return false;
    zip_register_cancel_callback_with_state(zip_, &TArchiveWriter::Cancel, nullptr, this);
    if (report_.progress) report_.progress(0);
    if (zip_close(zip_) == 0) {
      zip_ = nullptr;
      if (report_.progress) report_.progress(1);
      return true;
    }
    // A file that failed on reading has named itself already.
    if (!Cancelled() && result_.failures.empty()) Error(std::string("Chyba při zápisu archivu: ") + zip_strerror(zip_));
    return false;
  }

  bool Cancelled() {
    if (!result_.cancelled && report_.cancelled && report_.cancelled()) result_.cancelled = true;
    return result_.cancelled;
  }

 private:
  void Log(const std::string& line) {
    if (report_.log) report_.log(line);
  }
  void Error(const std::string& line) {
    Log(line);
    result_.errors.push_back(TrimBlanks(line));
  }

  void Fail(const std::string& fileName) {
    Error("\tChyba - soubor " + Quoted(fileName) + " nebyl vložen do archivu");
    result_.failures.push_back(S_ArchiveItem{fileName, ""});
  }

  void AddFolderEntry(const std::string& name) {
    if (zip_dir_add(zip_, name.c_str(), ZIP_FL_ENC_UTF_8) < 0) Fail(name + "/");
  }

  // A name that the archive would read as a path of its own ("\" is a
  // separator to some unpackers) is stored with "_" instead.
  std::string EntryName(const std::string& folder, const std::string& name) {
    std::string safe = name;
    if (safe.find('\\') != std::string::npos) {
      std::replace(safe.begin(), safe.end(), '\\', '_');
      Log("\tSoubor " + Quoted(folder + "/" + name) + " je v archivu uložen jako " + Quoted(safe));
    }
    return folder + "/" + safe;
  }

  // Entries of an open folder in name order; the folder fd is closed.
  static bool ListFolder(int fd, std::vector<std::string>& names) {
    DIR* dir = ::fdopendir(fd);
    if (!dir) {
      ::close(fd);
      return false;
    }
    errno = 0;
    while (dirent* e = ::readdir(dir)) {
      if (e->d_name[0] == '.') continue;  // ".", ".." and hidden entries
      names.emplace_back(e->d_name);
    }
    const bool ok = errno == 0;
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return ok;
  }

  void AddTree(int fd, const std::string& path, const std::string& folder) {
    std::vector<std::string> names;
    const int listFd = ::dup(fd);
    if (listFd < 0 || !ListFolder(listFd, names)) Fail(path + "/");
    for (const std::string& name : names) {
      if (Cancelled()) break;
      const std::string full = path + "/" + name;
      struct stat st;
      if (::fstatat(fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
        Fail(full);
        continue;
      }
      if (S_ISLNK(st.st_mode)) {
        Log("\tOdkaz " + Quoted(full) + " není zálohován (vede mimo zálohovanou složku)");
        continue;
      }
      const std::string entry = EntryName(folder, name);
      if (S_ISDIR(st.st_mode)) {
        int child = ::openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (child < 0) {
          Fail(full + "/");
          continue;
        }
        AddFolderEntry(entry);
        AddTree(child, full, entry);
      } else if (S_ISREG(st.st_mode)) {
        AddFile(fd, name, full, entry);
      }
      // Sockets, pipes and devices are not data.
    }
    ::close(fd);
  }

  void AddFile(int folderFd, const std::string& name, const std::string& full, const std::string& entry) {
    // Unreadable files are found now, by name, rather than as one anonymous
    // error when the archive is written.
    int probe = ::openat(folderFd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    struct stat st;
    if (probe < 0 || ::fstat(probe, &st) != 0) {
      if (probe >= 0) ::close(probe);
      Fail(full);
      return;
    }
    ::close(probe);
    auto* file = new TFileSource{this, full, static_cast<zip_uint64_t>(st.st_size), st.st_mtime};
    zip_source_t* source = zip_source_function(zip_, &TFileSource::Callback, file);
    if (!source) {
      delete file;
      Fail(full);
      return;
    }
    const zip_int64_t index = zip_file_add(zip_, entry.c_str(), source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
      zip_source_free(source);
      Fail(full);
      return;
    }
    // The fastest deflate: data files shrink about tenfold even so, and a
    // backup of a large data folder stays within seconds.
    zip_set_file_compression(zip_, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 1);
    total_ += static_cast<zip_uint64_t>(st.st_size) + kFileWeight;
    ++result_.files;
  }

  // A file read as the archive is written: reports the bytes read as
  // progress, stops on cancellation, and names the file when it fails.
  struct TFileSource {
    TArchiveWriter* writer;
    std::string path;
    zip_uint64_t size;
    time_t mtime;
    int fd = -1;
    zip_uint64_t offset = 0;
    zip_error_t error{};

    static zip_int64_t Callback(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command) {
      auto* f = static_cast<TFileSource*>(state);
      switch (command) {
        case ZIP_SOURCE_OPEN:
          f->fd = ::open(f->path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
          f->offset = 0;
          if (f->fd < 0) return f->Failed(ZIP_ER_OPEN);
          f->writer->Advance(kFileWeight);
          return 0;
        case ZIP_SOURCE_READ: {
          if (f->writer->Cancelled()) {
            zip_error_set(&f->error, ZIP_ER_CANCELLED, 0);
            return -1;
          }
          // Never more than the size announced, should the file grow.
          const zip_uint64_t want = std::min(length, f->size - f->offset);
          const ssize_t n = want == 0 ? 0 : ::read(f->fd, data, want);
          if (n < 0) return f->Failed(ZIP_ER_READ);
          f->offset += static_cast<zip_uint64_t>(n);
          f->writer->Advance(static_cast<zip_uint64_t>(n));
          return n;
        }
        case ZIP_SOURCE_CLOSE:
          if (f->fd >= 0) ::close(f->fd);
          f->fd = -1;
          return 0;
        case ZIP_SOURCE_STAT: {
          auto* st = ZIP_SOURCE_GET_ARGS(zip_stat_t, data, length, &f->error);
          if (!st) return -1;
          zip_stat_init(st);
          st->size = f->size;
          st->mtime = f->mtime;
          st->valid |= ZIP_STAT_SIZE | ZIP_STAT_MTIME;
          return sizeof(*st);
        }
        case ZIP_SOURCE_ERROR:
          return zip_error_to_data(&f->error, data, length);
        case ZIP_SOURCE_FREE:
          if (f->fd >= 0) ::close(f->fd);
          zip_error_fini(&f->error);
          delete f;
          return 0;
        case ZIP_SOURCE_SUPPORTS:
          return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                                ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
        default:
          zip_error_set(&f->error, ZIP_ER_OPNOTSUPP, 0);
          return -1;
      }
    }
    zip_int64_t Failed(int code) {
      zip_error_set(&error, code, errno);
      writer->Fail(path);
      return -1;
    }
  };

  void Advance(zip_uint64_t bytes) {
    done_ += bytes;
    if (report_.progress && total_ > 0) report_.progress(static_cast<double>(done_) / static_cast<double>(total_));
  }
  static int Cancel(zip_t*, void* self) { return static_cast<TArchiveWriter*>(self)->Cancelled() ? 1 : 0; }

  // Progress counts bytes, and each file as this many more: ten thousand
  // small files take their time too.
  static constexpr zip_uint64_t kFileWeight = 4096;

  const TBackupReport& report_;
  TBackupResult& result_;
  zip_t* zip_ = nullptr;
  zip_uint64_t total_ = 0, done_ = 0;
  std::vector<std::string> texts_;
};

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool Exists(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

// Gives the finished archive its name without ever replacing a file: a hard
// link fails when the name exists; file systems without hard links get a
// rename that refuses to replace, or a check just before a plain rename.
bool Publish(const std::string& temporary, const std::string& archive) {
  if (::link(temporary.c_str(), archive.c_str()) == 0) {
    ::unlink(temporary.c_str());
    return true;
  }
  if (errno == EEXIST) return false;
  if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, archive.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  if (Exists(archive)) return false;
  return ::rename(temporary.c_str(), archive.c_str()) == 0;
}

bool SyncFile(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = ::fsync(fd) == 0;
  ::close(fd);
  return ok;
}

}  // namespace

TBackupResult CreateBackup(const std::string& archive, const std::vector<std::string>& mounts,
                           const TBackupReport& report) {
  TBackupResult result;
  auto log = [&](const std::string& line) {
    if (report.log) report.log(line);
  };
  auto error = [&](const std::string& line) {
    log(line);
    result.errors.push_back(line);
  };
  if (Exists(archive)) {
    error("Soubor " + Quoted(archive) + " již existuje a nebude přepsán.");
    return result;
  }
  const std::string folder = FolderOf(archive);
  // Said at once, in Czech, rather than after packing everything and then
  // failing on the temporary file.
  if (!folder.empty() && !CRealFileSystem().ForceDirectories(folder)) {
    error("Cílovou složku " + Quoted(folder) + " nelze vytvořit. Zvolte jinou složku.");
    return result;
  }
  // Hidden, so that a backup into a data folder never packs a half-written
  // archive; the random part keeps two backups apart.
  const std::string name = archive.substr(folder.size());
  const std::string temporary = folder + "." + name + "." + std::to_string(RandomBelow(1000000000)) + ".part";
  // The archive file is made only when it is closed; a folder that takes no
  // file is said now, not after everything has been packed.
  const int probe = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (probe < 0) {
    error("Do složky " + Quoted(folder.empty() ? std::string("./") : folder) +
          " nelze zapisovat: " + std::strerror(errno) + ". Zvolte jinou složku.");
    return result;
  }
  ::close(probe);
  ::unlink(temporary.c_str());

  TArchiveWriter writer(report, result);
  if (!writer.Open(temporary)) return result;
  std::vector<TMountFolder> packed;
  for (size_t i = 0; i < mounts.size() && !writer.Cancelled(); ++i) {
    const std::string source = MountSource(mounts[i]);
    const std::string archiveFolder = MountArchiveFolder(static_cast<int>(i + 1), mounts[i]);
    log("Zálohuji " + Quoted(source) + " -> " + Quoted(archiveFolder));
    if (!writer.AddMount(source, archiveFolder)) {
      log("\tSložka " + Quoted(source) + " neexistuje a nebude zálohována");
      continue;
    }
    packed.push_back(TMountFolder{archiveFolder, source});
  }
  writer.AddText("mapping.txt", Utf8ToCp1250(MappingText(packed)));
  log(std::string(46, '='));
  log("Komprimuji " + Quoted(std::to_string(result.files) + " souborů") + " -> " + Quoted(archive));
  bool ok = !packed.empty() || writer.Cancelled();
  if (!ok) error("Žádná ze složek dat nebyla nalezena.");
  ok = ok && writer.Close();
  if (ok && !SyncFile(temporary)) {
    error("Chyba při zápisu archivu: " + std::string(std::strerror(errno)));
    ok = false;
  }
  if (ok && !Publish(temporary, archive)) {
    error("Archiv nelze uložit pod názvem " + Quoted(archive) + ": " + std::strerror(errno));
    ok = false;
  }
  if (!ok) ::unlink(temporary.c_str());
  if (result.cancelled) log("Záloha přerušena");
  else log(ok ? "Záloha dokončena" : "Záloha se nezdařila");
  result.ok = ok;
  return result;
}
