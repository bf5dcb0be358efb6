#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <utility>
#include <vector>

// Writing settings back into config.txt, which the player may have edited by
// hand: each change is the smallest edit the reader sees, and every other
// byte (comments, spacing, unknown lines, line ends) stays as it was.

using ConfigChange = std::pair<std::string, std::string>; // key, value

// Sets key to value in text. The word the reader takes the key's value from
// (the first word that begins with the key) gets its characters after the
// first '=' replaced; such a word without '=' becomes "key=value". A key the
// text lacks is appended the way start-up appends it, after a line feed when
// the text does not end with one.
void setConfigValue(std::string& text, const std::string& key, const std::string& value);

// Writes text to a temporary file beside path, flushes it to the disk and
// renames it over path, so a crash or a full disk never leaves a half-written
// file. On failure the reason goes to err, the temporary file is removed,
// path is left as it was, and the result is false.
bool replaceFileAtomically(const std::filesystem::path& path, const std::string& text, std::ostream& err);

// Applies the changes to the file at path (a missing file counts as empty)
// and replaces it atomically. False, with the reason on err, when the file
// could not be read or written; the file is then unchanged.
bool saveConfigChanges(const std::filesystem::path& path, const std::vector<ConfigChange>& changes, std::ostream& err);
