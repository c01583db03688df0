#include "install/install_record.h"

#include <algorithm>

#include "base/utf8.h"

using base::EqualsIgnoreCase;
using base::TextList;

namespace install {

namespace {

// A record holds some hundred lines; a larger file is no record of ours.
constexpr std::size_t kRecordCapacity = 1 << 20;

constexpr char kEscapes[][2][4] = {{"%", "%25"}, {"\t", "%09"}, {"\r", "%0D"}, {"\n", "%0A"}};

std::string Escaped(const std::string& field) {
  std::string out;
  for (char c : field) {
    const auto* escape = std::find_if(std::begin(kEscapes), std::end(kEscapes),
                                      [c](const auto& pair) { return pair[0][0] == c; });
    out += escape == std::end(kEscapes) ? std::string(1, c) : std::string(escape[0][1]);
  }
  return out;
}

std::string Unescaped(const std::string& field) {
  std::string out;
  for (std::size_t at = 0; at < field.size(); ++at) {
    const auto* escape =
        std::find_if(std::begin(kEscapes), std::end(kEscapes),
                     [&](const auto& pair) { return field.compare(at, 3, pair[1]) == 0; });
    if (field[at] == '%' && escape != std::end(kEscapes)) {
      out += escape[0][0][0];
      at += 2;
    } else {
      out += field[at];
    }
  }
  return out;
}

TextList SplitFields(const std::string& line) {
  TextList fields;
  for (std::size_t start = 0;;) {
    const std::size_t end = std::min(line.find('\t', start), line.size());
    fields.push_back(Unescaped(line.substr(start, end - start)));
    if (end == line.size()) return fields;
    start = end + 1;
  }
}

// Adds `text` unless the list names it already.
void AddOnce(TextList* list, const std::string& text) {
  const auto same = [&](const std::string& item) { return EqualsIgnoreCase(item, text); };
  if (std::none_of(list->begin(), list->end(), same)) list->push_back(text);
}

bool SameKey(const RecordedKey& a, const RecordedKey& b) {
  return a.view == b.view && EqualsIgnoreCase(a.productKey, b.productKey) &&
         EqualsIgnoreCase(a.application, b.application);
}

bool ParseNumber(const std::string& text, int* number) {
  if (text.empty() || text.size() > 4 || text.find_first_not_of("0123456789") != std::string::npos)
    return false;
  *number = std::stoi(text);
  return true;
}

// One line's item into `record`; false when the line is not one.
bool ParseLine(const TextList& fields, InstallRecord* record) {
  const std::string& kind = fields[0];
  const bool one = fields.size() == 2 && !fields[1].empty();
  if (kind == "folder" && one) {
    AddOnce(&record->folders, fields[1]);
  } else if (kind == "product-file" && one) {
    AddOnce(&record->productFiles, fields[1]);
  } else if (kind == "trusted-paths" && one) {
    AddOnce(&record->trustedProfiles, fields[1]);
  } else if (kind == "abandoned" && one) {
    AddOnce(&record->abandonedFolders, fields[1]);
  } else if (kind == "host-file" && fields.size() == 3 &&
             (fields[1] == "created" || fields[1] == "replaced") && !fields[2].empty()) {
    const bool created = fields[1] == "created";
    auto& files = record->hostFiles;
    const auto known = std::find_if(files.begin(), files.end(), [&](const RecordedHostFile& file) {
      return EqualsIgnoreCase(file.path, fields[2]);
    });
    if (known == files.end()) {
      files.push_back({fields[2], created});
    } else {
      known->created = known->created || created;
    }
  } else if (kind == "user-trusted-paths" && fields.size() == 4 && !fields[1].empty() &&
             !fields[2].empty() && !fields[3].empty()) {
    const RecordedUserProfile profile{fields[1], fields[2], fields[3]};
    auto& profiles = record->userProfiles;
    const bool known =
        std::any_of(profiles.begin(), profiles.end(), [&](const RecordedUserProfile& other) {
          return EqualsIgnoreCase(other.sid, profile.sid) &&
                 EqualsIgnoreCase(other.variablesKey, profile.variablesKey);
        });
    if (!known) profiles.push_back(profile);
  } else if (kind == "demand-load" && fields.size() == 6) {
    RecordedKey key{0, 0, fields[3], fields[4], fields[5]};
    if (!ParseNumber(fields[1], &key.view) || (key.view != 32 && key.view != 64) ||
        !ParseNumber(fields[2], &key.year) || key.productKey.empty() || key.application.empty())
      return false;
    auto& keys = record->keys;
    const auto known = std::find_if(keys.begin(), keys.end(),
                                    [&](const RecordedKey& other) { return SameKey(other, key); });
    if (known == keys.end()) {
      keys.push_back(key);
    } else {
      *known = key;
    }
  } else {
    return false;
  }
  return true;
}

}  // namespace

std::string RecordPath(const std::string& installFolder) {
  return installFolder + "\\" + kRecordFileName;
}

std::string BackupPathOf(const std::string& hostFile) { return hostFile + ".B-PlotSweep.bak"; }

std::string RecordLine(const TextList& fields) {
  std::string line;
  for (const std::string& field : fields) line += (line.empty() ? "" : "\t") + Escaped(field);
  return line;
}

InstallRecord ParseRecord(const TextList& lines) {
  InstallRecord record;
  for (const std::string& line : lines) {
    if (!line.empty() && line[0] == '#') continue;
    if (!ParseLine(SplitFields(line), &record)) record.damaged = true;
  }
  return record;
}

TextList RecordLines(const InstallRecord& record) {
  TextList lines;
  for (const auto& folder : record.folders) lines.push_back(RecordLine({"folder", folder}));
  for (const auto& file : record.productFiles) lines.push_back(RecordLine({"product-file", file}));
  for (const auto& key : record.keys) {
    lines.push_back(RecordLine({"demand-load", std::to_string(key.view), std::to_string(key.year),
                                key.productKey, key.application, key.loader}));
  }
  for (const auto& profile : record.trustedProfiles) {
    lines.push_back(RecordLine({"trusted-paths", profile}));
  }
  for (const auto& profile : record.userProfiles) {
    lines.push_back(
        RecordLine({"user-trusted-paths", profile.sid, profile.folder, profile.variablesKey}));
  }
  for (const auto& file : record.hostFiles) {
    lines.push_back(RecordLine({"host-file", file.created ? "created" : "replaced", file.path}));
  }
  for (const auto& folder : record.abandonedFolders) {
    lines.push_back(RecordLine({"abandoned", folder}));
  }
  return lines;
}

RecordWriter::RecordWriter(platform::FileSystemPort& files, std::string path)
    : m_files(files), m_path(std::move(path)) {}

void RecordWriter::DemandLoad(const RecordedKey& key) {
  Add({"demand-load", std::to_string(key.view), std::to_string(key.year), key.productKey,
       key.application, key.loader});
}

bool RecordWriter::KnowsHostFile(const std::string& path) const {
  return std::any_of(
      m_known.hostFiles.begin(), m_known.hostFiles.end(),
      [&](const RecordedHostFile& file) { return EqualsIgnoreCase(file.path, path); });
}

void RecordWriter::HostFile(const std::string& path, bool created) {
  // Known from now on: a second copy of the same file (a host folder found
  // twice) must not back up what this install has just put there.
  if (!KnowsHostFile(path)) m_known.hostFiles.push_back({path, created});
  Add({"host-file", created ? "created" : "replaced", path});
}

void RecordWriter::AddLines(const TextList& lines) {
  std::string text;
  for (const std::string& line : lines) {
    std::u16string wide;
    if (!base::Utf8ToUtf16(line, &wide)) {
      NoteError(kErrorNoUnicodeTranslation);
      continue;  // never written with a character lost
    }
    text += line + "\r\n";
  }
  if (text.empty()) return;
  NoteError(static_cast<long>(m_files.AppendText(m_path, text)));
}

long ReadRecordLines(platform::FileSystemPort& files, const std::string& path, TextList* lines) {
  lines->clear();
  std::string text;
  const long error = static_cast<long>(files.ReadText(path, kRecordCapacity, &text));
  if (error != 0) return error;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = std::min(text.find('\n', start), text.size());
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    start = end + 1;
    std::u16string wide;
    lines->push_back(base::Utf8ToUtf16(line, &wide) ? line : std::string());
  }
  return 0;
}

}  // namespace install
