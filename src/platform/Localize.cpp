// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Localize.h"

#include <libintl.h>

#include <clocale>

#include "platform/Resources.h"

namespace {

const char kDomain[] = "quillmere";

void BindOnce() {
  static bool bound = [] {
    // Only the language of messages follows the user: numbers keep the C formats, so that the
    // score read-outs and the preference file look the same everywhere.
    setlocale(LC_MESSAGES, "");
    setlocale(LC_CTYPE, "");
    bindtextdomain(kDomain, LocaleRoot().c_str());
    bind_textdomain_codeset(kDomain, "UTF-8");
    return true;
  }();
  (void)bound;
}

}  // namespace

std::string Localize(const char* english) {
  if (!english || !*english) return std::string();
  BindOnce();
  return dgettext(kDomain, english);
}
