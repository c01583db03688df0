#pragma once
// The program's options, parsed from the arguments that follow the program
// name: /S (unattended), /U (uninstall), /D=folder, /R=years or /R=all,
// /LOG=file, /ALLUSERS (with /S: the user's half for every user), and
// /ELEVATED, which the program gives the copy of itself that
// it starts as administrator. Options
// are case-insensitive and start with '/' or '-'; arguments split as
// Windows splits them (white space between them, double quotes around
// spaces, backslashes doubled before a quote).

#include <optional>
#include <string>
#include <vector>

namespace base {

struct CommandLine {
  bool unattended = false;
  bool uninstall = false;
  // Started by the offer of administrator rights: the machine-wide steps
  // only, without a dialog and without a second offer; the program that
  // started it waits, then does its own user's steps.
  bool elevated = false;
  // The user's half of the install for every user of the machine; only
  // unattended, where no user sits in front of the dialog.
  bool allUsers = false;
  std::optional<std::string> folder;  // the chosen folder, without surrounding quotes
  bool allReleases = false;           // /R=all
  std::vector<int> releases;          // /R=2014,2020, in the order given
  std::optional<std::string> logFile;
  bool ReleasesGiven() const { return allReleases || !releases.empty(); }
  bool operator==(const CommandLine& other) const;
};

// The lines that list the options, for a message and the README alike.
extern const char kCommandLineHelp[];

// What the user is told of a refused argument: `problem` and the options.
std::string RefusalText(const std::string& problem);

// `text` without one pair of double quotes around it, as Explorer's
// "Copy as path" puts them.
std::string Unquoted(const std::string& text);

// False when an argument is not one of the options, an option comes twice,
// /ALLUSERS comes without /S,
// a value is empty, holds a double quote or is longer than 259 UTF-16 units
// (refused, never cut), or a year is not a release year; `problem` then
// names the first such argument. /S and /LOG= are taken wherever they stand,
// even then: the refusal is silent and logged.
bool ParseCommandLine(const std::string& arguments, CommandLine* parsed, std::string* problem);

// The arguments that carry `line` to another start of the program.
std::string ComposeCommandLine(const CommandLine& line);

}  // namespace base
