// Built-in texts of the macro group operations in both interface languages, and the rules
// that keep a group name usable as a file name inside the macro folder.
#pragma once

#include <string>
#include <string_view>

#include "settings/UiLanguage.h"

namespace pyxom::macro {

using settings::UiLanguage;

enum class MacroText {
  CantFindFile,        // macroGrp.ini missing
  MoreThanLimit,       // too many groups or macros
  NewName,             // default name of a new group or macro
  GroupNameInUse,      // new group: "'" + name + "' Name Already In Used!"
  NewMacroNameInUse,   // new macro: "'" + name + "' Name already in used!"
  RenameMacroInUse,    // rename of a macro to a name in use
  ImportNameInUse,     // import of a group whose name exists
  CreateFileFailed,
  NameEmpty,
  NameTooLong,
  DuplicateGroupName,  // rename of a group to a name in use
  FileNotFound,
  InvalidFileName,     // a group name that cannot be a file name in the macro folder
};

// The text for `language`; texts built with a name take it as `name`.
std::wstring macroText(MacroText text, UiLanguage language, std::wstring_view name = {});

inline constexpr std::size_t kMaxGroupNameLength = 39;  // what macroGrp.ini is read back with

// A group name becomes macro folder + name + ".dat": it must not leave the folder or name a
// file Windows cannot create (separators, "..", reserved characters and device names, a
// trailing dot, control characters), nor change when macroGrp.ini is read back (blanks at
// either end, enclosing single quotes).
bool isValidGroupFileName(std::wstring_view name);

// Whether two names give the same file on Windows (letter case ignored).
bool sameFileName(std::wstring_view a, std::wstring_view b);

}  // namespace pyxom::macro
