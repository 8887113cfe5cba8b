#pragma once

#include <ostream>
#include <span>
#include <string>

namespace ixo::catalogue_tool {

// Exit statuses of ixo-catalogue.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitCannotWrite = 1; // an output or input file could not be written or read
inline constexpr int kExitBadInput = 2;    // bad usage, bad text source, missing or unreadable catalogue

// The ixo-catalogue command line (args without the program name):
//   build SRC OUT     compile the text source in SRC into the catalogue files in OUT
//   dump BD_DIR OUT   write the text source of the catalogue in BD_DIR into OUT
//   --help            usage on out
// Messages and warnings go to err. Returns the exit status.
int RunCatalogueTool(std::span<const std::string> args, std::ostream& out, std::ostream& err);

} // namespace ixo::catalogue_tool
