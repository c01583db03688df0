#include "platform/win32/gdi_objects.h"

#include "platform/win32/wide_text.h"

namespace win32 {

bool CBrush::CreateSolidBrush(COLORREF color) { return Reset(::CreateSolidBrush(color)); }

bool CFont::Create(int height, int weight, BYTE charSet, const char* faceName) {
  return Reset(::CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, charSet,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, Wide(faceName).c_str()));
}

}  // namespace win32
