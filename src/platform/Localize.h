// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The text shown for a fixed English text: its translation for the user's language, or the
// English text itself when there is none.
std::string Localize(const char* english);
