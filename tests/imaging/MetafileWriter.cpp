#include "MetafileWriter.h"

#include <uemf.h>
#include <uemf_utf.h>
#include <uwmf.h>

#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace {

// The bitmap's pixel bits: 24-bit rows (B, G, R) from the bottom, padded to 4 bytes:
// blue, yellow; then red, green.
std::vector<char> BitmapBits() {
  static const unsigned char bytes[16] = {255, 0, 0, 0, 255, 255, 0, 0, 0, 0, 255, 0, 255, 0, 0, 0};
  return std::vector<char>(bytes, bytes + sizeof bytes);
}

void Check(int result) {
  if (result) throw std::runtime_error("libuemf failed");
}

}  // namespace

// Device of 192 pixels per inch: logical units (MM_TEXT) are half pixels of the picture.
void WriteTestEmf(const std::string& file) {
  constexpr int k = 2;
  EMFTRACK* et = nullptr;
  EMFHANDLES* eht = nullptr;
  Check(emf_start(file.c_str(), 100000, 25000, &et));
  Check(emf_htable_create(128, 128, &eht));
  const U_RECTL bounds = rectl_set(point32_set(0, 0), point32_set(200 * k - 1, 150 * k - 1));
  const U_RECTL frame = rectl_set(point32_set(0, 0), point32_set(200 * 2540 / 96, 150 * 2540 / 96));
  Check(emf_append(reinterpret_cast<U_ENHMETARECORD*>(U_EMRHEADER_set(bounds, frame, nullptr, 0, nullptr,
                                                                      sizel_set(1920, 1920), sizel_set(254, 254), 0)),
                   et, U_REC_FREE));
  const auto add = [&](char* record) { Check(emf_append(reinterpret_cast<U_ENHMETARECORD*>(record), et, U_REC_FREE)); };
  const auto box = [&](int l, int t, int r, int b) {
    return rectl_set(point32_set(l * k, t * k), point32_set(r * k, b * k));
  };
  uint32_t handle = 0;
  const auto fill = [&](U_COLORREF color) {
    add(createpen_set(&handle, eht, logpen_set(U_PS_SOLID, U_POINT{1, 0}, color)));
    add(selectobject_set(handle, eht));
    add(createbrushindirect_set(&handle, eht, logbrush_set(U_BS_SOLID, color, 0)));
    add(selectobject_set(handle, eht));
  };
  fill(U_RGB(255, 0, 0));
  add(U_EMRRECTANGLE_set(box(10, 10, 60, 50)));
  fill(U_RGB(0, 0, 255));
  add(U_EMRELLIPSE_set(box(80, 10, 140, 60)));
  fill(U_RGB(0, 255, 0));
  const U_POINTL triangle[] = {point32_set(10 * k, 80 * k), point32_set(60 * k, 80 * k), point32_set(35 * k, 130 * k)};
  add(U_EMRPOLYGON_set(box(10, 80, 60, 130), 3, triangle));

  uint16_t* face = U_Utf8ToUtf16le("DejaVu Sans", 0, nullptr);
  U_LOGFONT font = logfont_set(-40 * k, 0, 0, 0, U_FW_NORMAL, 0, 0, 0, U_DEFAULT_CHARSET, 0, 0, 0, 0, face);
  std::free(face);
  add(extcreatefontindirectw_set(&handle, eht, reinterpret_cast<const char*>(&font), nullptr));
  add(selectobject_set(handle, eht));
  add(U_EMRSETTEXTCOLOR_set(U_RGB(0, 0, 0)));
  add(U_EMRSETBKMODE_set(U_TRANSPARENT));
  uint16_t* text = U_Utf8ToUtf16le("Hi", 0, nullptr);
  uint32_t dx[] = {20 * k, 20 * k};
  char* emrtext = emrtext_set(point32_set(150 * k, 100 * k), 2, 2, text, U_ETO_NONE, box(150, 100, 200, 150), dx);
  add(U_EMREXTTEXTOUTW_set(box(150, 100, 200, 150), U_GM_COMPATIBLE, 1, 1, reinterpret_cast<PU_EMRTEXT>(emrtext)));
  std::free(emrtext);
  std::free(text);

  std::vector<char> bits = BitmapBits();
  PU_BITMAPINFO info = bitmapinfo_set(bitmapinfoheader_set(2, 2, 1, 24, U_BI_RGB, 0, 0, 0, 0, 0), nullptr);
  add(U_EMRSTRETCHDIBITS_set(box(80, 80, 120, 120), point32_set(80 * k, 80 * k), point32_set(40 * k, 40 * k),
                             point32_set(0, 0), point32_set(2, 2), U_DIB_RGB_COLORS, U_SRCCOPY, info,
                             static_cast<uint32_t>(bits.size()), bits.data()));
  std::free(info);
  add(U_EMREOF_set(0, nullptr, et));
  Check(emf_finish(et, eht));
  emf_free(&et);
  emf_htable_free(&eht);
}

