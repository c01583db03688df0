#pragma once
// Owners of GDI objects: each deletes the object it holds when destroyed or
// when it creates another.

#include <windows.h>

namespace win32 {

template <typename Handle>
class GdiObject {
 public:
  GdiObject() = default;
  ~GdiObject() { Reset(nullptr); }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  Handle GetSafeHandle() const { return m_handle; }

 protected:
  // Takes `handle`, deleting the one held; true when it is not null.
  bool Reset(Handle handle) {
    if (m_handle) DeleteObject(m_handle);
    m_handle = handle;
    return m_handle != nullptr;
  }

 private:
  Handle m_handle = nullptr;
};

class CBrush : public GdiObject<HBRUSH> {
 public:
  // A solid brush; false when GDI refuses.
  bool CreateSolidBrush(COLORREF color);
};

class CFont : public GdiObject<HFONT> {
 public:
  // CreateFontW(height, 0, 0, 0, weight, no italic/underline/strike-out,
  // charSet, default precisions, quality and pitch, faceName); `faceName` is
  // UTF-8. False when GDI refuses.
  bool Create(int height, int weight, BYTE charSet, const char* faceName);
};

}  // namespace win32
