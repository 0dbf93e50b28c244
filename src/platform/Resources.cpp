// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Resources.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

namespace {

bool IsDirectory(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsFile(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string ExecutableDir() {
  char path[4096];
  ssize_t n = readlink("/proc/self/exe", path, sizeof(path) - 1);
  if (n <= 0) return ".";
  path[n] = '\0';
  char* slash = strrchr(path, '/');
  if (slash) *slash = '\0';
  return path;
}

// A name from the preferences could hold a path; only plain names are looked up, so that no
// setting can make the game read files outside its resources.
bool IsPlainName(const char* name) {
  if (!name || !*name) return false;
  if (strchr(name, '/')) return false;
  return strcmp(name, ".") != 0 && strcmp(name, "..") != 0;
}

}  // namespace

const std::string& ResourceRoot() {
  static const std::string root = [] {
    std::string dir = ExecutableDir();
    if (IsDirectory(dir + "/../share/quillmere")) return dir + "/../share/quillmere";
    if (IsDirectory(dir + "/resources")) return dir + "/resources";
    return std::string(QM_BUILD_RESOURCE_DIR);
  }();
  return root;
}

std::string ResourcePath(const char* folder, const char* name) {
  if (!IsPlainName(name) || !IsPlainName(folder)) return {};
  std::string path = ResourceRoot() + "/" + folder + "/" + name;
  return IsFile(path) ? path : std::string();
}

std::string LocaleRoot() {
  std::string dir = ExecutableDir();
  if (IsDirectory(dir + "/../share/locale") && IsDirectory(dir + "/../share/quillmere"))
    return dir + "/../share/locale";
  return QM_BUILD_LOCALE_DIR;
}
