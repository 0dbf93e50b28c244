// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PreferenceStore.h"

#include <dirent.h>
#include <fcntl.h>
#include <glib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

#include "core/Log.h"

namespace {

const char kGroup[] = "Quillmere";
// Far beyond anything the game writes; a larger file is no preference file of ours.
const off_t kMaxFileSize = 16 << 20;

struct FileSignature {
  bool exists = false;
  dev_t dev = 0;
  ino_t ino = 0;
  off_t size = 0;
  struct timespec mtime = {0, 0};

  bool operator==(const FileSignature& o) const {
    return exists == o.exists && dev == o.dev && ino == o.ino && size == o.size &&
           mtime.tv_sec == o.mtime.tv_sec && mtime.tv_nsec == o.mtime.tv_nsec;
  }
};

FileSignature SignatureOf(const struct stat& st) {
  FileSignature sig;
  sig.exists = true;
  sig.dev = st.st_dev;
  sig.ino = st.st_ino;
  sig.size = st.st_size;
  sig.mtime = st.st_mtim;
  return sig;
}

FileSignature SignatureOf(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 ? SignatureOf(st) : FileSignature();
}

// What reading the preference file found.
struct FileRead {
  enum State { kMissing, kRead, kTooLarge, kUnreadable } state = kMissing;
  std::string bytes;
  std::string error;  // why it could not be read
  FileSignature sig;
};

bool IsMissing(int error) {
  // No file (or no folder) there: nothing that a write could destroy.
  return error == ENOENT || error == ENOTDIR;
}

FileRead ReadWhole(const std::string& path) {
  FileRead r;
  struct stat st;
  if (stat(path.c_str(), &st) != 0) {
    if (!IsMissing(errno)) {
      r.state = FileRead::kUnreadable;
      r.error = strerror(errno);
    }
    return r;
  }
  r.sig = SignatureOf(st);
  // Looked at before opening: opening a FIFO waits for a writer, a device may do things.
  if (!S_ISREG(st.st_mode)) {
    r.state = FileRead::kUnreadable;
    r.error = "not a regular file";
    return r;
  }
  int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    if (IsMissing(errno)) return FileRead();
    r.state = FileRead::kUnreadable;
    r.error = strerror(errno);
    return r;
  }
  // The name may have been given to something else since the look above.
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    r.state = FileRead::kUnreadable;
    r.error = "not a regular file";
    return r;
  }
  r.sig = SignatureOf(st);
  r.state = FileRead::kRead;
  if (st.st_size > kMaxFileSize) r.state = FileRead::kTooLarge;
  char chunk[1 << 16];
  while (r.state == FileRead::kRead) {
    ssize_t n = read(fd, chunk, sizeof(chunk));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      r.state = FileRead::kUnreadable;
      r.error = strerror(errno);
    } else if (n == 0) {
      break;
    } else if (static_cast<off_t>(r.bytes.size()) + n > kMaxFileSize) {
      r.state = FileRead::kTooLarge;
    } else {
      r.bytes.append(chunk, static_cast<size_t>(n));
    }
  }
  close(fd);
  if (r.state != FileRead::kRead) r.bytes.clear();
  return r;
}

// A copy of the key file with only the groups, keys and values that are text, so that a file
// holding other bytes is written back as a clean key file.
GKeyFile* TextOnly(GKeyFile* from) {
  GKeyFile* out = g_key_file_new();
  gchar** groups = g_key_file_get_groups(from, nullptr);
  for (gchar** group = groups; group && *group; ++group) {
    if (!g_utf8_validate(*group, -1, nullptr)) continue;
    gchar** keys = g_key_file_get_keys(from, *group, nullptr, nullptr);
    for (gchar** key = keys; key && *key; ++key) {
      gchar* value = g_key_file_get_value(from, *group, *key, nullptr);
      if (value && g_utf8_validate(*key, -1, nullptr) && g_utf8_validate(value, -1, nullptr))
        g_key_file_set_value(out, *group, *key, value);
      g_free(value);
    }
    g_strfreev(keys);
  }
  g_strfreev(groups);
  return out;
}