// A placeable file of 1440 logical units to the inch: 15 to a pixel.
void WriteTestWmf(const std::string& file) {
  constexpr int k = 15;
  WMFTRACK* wt = nullptr;
  WMFHANDLES* wht = nullptr;
  Check(wmf_start(file.c_str(), 100000, 25000, &wt));
  Check(wmf_htable_create(128, 128, &wht));
  U_PAIRF* inches = U_PAIRF_set(200.0f / 96, 150.0f / 96);
  Check(wmf_header_append(reinterpret_cast<U_METARECORD*>(U_WMRHEADER_set(inches, 1440)), wt, U_REC_FREE));
  std::free(inches);
  const auto add = [&](char* record) { Check(wmf_append(reinterpret_cast<U_METARECORD*>(record), wt, U_REC_FREE)); };
  const auto point = [&](int x, int y) {
    return point16_set(static_cast<int16_t>(x * k), static_cast<int16_t>(y * k));
  };
  const auto box = [&](int l, int t, int r, int b) { return U_RECT16_set(point(l, t), point(r, b)); };
  uint32_t handle = 0;
  const auto fill = [&](U_COLORREF color) {
    add(wcreatepenindirect_set(&handle, wht, U_PEN_set(U_PS_SOLID, 1, color)));
    add(wselectobject_set(handle, wht));
    add(wcreatebrushindirect_set(&handle, wht, U_WLOGBRUSH_set(U_BS_SOLID, color, 0)));
    add(wselectobject_set(handle, wht));
  };
  add(U_WMRSETWINDOWORG_set(point16_set(0, 0)));
  add(U_WMRSETWINDOWEXT_set(point(200, 150)));
  fill(U_RGB(255, 0, 0));
  add(U_WMRRECTANGLE_set(box(10, 10, 60, 50)));
  fill(U_RGB(0, 0, 255));
  add(U_WMRELLIPSE_set(box(80, 10, 140, 60)));
  fill(U_RGB(0, 255, 0));
  const U_POINT16 triangle[] = {point(10, 80), point(60, 80), point(35, 130)};
  add(U_WMRPOLYGON_set(3, triangle));

  char face[] = "DejaVu Sans";
  U_FONT* font =
      U_FONT_set(static_cast<int16_t>(-40 * k), 0, 0, 0, U_FW_NORMAL, 0, 0, 0, U_DEFAULT_CHARSET, 0, 0, 0, 0, face);
  add(wcreatefontindirect_set(&handle, wht, font));
  std::free(font);
  add(wselectobject_set(handle, wht));
  add(U_WMRSETTEXTCOLOR_set(U_RGB(0, 0, 0)));
  add(U_WMRSETBKMODE_set(U_TRANSPARENT));
  char text[] = "Hi";
  add(U_WMRTEXTOUT_set(point(150, 100), text));

  std::vector<char> bits = BitmapBits();
  PU_BITMAPINFO info = bitmapinfo_set(bitmapinfoheader_set(2, 2, 1, 24, U_BI_RGB, 0, 0, 0, 0, 0), nullptr);
  add(U_WMRSTRETCHDIB_set(point(80, 80), point(40, 40), point16_set(0, 0), point16_set(2, 2), U_DIB_RGB_COLORS,
                          U_SRCCOPY, info, static_cast<uint32_t>(bits.size()), bits.data()));
  std::free(info);
  add(U_WMREOF_set());
  Check(wmf_finish(wt));
  wmf_free(&wt);
  wmf_htable_free(&wht);
}

