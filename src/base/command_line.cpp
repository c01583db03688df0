#include "base/command_line.h"

#include "base/release_years.h"
#include "base/text.h"
#include "base/utf8.h"

namespace base {

const char kCommandLineHelp[] =
    "SetUp.exe [/S [/ALLUSERS]] [/D=安装目录] [/R=2014,2020 | /R=all] [/LOG=日志文件]\n"
    "SetUp.exe /U [/S] [/D=安装目录] [/LOG=日志文件]\n\n"
    "/S    无人值守安装或卸载，不显示任何窗口\n"
    "/U    卸载\n"
    "/D=   安装目录\n"
    "/R=   要安装的 AutoCAD 版本，用逗号分隔，或 all\n"
    "/LOG= 把安装过程写入日志文件（UTF-8）\n"
    "/ALLUSERS 为本机的每个用户加入受信任路径并复制设置文件";

std::string RefusalText(const std::string& problem) {
  return "命令行参数无效：" + problem + "\n\n" + kCommandLineHelp;
}

std::string Unquoted(const std::string& text) {
  const bool quoted = text.size() >= 2 && text.front() == '"' && text.back() == '"';
  return quoted ? text.substr(1, text.size() - 2) : text;
}

bool CommandLine::operator==(const CommandLine& other) const {
  return unattended == other.unattended && uninstall == other.uninstall &&
         elevated == other.elevated && allUsers == other.allUsers && folder == other.folder &&
         allReleases == other.allReleases && releases == other.releases && logFile == other.logFile;
}

namespace {

constexpr std::size_t kMostValueLength = 259;

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

// Splits as CommandLineToArgvW does: 2n backslashes before a quote are n
// backslashes and the quote opens or closes a quoted part; 2n + 1 are n and a
// literal quote; other backslashes are literal.
std::vector<std::string> SplitArguments(const std::string& text) {
  std::vector<std::string> arguments;
  std::size_t at = 0;
  while (true) {
    while (at < text.size() && IsSpace(text[at])) ++at;
    if (at == text.size()) return arguments;
    std::string argument;
    bool quoted = false;
    while (at < text.size() && (quoted || !IsSpace(text[at]))) {
      if (text[at] == '\\') {
        std::size_t backslashes = 0;
        while (at < text.size() && text[at] == '\\') ++backslashes, ++at;
        if (at < text.size() && text[at] == '"') {
          argument.append(backslashes / 2, '\\');
          if (backslashes % 2 == 1) argument += '"', ++at;
        } else {
          argument.append(backslashes, '\\');
        }
      } else if (text[at] == '"') {
        quoted = !quoted;
        ++at;
      } else {
        argument += text[at++];
      }
    }
    arguments.push_back(argument);
  }
}

// How many backslashes, characters of their own, end `text`: before a
// closing quote each must be doubled, or they would escape it.
std::size_t TrailingBackslashes(const std::string& text) {
  std::size_t count = 0;
  for (const char c : text) count = c == '\\' ? count + 1 : 0;
  return count;
}

// "2014,2020" into years; false for anything else.
bool ParseYears(const std::string& list, std::vector<int>* years) {
  std::size_t start = 0;
  while (true) {
    const std::size_t end = std::min(list.find(',', start), list.size());
    const std::string item = list.substr(start, end - start);
    if (item.size() != 4 || item.find_first_not_of("0123456789") != std::string::npos) return false;
    const int year = std::stoi(item);
    if (!IsReleaseYear(year)) return false;
    years->push_back(year);
    if (end == list.size()) return true;
    start = end + 1;
  }
}

}  // namespace

namespace {

// One argument into `parsed`; false when it is not a valid option here.
bool ParseArgument(const std::string& argument, CommandLine* parsed, bool* seenReleases) {
  if (argument.size() < 2 || (argument[0] != '/' && argument[0] != '-')) return false;
  const std::size_t equals = argument.find('=');
  const std::string option = ToUpperAscii(argument.substr(1, equals - 1));
  const bool hasValue = equals != std::string::npos;
  const std::string given = hasValue ? argument.substr(equals + 1) : "";
  const std::string value = option == "D" ? Unquoted(given) : given;
  if (option == "S" && !hasValue && !parsed->unattended) {
    parsed->unattended = true;
    return true;
  }
  if (option == "U" && !hasValue && !parsed->uninstall) {
    parsed->uninstall = true;
    return true;
  }
  if (option == "ELEVATED" && !hasValue && !parsed->elevated) {
    parsed->elevated = true;
    return true;
  }
  if (option == "ALLUSERS" && !hasValue && !parsed->allUsers) {
    parsed->allUsers = true;
    return true;
  }
  // A quote is in no Windows path, and would end the value on a restart.
  if (!hasValue || value.empty() || Utf16Length(value) > kMostValueLength ||
      value.find('"') != std::string::npos) {
    return false;
  }
  if (option == "D" && !parsed->folder) {
    parsed->folder = value;
  } else if (option == "LOG" && !parsed->logFile) {
    parsed->logFile = value;
  } else if (option == "R" && !*seenReleases) {
    *seenReleases = true;
    parsed->allReleases = ToUpperAscii(value) == "ALL";
    return parsed->allReleases || ParseYears(value, &parsed->releases);
  } else {
    return false;
  }
  return true;
}

}  // namespace

bool ParseCommandLine(const std::string& arguments, CommandLine* parsed, std::string* problem) {
  *parsed = CommandLine();
  problem->clear();
  bool seenReleases = false;
  bool valid = true;
  // Every argument is looked at, so that /S is known even after a bad one.
  for (const std::string& argument : SplitArguments(arguments)) {
    if (!ParseArgument(argument, parsed, &seenReleases) && valid) {
      valid = false;
      *problem = argument.empty() ? "\"\"" : argument;  // an empty argument named too
    }
  }
  if (valid && parsed->allUsers && !parsed->unattended) {
    valid = false;
    *problem = "/ALLUSERS";
  }
  return valid;
}

std::string ComposeCommandLine(const CommandLine& line) {
  std::string text;
  auto add = [&text](const std::string& argument) { text += (text.empty() ? "" : " ") + argument; };
  if (line.elevated) add("/ELEVATED");
  if (line.uninstall) add("/U");
  if (line.unattended) add("/S");
  if (line.allUsers) add("/ALLUSERS");
  auto quoted = [](const std::string& option, const std::string& value) {
    return "\"" + option + value + std::string(TrailingBackslashes(value), '\\') + "\"";
  };
  if (line.folder) add(quoted("/D=", *line.folder));
  if (line.allReleases) {
    add("/R=all");
  } else if (!line.releases.empty()) {
    std::string years;
    for (int year : line.releases) years += (years.empty() ? "" : ",") + std::to_string(year);
    add("/R=" + years);
  }
  if (line.logFile) add(quoted("/LOG=", *line.logFile));
  return text;
}

}  // namespace base
