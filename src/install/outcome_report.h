#pragma once
// The message that tells the user what an install could not do, in short
// Chinese sentences, one per failure, with the remedy when rights were
// missing.

#include <string>

#include "install/install_outcome.h"

namespace install {

// Empty when the outcome is complete.
std::string DescribeOutcome(const InstallOutcome& outcome);

}  // namespace install
