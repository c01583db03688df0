#include "platform/win32/gdi_objects.h"

namespace win32 {

bool CBrush::CreateSolidBrush(COLORREF color) { return Reset(::CreateSolidBrush(color)); }

bool CFont::Create(int height, int weight, BYTE charSet, const char* faceName) {
  return Reset(::CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, charSet,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, faceName));
}

}  // namespace win32