void WriteTestStrokesEmf(const std::string& file) {
  constexpr int k = 10;  // logical units to a pixel
  EMFTRACK* et = nullptr;
  EMFHANDLES* eht = nullptr;
  Check(emf_start(file.c_str(), 100000, 25000, &et));
  Check(emf_htable_create(128, 128, &eht));
  const U_RECTL bounds = rectl_set(point32_set(0, 0), point32_set(299, 199));
  const U_RECTL frame = rectl_set(point32_set(0, 0), point32_set(300 * 2540 / 96, 200 * 2540 / 96));
  Check(emf_append(reinterpret_cast<U_ENHMETARECORD*>(U_EMRHEADER_set(bounds, frame, nullptr, 0, nullptr,
                                                                      sizel_set(960, 960), sizel_set(254, 254), 0)),
                   et, U_REC_FREE));
  const auto add = [&](char* record) { Check(emf_append(reinterpret_cast<U_ENHMETARECORD*>(record), et, U_REC_FREE)); };
  const auto at = [&](int x, int y) { return point32_set(x * k, y * k); };
  const auto at16 = [&](int x, int y) { return point16_set(static_cast<int16_t>(x * k), static_cast<int16_t>(y * k)); };
  const auto box = [&](int l, int t, int r, int b) { return rectl_set(at(l, t), at(r, b)); };
  add(U_EMRSETMAPMODE_set(U_MM_ANISOTROPIC));
  add(U_EMRSETWINDOWORGEX_set(point32_set(0, 0)));
  add(U_EMRSETWINDOWEXTEX_set(sizel_set(300 * k, 200 * k)));
  add(U_EMRSETVIEWPORTORGEX_set(point32_set(0, 0)));
  add(U_EMRSETVIEWPORTEXTEX_set(sizel_set(300, 200)));
  uint32_t handle = 0;
  const auto pen = [&](U_COLORREF color, int width) {
    U_EXTLOGPEN* logpen = extlogpen_set(U_PS_SOLID | U_PS_GEOMETRIC, width * k, U_BS_SOLID, color, 0, 0, nullptr);
    add(extcreatepen_set(&handle, eht, nullptr, 0, nullptr, logpen));
    std::free(logpen);
    add(selectobject_set(handle, eht));
  };
  const auto brush = [&](U_COLORREF color) {
    add(createbrushindirect_set(&handle, eht, logbrush_set(U_BS_SOLID, color, 0)));
    add(selectobject_set(handle, eht));
  };
  pen(U_RGB(255, 0, 0), 3);
  add(U_EMRMOVETOEX_set(at(10, 5)));
  add(U_EMRLINETO_set(at(290, 5)));
  pen(U_RGB(0, 0, 255), 3);
  const U_POINT16 polyline[] = {at16(10, 20), at16(100, 20), at16(100, 40)};
  add(U_EMRPOLYLINE16_set(box(10, 20, 100, 40), 3, polyline));
  pen(U_RGB(0, 0, 0), 1);
  brush(U_RGB(0, 255, 0));
  add(U_EMRPIE_set(box(10, 50, 70, 110), at(70, 80), at(40, 50)));
  brush(U_RGB(255, 255, 0));
  add(U_EMRCHORD_set(box(80, 50, 140, 110), at(140, 80), at(80, 80)));
  pen(U_RGB(0, 0, 0), 3);
  add(U_EMRARC_set(box(150, 50, 210, 110), at(210, 80), at(180, 50)));
  pen(U_RGB(0, 0, 0), 1);
  brush(U_RGB(255, 0, 0));
  const U_POINT16 squares[] = {at16(10, 130), at16(30, 130), at16(30, 150), at16(10, 150),
                               at16(40, 130), at16(60, 130), at16(60, 150), at16(40, 150)};
  const uint32_t counts[] = {4, 4};
  add(U_EMRPOLYPOLYGON16_set(box(10, 130, 60, 150), 2, counts, 8, squares));

  add(createbrushindirect_set(&handle, eht, logbrush_set(U_BS_SOLID, U_RGB(0, 255, 255), 0)));
  add(deleteobject_set(&handle, eht));
  brush(U_RGB(255, 128, 0));
  add(U_EMRRECTANGLE_set(box(80, 130, 120, 170)));
  brush(U_RGB(255, 0, 255));
  add(U_EMRSAVEDC_set());
  brush(U_RGB(255, 255, 255));
  add(U_EMRRESTOREDC_set(-1));
  add(U_EMRRECTANGLE_set(box(150, 130, 190, 170)));

  std::vector<char> bits = BitmapBits();
  PU_BITMAPINFO info = bitmapinfo_set(bitmapinfoheader_set(2, 2, 1, 24, U_BI_RGB, 0, 0, 0, 0, 0), nullptr);
  add(U_EMRSTRETCHBLT_set(box(220, 130, 260, 170), at(220, 130), at(40, 40), point32_set(0, 0), point32_set(2, 2),
                          xform_set(1, 0, 0, 1, 0, 0), U_RGB(0, 0, 0), U_DIB_RGB_COLORS, U_SRCCOPY, info,
                          static_cast<uint32_t>(bits.size()), bits.data()));
  add(U_EMRBITBLT_set(box(270, 130, 272, 132), at(270, 130), at(2, 2), point32_set(0, 0), xform_set(1, 0, 0, 1, 0, 0),
                      U_RGB(0, 0, 0), U_DIB_RGB_COLORS, U_SRCCOPY, info, static_cast<uint32_t>(bits.size()),
                      bits.data()));
  std::free(info);

  uint16_t* face = U_Utf8ToUtf16le("DejaVu Sans", 0, nullptr);
  U_LOGFONT font = logfont_set(-20 * k, 0, 0, 0, U_FW_BOLD, 0, 0, 0, U_DEFAULT_CHARSET, 0, 0, 0, 0, face);
  std::free(face);
  add(extcreatefontindirectw_set(&handle, eht, reinterpret_cast<const char*>(&font), nullptr));
  add(selectobject_set(handle, eht));
  add(U_EMRSETTEXTCOLOR_set(U_RGB(0, 0, 0)));
  add(U_EMRSETBKCOLOR_set(U_RGB(255, 255, 255)));
  add(U_EMRSETTEXTALIGN_set(U_TA_TOP | U_TA_LEFT));
  uint16_t* text = U_Utf8ToUtf16le("Hi", 0, nullptr);
  uint32_t dx[] = {10 * k, 10 * k};
  char* emrtext = emrtext_set(at(230, 60), 2, 2, text, U_ETO_NONE, box(230, 60, 300, 90), dx);
  add(U_EMREXTTEXTOUTW_set(box(230, 60, 300, 90), U_GM_COMPATIBLE, 1, 1, reinterpret_cast<PU_EMRTEXT>(emrtext)));
  std::free(emrtext);
  std::free(text);
  add(U_EMREOF_set(0, nullptr, et));
  Check(emf_finish(et, eht));
  emf_free(&et);
  emf_htable_free(&eht);
}

