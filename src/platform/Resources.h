// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The game's read-only files live in folders ("Dict", "Images", "Sounds", "Music") under one
// resource root: <prefix>/share/quillmere once installed, <build>/resources in a build tree.

// The resource root, found once from the program's own location.
const std::string& ResourceRoot();

// The full path of <root>/<folder>/<name>, or an empty string when the name is not a plain
// file name or no such file exists.
std::string ResourcePath(const char* folder, const char* name);

// The folder that holds the game's translations.
std::string LocaleRoot();
