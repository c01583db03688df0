#include "e2e/harness/dialog_template.h"

#include <cstring>

#include "e2e/harness/utf16_text.h"

namespace {

// A bounds-checked reader of the template's little-endian fields.
class Reader {
 public:
  Reader(const void* data, std::size_t size)
      : m_data(static_cast<const BYTE*>(data)), m_size(size) {}

  bool ok() const { return m_ok; }

  template <typename T>
  T Read() {
    T value{};
    if (m_offset + sizeof(T) > m_size) {
      m_ok = false;
      return value;
    }
    std::memcpy(&value, m_data + m_offset, sizeof(T));
    m_offset += sizeof(T);
    return value;
  }

  // A NUL-terminated UTF-16 string, as UTF-8.
  std::string String() {
    std::wstring text;
    for (WCHAR c = Read<WCHAR>(); m_ok && c != 0; c = Read<WCHAR>()) text += c;
    return Narrowed(text);
  }

  // sz_Or_Ord: 0xFFFF and an ordinal, or a string.
  void SkipStringOrOrdinal() {
    if (Read<WORD>() == 0xFFFF) {
      Read<WORD>();
    } else {
      m_offset -= sizeof(WORD);
      String();
    }
  }

 private:
  const BYTE* m_data;
  std::size_t m_size;
  std::size_t m_offset = 0;
  bool m_ok = true;
};

}  // namespace

bool ParseDialogTemplateEx(const void* data, std::size_t size, DialogTemplate* dialog) {
  Reader in(data, size);
  const WORD version = in.Read<WORD>();
  const WORD signature = in.Read<WORD>();
  if (!in.ok() || version != 1 || signature != 0xFFFF) return false;
  in.Read<DWORD>();  // help ID
  dialog->exStyle = in.Read<DWORD>();
  dialog->style = in.Read<DWORD>();
  in.Read<WORD>();  // item count
  dialog->x = in.Read<short>();
  dialog->y = in.Read<short>();
  dialog->cx = in.Read<short>();
  dialog->cy = in.Read<short>();
  in.SkipStringOrOrdinal();  // menu
  in.SkipStringOrOrdinal();  // window class
  dialog->title = in.String();
  dialog->pointSize = 0;
  if (dialog->style & (DS_SETFONT | DS_SHELLFONT)) {
    dialog->pointSize = in.Read<WORD>();
    in.Read<WORD>();  // weight
    in.Read<BYTE>();  // italic
    in.Read<BYTE>();  // character set
    dialog->typeface = in.String();
  }
  return in.ok();
}