void WriteTestStrokesWmf(const std::string& file) {
  constexpr int k = 15;
  WMFTRACK* wt = nullptr;
  WMFHANDLES* wht = nullptr;
  Check(wmf_start(file.c_str(), 100000, 25000, &wt));
  Check(wmf_htable_create(128, 128, &wht));
  U_PAIRF* inches = U_PAIRF_set(300.0f / 96, 200.0f / 96);
  Check(wmf_header_append(reinterpret_cast<U_METARECORD*>(U_WMRHEADER_set(inches, 1440)), wt, U_REC_FREE));
  std::free(inches);
  const auto add = [&](char* record) { Check(wmf_append(reinterpret_cast<U_METARECORD*>(record), wt, U_REC_FREE)); };
  const auto at = [&](int x, int y) { return point16_set(static_cast<int16_t>(x * k), static_cast<int16_t>(y * k)); };
  const auto box = [&](int l, int t, int r, int b) { return U_RECT16_set(at(l, t), at(r, b)); };
  uint32_t handle = 0;
  const auto pen = [&](U_COLORREF color, int width) {
    add(wcreatepenindirect_set(&handle, wht, U_PEN_set(U_PS_SOLID, static_cast<uint16_t>(width * k), color)));
    add(wselectobject_set(handle, wht));
  };
  const auto brush = [&](U_COLORREF color) {
    add(wcreatebrushindirect_set(&handle, wht, U_WLOGBRUSH_set(U_BS_SOLID, color, 0)));
    add(wselectobject_set(handle, wht));
  };
  add(U_WMRSETWINDOWORG_set(point16_set(0, 0)));
  add(U_WMRSETWINDOWEXT_set(at(300, 200)));
  pen(U_RGB(255, 0, 0), 3);
  add(U_WMRMOVETO_set(at(10, 5)));
  add(U_WMRLINETO_set(at(290, 5)));
  pen(U_RGB(0, 0, 255), 3);
  const U_POINT16 polyline[] = {at(10, 20), at(100, 20), at(100, 40)};
  add(U_WMRPOLYLINE_set(3, polyline));
  pen(U_RGB(0, 0, 0), 1);
  brush(U_RGB(0, 255, 0));
  add(U_WMRPIE_set(at(70, 80), at(40, 50), box(10, 50, 70, 110)));
  brush(U_RGB(255, 255, 0));
  add(U_WMRCHORD_set(at(140, 80), at(80, 80), box(80, 50, 140, 110)));
  pen(U_RGB(0, 0, 0), 3);
  add(U_WMRARC_set(at(210, 80), at(180, 50), box(150, 50, 210, 110)));
  pen(U_RGB(0, 0, 0), 1);
  brush(U_RGB(255, 0, 0));
  const U_POINT16 squares[] = {at(10, 130), at(30, 130), at(30, 150), at(10, 150),
                               at(40, 130), at(60, 130), at(60, 150), at(40, 150)};
  const uint16_t counts[] = {4, 4};
  add(U_WMRPOLYPOLYGON_set(2, counts, squares));

  add(wcreatebrushindirect_set(&handle, wht, U_WLOGBRUSH_set(U_BS_SOLID, U_RGB(0, 255, 255), 0)));
  add(wdeleteobject_set(&handle, wht));
  brush(U_RGB(255, 128, 0));
  add(U_WMRRECTANGLE_set(box(80, 130, 120, 170)));
  brush(U_RGB(255, 0, 255));
  add(U_WMRSAVEDC_set());
  brush(U_RGB(255, 255, 255));
  add(U_WMRRESTOREDC_set(-1));
  add(U_WMRRECTANGLE_set(box(150, 130, 190, 170)));

  std::vector<char> bits = BitmapBits();
  PU_BITMAPINFO info = bitmapinfo_set(bitmapinfoheader_set(2, 2, 1, 24, U_BI_RGB, 0, 0, 0, 0, 0), nullptr);
  add(U_WMRDIBSTRETCHBLT_set(at(220, 130), at(40, 40), point16_set(0, 0), point16_set(2, 2), U_SRCCOPY, info,
                             static_cast<uint32_t>(bits.size()), bits.data()));
  add(U_WMRDIBBITBLT_set(at(270, 130), at(2, 2), point16_set(0, 0), U_SRCCOPY, info, static_cast<uint32_t>(bits.size()),
                         bits.data()));
  std::free(info);

  char face[] = "DejaVu Sans";
  U_FONT* font =
      U_FONT_set(static_cast<int16_t>(-20 * k), 0, 0, 0, U_FW_BOLD, 0, 0, 0, U_DEFAULT_CHARSET, 0, 0, 0, 0, face);
  add(wcreatefontindirect_set(&handle, wht, font));
  std::free(font);
  add(wselectobject_set(handle, wht));
  add(U_WMRSETTEXTCOLOR_set(U_RGB(0, 0, 0)));
  add(U_WMRSETBKCOLOR_set(U_RGB(255, 255, 255)));
  add(U_WMRSETTEXTALIGN_set(U_TA_TOP | U_TA_LEFT));
  char text[] = "Hi";
  add(U_WMREXTTEXTOUT_set(at(230, 60), 2, 0, text, nullptr, box(230, 60, 300, 90)));
  add(U_WMREOF_set());
  Check(wmf_finish(wt));
  wmf_free(&wt);
  wmf_htable_free(&wht);
}

void WriteFloodEmf(const std::string& file, int count) {
  EMFTRACK* et = nullptr;
  EMFHANDLES* eht = nullptr;
  Check(emf_start(file.c_str(), 100000, 25000, &et));
  Check(emf_htable_create(128, 128, &eht));
  const U_RECTL all = rectl_set(point32_set(0, 0), point32_set(300, 300));
  const U_RECTL frame = rectl_set(point32_set(0, 0), point32_set(300 * 2540 / 96, 300 * 2540 / 96));
  const auto add = [&](char* record) { Check(emf_append(reinterpret_cast<U_ENHMETARECORD*>(record), et, U_REC_FREE)); };
  add(U_EMRHEADER_set(all, frame, nullptr, 0, nullptr, sizel_set(960, 960), sizel_set(254, 254), 0));
  for (int i = 0; i < count; ++i) add(U_EMRRECTANGLE_set(all));
  add(U_EMREOF_set(0, nullptr, et));
  Check(emf_finish(et, eht));
  emf_free(&et);
  emf_htable_free(&eht);
}
