// The macro files that ship with the program: constMacro.dat (the eight built-in shortcut
// macros, in the order of button functions 31 to 38) and, for both languages, the factory
// macro groups of the macro folder and the macro reset folder. They are written with the
// program's own line writer, so they are valid by construction.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "macro/Macro.h"
#include "settings/UiLanguage.h"

namespace pyxom::macrodata {

struct ShippedGroup {
  std::wstring name;
  std::vector<macro::Macro> macros;
};

// Copy, paste, select all, undo, find, close window, computer folder, lock workstation.
std::vector<macro::Macro> builtInMacros();
std::vector<ShippedGroup> factoryGroups(settings::UiLanguage language);

// Every shipped file as (path relative to the data folder, with '/', → bytes).
std::map<std::wstring, std::string> shippedFiles();

// Writes them under `dataFolder`; false when a file could not be written.
bool writeShippedFiles(const std::string& dataFolder);

}  // namespace pyxom::macrodata
