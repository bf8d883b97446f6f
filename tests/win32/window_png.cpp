// The PNG is written with stored (uncompressed) deflate blocks: a few hundred kilobytes per
// dialog, and no compression library to link into a test.
#include "window_png.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

std::uint32_t Crc32(const unsigned char* data, std::size_t size, std::uint32_t crc = 0) {
  static const auto table = [] {
    std::vector<std::uint32_t> t(256);
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  crc = ~crc;
  for (std::size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

void PutBig32(Bytes& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<unsigned char>(value >> shift));
}

void PutChunk(Bytes& out, const char type[4], const Bytes& data) {
  PutBig32(out, static_cast<std::uint32_t>(data.size()));
  std::size_t typeAt = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  PutBig32(out, Crc32(out.data() + typeAt, 4 + data.size()));
}

Bytes StoredZlib(const Bytes& raw) {
  Bytes out{0x78, 0x01};
  std::size_t at = 0;
  do {
    std::size_t n = std::min<std::size_t>(raw.size() - at, 65535);
    bool last = at + n == raw.size();
    out.push_back(last ? 1 : 0);
    out.push_back(static_cast<unsigned char>(n));
    out.push_back(static_cast<unsigned char>(n >> 8));
    out.push_back(static_cast<unsigned char>(~n));
    out.push_back(static_cast<unsigned char>(~n >> 8));
    out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(at), raw.begin() + static_cast<std::ptrdiff_t>(at + n));
    at += n;
  } while (at < raw.size());
  std::uint32_t a = 1, b = 0;
  for (unsigned char c : raw) {
    a = (a + c) % 65521;
    b = (b + a) % 65521;
  }
  PutBig32(out, b << 16 | a);
  return out;
}

// Rows top to bottom, each led by filter type 0, pixels as RGB.
bool WritePng(const std::string& path, int width, int height, const Bytes& rows) {
  Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes header;
  PutBig32(header, static_cast<std::uint32_t>(width));
  PutBig32(header, static_cast<std::uint32_t>(height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, no interlace
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", StoredZlib(rows));
  PutChunk(png, "IEND", {});
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  return static_cast<bool>(out.flush());
}

struct WindowDc {
  HWND window;
  HDC dc;
  ~WindowDc() {
    if (dc) ReleaseDC(window, dc);
  }
};
struct MemoryDc {
  HDC dc;
  ~MemoryDc() {
    if (dc) DeleteDC(dc);
  }
};
struct GdiObject {
  HGDIOBJ object;
  ~GdiObject() {
    if (object) DeleteObject(object);
  }
};
struct Selection {
  HDC dc;
  HGDIOBJ previous;
  ~Selection() {
    if (previous) SelectObject(dc, previous);
  }
};

}  // namespace

bool SaveWindowPng(HWND window, const std::string& path) {
  RECT rect{};
  if (!GetWindowRect(window, &rect)) return false;
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return false;

  WindowDc source{window, GetWindowDC(window)};
  MemoryDc target{CreateCompatibleDC(source.dc)};
  if (!source.dc || !target.dc) return false;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  GdiObject bitmap{CreateDIBSection(source.dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0)};
  if (!bitmap.object || !bits) return false;
  Selection selection{target.dc, SelectObject(target.dc, bitmap.object)};
  if (!BitBlt(target.dc, 0, 0, width, height, source.dc, 0, 0, SRCCOPY)) return false;
  GdiFlush();

  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
  const auto* dib = static_cast<const unsigned char*>(bits);
  Bytes rows;
  rows.reserve(static_cast<std::size_t>(height) * (1 + static_cast<std::size_t>(width) * 3));
  for (int y = 0; y < height; ++y) {
    rows.push_back(0);
    const unsigned char* pixel = dib + static_cast<std::size_t>(y) * stride;
    for (int x = 0; x < width; ++x, pixel += 3) rows.insert(rows.end(), {pixel[2], pixel[1], pixel[0]});
  }
  return WritePng(path, width, height, rows);
}
