#pragma once
// Where the programs find the data files they read (the parameter catalogue,
// later the translations). An installed program finds them relative to its
// own executable, <prefix>/bin/../share/ecam-editor, so a package or an
// install into any prefix works without configuration. A program run from
// the build tree falls back to the source tree's resources/ folder, so
// run.sh and the tests need no install step; a package build has no such
// fallback. Data generated at build time belongs in <build>/share/ecam-editor,
// where build-tree programs (in <build>/bin) find it as installed ones do.
//
// Plain functions of paths, safe from any thread.
#include "host/host_api.h"

#include <string>

namespace ecam {

// Directory of the running executable (from /proc/self/exe); empty when the
// kernel does not tell.
ECAM_HOST_API std::string ProgramDir();

// The installed data directory of the program living in programDir.
ECAM_HOST_API std::string InstalledDataDir(const std::string& programDir);

// The file or folder `name` (relative, e.g. "funcodes.json"): under
// InstalledDataDir(programDir) when it exists there, else under fallbackDir
// when it exists there, else the installed path, so that an error names the
// place where an installed program expects it.
ECAM_HOST_API std::string FindDataFile(const std::string& name, const std::string& programDir,
                                       const std::string& fallbackDir);

// The same for the running program, with the source tree's resources/
// folder as the fallback (none in a package build).
ECAM_HOST_API std::string FindDataFile(const std::string& name);

} // namespace ecam
