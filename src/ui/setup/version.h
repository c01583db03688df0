#pragma once
// The product version, written once for the program (build_constants.h) and
// for its version resource (setup.rc, which the resource compiler runs through
// the C preprocessor): plain macros, since both read them.

#define SETUP_VERSION_MAJOR 2025
#define SETUP_VERSION_MINOR 3
#define SETUP_VERSION_PATCH 1

// "2025.3.1", as the version resource's strings give it.
#define SETUP_VERSION_QUOTE(text) #text
#define SETUP_VERSION_STRING(major, minor, patch) SETUP_VERSION_QUOTE(major.minor.patch)
#define SETUP_VERSION_TEXT \
  SETUP_VERSION_STRING(SETUP_VERSION_MAJOR, SETUP_VERSION_MINOR, SETUP_VERSION_PATCH)