// Reads a number the way the old store did: the leading number of the text, 0 when there is
// none. Independent of the locale, which gettext may have set.
double LeadingNumber(const char* text) {
  if (!text) return 0.0;
  while (*text == ' ' || *text == '\t') ++text;
  char* end = nullptr;
  double d = g_ascii_strtod(text, &end);
  if (end == text || std::isnan(d)) return 0.0;
  return d;
}

int ToInt(double d) {
  if (std::isnan(d)) return 0;
  if (d >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (d <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(d);
}

float ToFloat(double d) {
  if (std::isnan(d)) return 0.0f;
  if (d > 3.4028234663852886e38) return HUGE_VALF;
  if (d < -3.4028234663852886e38) return -HUGE_VALF;
  return static_cast<float>(d);
}

// The shortest text that reads back as the same float, so that 0.2 is stored as "0.2".
std::string FormatFloat(float value) {
  char buf[G_ASCII_DTOSTR_BUF_SIZE];
  for (int precision = 6; precision <= 9; ++precision) {
    char format[8];
    snprintf(format, sizeof(format), "%%.%dg", precision);
    g_ascii_formatd(buf, sizeof(buf), format, value);
    if (static_cast<float>(g_ascii_strtod(buf, nullptr)) == value) break;
  }
  return buf;
}

std::vector<int> ParseIntList(const char* raw) {
  std::vector<int> out;
  if (!raw || !*raw) return out;
  gchar** parts = g_strsplit(raw, ";", -1);
  for (gchar** p = parts; *p; ++p) {
    // GKeyFile ends every list with a separator; the empty piece after it is no element.
    if (**p == '\0' && *(p + 1) == nullptr) break;
    out.push_back(ToInt(LeadingNumber(*p)));
  }
  g_strfreev(parts);
  return out;
}

std::string FormatIntList(const int* values, int count) {
  std::string raw;
  for (int i = 0; i < count; ++i) raw += std::to_string(values[i]) + ";";
  return raw;
}

// The temporary files that an atomic write of <base> or <base>.corrupt makes beside it: the
// name and six letters or digits.
bool IsTemporaryOf(const std::string& base, const char* name) {
  for (const std::string& prefix : {base + ".", base + ".corrupt."}) {
    if (strncmp(name, prefix.c_str(), prefix.size()) != 0) continue;
    const char* rest = name + prefix.size();
    int n = 0;
    while (n < 7 && g_ascii_isalnum(rest[n])) ++n;
    if (n == 6 && rest[6] == '\0') return true;
  }
  return false;
}

void LogLine(const char* format, const std::string& a, const std::string& b = "",
             const std::string& c = "") {
  char line[2048];
  snprintf(line, sizeof(line), format, a.c_str(), b.c_str(), c.c_str());
  LogError(line);
}

}  // namespace

struct PreferenceStore::Impl {
  std::string path;
  std::map<std::string, Value> defaults;
  GKeyFile* keyFile = g_key_file_new();
  FileSignature loaded;
  bool fLoadedOnce = false;
  // The file is there but cannot be read: it is never written over, and what is set stays in
  // memory until it can be read again.
  bool fProtected = false;
  // Values set that are not in the file yet; laid over every reload and written with the next
  // successful save.
  std::map<std::string, std::string> unsaved;
  bool fWriteErrorLogged = false;
  bool fReadErrorLogged = false;
  // The file whose other bytes were last copied aside, so that one file is told about once.
  FileSignature setAside;
  // The descriptor of the lock file while this copy holds the lock.
  int lockFd = -1;

  ~Impl() { g_key_file_free(keyFile); }

  // Holds the exclusive lock on <file>.lock that every writer of the file holds, for the
  // guard's life. A guard inside another shares the outer one's lock. Without a lock file (an
  // unwritable folder) it holds nothing.
  class Lock {
   public:
    explicit Lock(Impl& impl) : m_impl(impl) {
      if (m_impl.lockFd >= 0) return;
      int fd = open((m_impl.path + ".lock").c_str(),
                    O_RDWR | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0600);
      if (fd < 0) return;
      int rc;
      while ((rc = flock(fd, LOCK_EX)) != 0 && errno == EINTR) {
      }
      if (rc != 0) {
        close(fd);
        return;
      }
      m_impl.lockFd = fd;
      m_fOwner = true;
    }
    ~Lock() {
      if (!m_fOwner) return;
      close(m_impl.lockFd);  // closing releases the lock
      m_impl.lockFd = -1;
    }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;
    bool Held() const { return m_impl.lockFd >= 0; }

   private:
    Impl& m_impl;
    bool m_fOwner = false;
  };

  std::string Folder() const {
    gchar* dir = g_path_get_dirname(path.c_str());
    std::string out = dir;
    g_free(dir);
    return out;
  }

  std::string Aside() const { return path + ".corrupt"; }

  // The names of the temporary files that writes killed half-way left in the folder.
  std::vector<std::string> Leftovers() const {
    std::vector<std::string> found;
    gchar* base = g_path_get_basename(path.c_str());
    std::string folder = Folder();
    if (DIR* dir = opendir(folder.c_str())) {
      while (struct dirent* entry = readdir(dir)) {
        if (!IsTemporaryOf(base, entry->d_name)) continue;
        std::string full = folder + "/" + entry->d_name;
        struct stat st;
        if (lstat(full.c_str(), &st) == 0 && S_ISREG(st.st_mode)) found.push_back(full);
      }
      closedir(dir);
    }
    g_free(base);
    return found;
  }

  // Every copy writes its temporary file only while holding the lock, so a temporary file seen
  // while holding it belongs to no write in progress.
  void RemoveLeftovers() {
    if (Leftovers().empty()) return;
    Lock lock(*this);
    if (!lock.Held()) return;
    for (const std::string& name : Leftovers()) unlink(name.c_str());
  }

  // A file that must not be written over: said once a run, whatever the reason.
  void Protect(const char* format, const std::string& a, const std::string& b) {
    fProtected = true;
    if (fReadErrorLogged) return;
    fReadErrorLogged = true;
    LogLine(format, a, b);
  }

  // Moves a file that is no key file to <file>.corrupt, replacing an older one there.
  bool MoveAside(const std::string& why) {
    if (rename(path.c_str(), Aside().c_str()) != 0) {
      Protect(
          "Preferences file %s could not be read (%s) nor moved aside; it is left untouched, "
          "and settings changed in this run are kept for this run only.",
          path, why);
      return false;
    }
    LogLine("Preferences file %s could not be read (%s); moved it to %s and using the defaults.",
            path, why, Aside());
    return true;
  }

  // Copies a file that is a key file but holds bytes that are not text to <file>.corrupt: the
  // next save writes only the text part back.
  bool CopyAside(const FileRead& r) {
    if (setAside == r.sig) return true;
    GError* error = nullptr;
    if (!g_file_set_contents(Aside().c_str(), r.bytes.data(), static_cast<gssize>(r.bytes.size()),
                             &error)) {
      Protect(
          "Preferences file %s holds bytes that are not text and could not be copied aside "
          "(%s); it is left untouched, and settings changed in this run are kept for this run "
          "only.",
          path, error->message);
      g_error_free(error);
      return false;
    }
    setAside = r.sig;
    LogLine(
        "Preferences file %s holds bytes that are not text; copied it to %s and using the "
        "settings that could be read.",
        path, Aside());
    return true;
  }

  // Replaces the in-memory copy with what the file holds now.
  void Load(bool fLockTried = false) {
    if (!fLoadedOnce) RemoveLeftovers();
    FileRead r = ReadWhole(path);
    GKeyFile* fresh = g_key_file_new();
    fProtected = false;
    if (r.state == FileRead::kUnreadable) {
      Protect(
          "Unable to read preferences file %s (%s); it is left untouched, and settings changed "
          "in this run are kept for this run only.",
          path, r.error);
    } else if (r.state != FileRead::kMissing) {
      GError* error = nullptr;
      std::string why;
      if (r.state == FileRead::kTooLarge) {
        why = "larger than " + std::to_string(kMaxFileSize >> 20) + " MiB";
      } else if (!g_key_file_load_from_data(fresh, r.bytes.data(), r.bytes.size(),
                                            G_KEY_FILE_KEEP_COMMENTS, &error)) {
        why = error->message;
        g_error_free(error);
      }
      const bool fText =
          g_utf8_validate(r.bytes.data(), static_cast<gssize>(r.bytes.size()), nullptr);
      if (why.empty() && fText) {
        // A key file, as the game writes it.
      } else if (lockFd < 0 && !fLockTried) {
        // Setting a file aside changes the folder: only under the lock, and on what the file
        // holds then (another copy may have just replaced it).
        g_key_file_free(fresh);
        Lock lock(*this);
        Load(true);
        return;
      } else if (!why.empty()) {
        g_key_file_free(fresh);
        fresh = g_key_file_new();
        if (MoveAside(why)) r.sig = SignatureOf(path);
      } else if (CopyAside(r)) {
        GKeyFile* text = TextOnly(fresh);
        g_key_file_free(fresh);
        fresh = text;
      }
    }
    g_key_file_free(keyFile);
    keyFile = fresh;
    for (const auto& [key, raw] : unsaved)
      g_key_file_set_value(keyFile, kGroup, key.c_str(), raw.c_str());
    loaded = r.sig;
    fLoadedOnce = true;
  }

  void Refresh() {
    if (!fLoadedOnce || !(SignatureOf(path) == loaded)) Load();
  }

  // The raw text stored for the key in the file, or null when the file has no such key.
  gchar* Raw(const char* key) {
    Refresh();
    return g_key_file_get_value(keyFile, kGroup, key, nullptr);
  }

  const Value* Default(const char* key) const {
    auto it = defaults.find(key);
    return it == defaults.end() ? nullptr : &it->second;
  }

  std::vector<int> IntArrayLoaded(const char* key) const {
    if (gchar* raw = g_key_file_get_value(keyFile, kGroup, key, nullptr)) {
      std::vector<int> values = ParseIntList(raw);
      g_free(raw);
      return values;
    }
    const Value* d = Default(key);
    return d && d->kind == Value::kIntArray ? d->a : std::vector<int>();
  }

  // One step under the lock: reload, let change give the key's new text from what the file
  // holds now (false: nothing to write), write the file.
  void Modify(const char* key, const std::function<bool(std::string* raw)>& change) {
    std::string folder = Folder();
    g_mkdir_with_parents(folder.c_str(), 0700);
    Lock lock(*this);
    // Reload under the lock: another copy of the game may have written keys of its own.
    Load();
    std::string raw;
    if (!change(&raw)) return;
    g_key_file_set_value(keyFile, kGroup, key, raw.c_str());
    if (fProtected) {
      unsaved[key] = raw;
      return;
    }
    gsize length = 0;
    gchar* data = g_key_file_to_data(keyFile, &length, nullptr);
    GError* error = nullptr;
    if (g_file_set_contents(path.c_str(), data, static_cast<gssize>(length), &error)) {
      unsaved.clear();
      fWriteErrorLogged = false;
    } else {
      unsaved[key] = raw;
      if (!fWriteErrorLogged) {
        fWriteErrorLogged = true;
        LogLine("Unable to save preferences to %s: %s; the settings stay for this run only.", path,
                error->message);
      }
      g_error_free(error);
    }
    g_free(data);
    loaded = SignatureOf(path);
  }

  void Store(const char* key, const std::string& raw) {
    Modify(key, [&](std::string* out) {
      *out = raw;
      return true;
    });
  }
};

PreferenceStore::PreferenceStore(std::string path) : m_pImpl(std::make_unique<Impl>()) {
  m_pImpl->path = std::move(path);
}

PreferenceStore::~PreferenceStore() = default;

std::string PreferenceStore::UserPath() {
  const char* xdg = getenv("XDG_CONFIG_HOME");
  std::string base;
  if (xdg && *xdg == '/') {
    base = xdg;
  } else {
    const char* home = getenv("HOME");
    base = std::string(home && *home ? home : g_get_home_dir()) + "/.config";
  }
  return base + "/quillmere/preferences.ini";
}

PreferenceStore& PreferenceStore::User() {
  static PreferenceStore store(UserPath());
  return store;
}

const std::string& PreferenceStore::Path() const {
  return m_pImpl->path;
}

void PreferenceStore::RegisterDefaults(std::vector<std::pair<std::string, Value>> defaults) {
  m_pImpl->defaults.clear();
  for (auto& [key, value] : defaults) m_pImpl->defaults.emplace(key, std::move(value));
}

int PreferenceStore::GetInt(const char* key) {
  if (gchar* raw = m_pImpl->Raw(key)) {
    int value = ToInt(LeadingNumber(raw));
    g_free(raw);
    return value;
  }
  const Value* d = m_pImpl->Default(key);
  if (!d) return 0;
  switch (d->kind) {
    case Value::kInt:
      return d->i;
    case Value::kFloat:
      return ToInt(d->f);
    case Value::kString:
      return ToInt(LeadingNumber(d->s.c_str()));
    case Value::kIntArray:
      return 0;
  }
  return 0;
}

float PreferenceStore::GetFloat(const char* key) {
  if (gchar* raw = m_pImpl->Raw(key)) {
    float value = ToFloat(LeadingNumber(raw));
    g_free(raw);
    return value;
  }
  const Value* d = m_pImpl->Default(key);
  if (!d) return 0.0f;
  switch (d->kind) {
    case Value::kInt:
      return static_cast<float>(d->i);
    case Value::kFloat:
      return d->f;
    case Value::kString:
      return ToFloat(LeadingNumber(d->s.c_str()));
    case Value::kIntArray:
      return 0.0f;
  }
  return 0.0f;
}

std::string PreferenceStore::GetString(const char* key) {
  m_pImpl->Refresh();
  if (gchar* text = g_key_file_get_string(m_pImpl->keyFile, kGroup, key, nullptr)) {
    std::string value = text;
    g_free(text);
    return value;
  }
  const Value* d = m_pImpl->Default(key);
  if (!d) return {};
  switch (d->kind) {
    case Value::kInt:
      return std::to_string(d->i);
    case Value::kFloat:
      return FormatFloat(d->f);
    case Value::kString:
      return d->s;
    case Value::kIntArray:
      return {};
  }
  return {};
}

std::vector<int> PreferenceStore::GetIntArray(const char* key) {
  m_pImpl->Refresh();
  return m_pImpl->IntArrayLoaded(key);
}

void PreferenceStore::SetInt(const char* key, int value) {
  m_pImpl->Store(key, std::to_string(value));
}

void PreferenceStore::SetFloat(const char* key, float value) {
  m_pImpl->Store(key, FormatFloat(value));
}

void PreferenceStore::SetString(const char* key, const char* value) {
  // Let GKeyFile escape the text (line breaks, leading blanks) exactly as it will read it back.
  GKeyFile* scratch = g_key_file_new();
  g_key_file_set_string(scratch, kGroup, key, value ? value : "");
  gchar* raw = g_key_file_get_value(scratch, kGroup, key, nullptr);
  m_pImpl->Store(key, raw ? raw : "");
  g_free(raw);
  g_key_file_free(scratch);
}

void PreferenceStore::SetIntArray(const char* key, const int* values, int count) {
  m_pImpl->Store(key, FormatIntList(values, count));
}

void PreferenceStore::UpdateIntArray(const char* key, int count,
                                     const std::function<bool(std::vector<int>& values)>& change) {
  if (count < 0) count = 0;
  m_pImpl->Modify(key, [&](std::string* raw) {
    std::vector<int> values = m_pImpl->IntArrayLoaded(key);
    values.resize(static_cast<size_t>(count), 0);
    if (!change(values)) return false;
    *raw = FormatIntList(values.data(), count);
    return true;
  });
}
