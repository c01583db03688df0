#pragma once
// The message that tells the user what an install or uninstall could not do, in short
// Chinese sentences, one per failure, with the remedy when rights were
// missing.

#include <string>

#include "install/install_outcome.h"
#include "install/removal.h"

namespace install {

// Empty when the outcome is complete.
std::string DescribeOutcome(const InstallOutcome& outcome);

// What an uninstall left, and why; empty when it removed everything.
std::string DescribeRemoval(const RemovalOutcome& outcome);

}  // namespace install
