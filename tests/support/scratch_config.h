#pragma once

// Tests never read or change what a user of this machine keeps: every test
// program points XDG_CONFIG_HOME at a folder of its own, removed when it ends.
// (Built for Windows, kept settings are in the test prefix's registry.)

#include <string>

namespace quorvel::testing {

// The scratch folder now in XDG_CONFIG_HOME, made (and set) at the first call.
std::string scratchConfigFolder();

}  // namespace quorvel::testing
