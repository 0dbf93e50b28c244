// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PreferenceStore.h"

#include <fcntl.h>
#include <glib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>

#include "core/Log.h"

namespace {

const char kGroup[] = "Quillmere";

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

FileSignature SignatureOf(const std::string& path) {
  FileSignature sig;
  struct stat st;
  if (stat(path.c_str(), &st) == 0) {
    sig.exists = true;
    sig.dev = st.st_dev;
    sig.ino = st.st_ino;
    sig.size = st.st_size;
    sig.mtime = st.st_mtim;
  }
  return sig;
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

class FileLock {
 public:
  explicit FileLock(const std::string& path) {
    m_fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_fd >= 0) {
      while (flock(m_fd, LOCK_EX) != 0 && errno == EINTR) {
      }
    }
  }
  ~FileLock() {
    if (m_fd >= 0) close(m_fd);  // closing releases the lock
  }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

 private:
  int m_fd = -1;
};

}  // namespace

struct PreferenceStore::Impl {
  std::string path;
  std::map<std::string, Value> defaults;
  GKeyFile* keyFile = g_key_file_new();
  FileSignature loaded;
  bool fLoadedOnce = false;
  // Values set while the file could not be written; they stay in memory and are written with
  // the next successful save.
  std::map<std::string, std::string> unsaved;
  bool fWriteErrorLogged = false;
  bool fReadErrorLogged = false;

  ~Impl() { g_key_file_free(keyFile); }

  std::string Folder() const {
    gchar* dir = g_path_get_dirname(path.c_str());
    std::string out = dir;
    g_free(dir);
    return out;
  }

  // Replaces the in-memory copy with what the file holds now. A file that is not a key file is
  // moved aside once, so that the next save does not destroy what the user may want back.
  void Load() {
    FileSignature sig = SignatureOf(path);
    GKeyFile* fresh = g_key_file_new();
    if (sig.exists) {
      GError* error = nullptr;
      if (!g_key_file_load_from_file(fresh, path.c_str(), G_KEY_FILE_KEEP_COMMENTS, &error)) {
        if (error->domain == G_KEY_FILE_ERROR) {
          std::string aside = path + ".corrupt";
          char line[1024];
          if (rename(path.c_str(), aside.c_str()) == 0) {
            snprintf(line, sizeof(line),
                     "Preferences file %s could not be read (%s); moved it to %s and using the "
                     "defaults.",
                     path.c_str(), error->message, aside.c_str());
          } else {
            snprintf(line, sizeof(line),
                     "Preferences file %s could not be read (%s); using the defaults.",
                     path.c_str(), error->message);
          }
          LogError(line);
          sig = SignatureOf(path);
        } else if (!fReadErrorLogged) {
          fReadErrorLogged = true;
          char line[1024];
          snprintf(line, sizeof(line), "Unable to read preferences file %s: %s", path.c_str(),
                   error->message);
          LogError(line);
        }
        g_error_free(error);
      }
    }
    g_key_file_free(keyFile);
    keyFile = fresh;
    for (const auto& [key, raw] : unsaved)
      g_key_file_set_value(keyFile, kGroup, key.c_str(), raw.c_str());
    loaded = sig;
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

  void Store(const char* key, const std::string& raw) {
    std::string folder = Folder();
    g_mkdir_with_parents(folder.c_str(), 0700);
    FileLock lock(path + ".lock");
    // Reload under the lock: another copy of the game may have written keys of its own.
    Load();
    g_key_file_set_value(keyFile, kGroup, key, raw.c_str());
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
        char line[1024];
        snprintf(line, sizeof(line),
                 "Unable to save preferences to %s: %s; the settings stay for this run only.",
                 path.c_str(), error->message);
        LogError(line);
      }
      g_error_free(error);
    }
    g_free(data);
    loaded = SignatureOf(path);
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
  if (gchar* raw = m_pImpl->Raw(key)) {
    std::vector<int> values = ParseIntList(raw);
    g_free(raw);
    return values;
  }
  const Value* d = m_pImpl->Default(key);
  return d && d->kind == Value::kIntArray ? d->a : std::vector<int>();
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
  std::string raw;
  for (int i = 0; i < count; ++i) raw += std::to_string(values[i]) + ";";
  m_pImpl->Store(key, raw);
}
