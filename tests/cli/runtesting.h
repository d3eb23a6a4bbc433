// What the tests of folivex --convert share: the program they run, the test
// documents, and a shell's quoting of a path.
#pragma once

#include <filesystem>
#include <string>

namespace folivex::test {

inline const std::filesystem::path kFixtures = FOLIVEX_FIXTURE_DIR;
inline const std::string kFolivex = FOLIVEX_EXECUTABLE;

// `path` in single quotes, for a shell command line (no quote in it).
inline std::string quoted(const std::filesystem::path &path) { return "'" + path.string() + "'"; }

} // namespace folivex::test
