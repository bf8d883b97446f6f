// An off-screen canvas the size of the area to be repainted, positioned so that the painter's
// coordinates need no translation.
#include "grid_painter_win32.h"

#include <optional>

#include "unique_win32.h"

namespace {

COLORREF ToColorRef(Rgb color) { return RGB(color.r, color.g, color.b); }

void RunOps(HDC dc, const std::vector<DrawOp>& ops) {
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  for (const DrawOp& op : ops) {
    if (op.kind == DrawOp::Kind::Fill) {
      RECT area{op.rect.left, op.rect.top, op.rect.right, op.rect.bottom};
      UniqueBrush brush(CreateSolidBrush(ToColorRef(op.color)));
      if (brush) FillRect(dc, &area, brush.get());
    } else {
      TextOutA(dc, op.x, op.y, op.text.data(), static_cast<int>(op.text.size()));
    }
  }
}

// A memory device context with a bitmap of the clip box selected into it.
class Canvas {
 public:
  static std::optional<Canvas> For(HDC target) {
    RECT clip{};
    if (GetClipBox(target, &clip) == ERROR || IsRectEmpty(&clip)) return std::nullopt;
    UniqueDc dc(CreateCompatibleDC(target));
    if (!dc) return std::nullopt;
    UniqueBitmap bitmap(CreateCompatibleBitmap(target, clip.right - clip.left, clip.bottom - clip.top));
    if (!bitmap) return std::nullopt;
    return std::optional<Canvas>(std::in_place, std::move(dc), std::move(bitmap), clip);
  }

  Canvas(UniqueDc dc, UniqueBitmap bitmap, const RECT& clip)
      : dc_(std::move(dc)), bitmap_(std::move(bitmap)), selection_(dc_.get(), bitmap_.get()), clip_(clip) {
    SetWindowOrgEx(dc_.get(), clip_.left, clip_.top, nullptr);
  }

  HDC dc() const { return dc_.get(); }

  void CopyTo(HDC target) const {
    BitBlt(target, clip_.left, clip_.top, clip_.right - clip_.left, clip_.bottom - clip_.top, dc_.get(), clip_.left,
           clip_.top, SRCCOPY);
  }

 private:
  // Declared in this order so that the bitmap is deselected before either is deleted.
  UniqueDc dc_;
  UniqueBitmap bitmap_;
  Selection selection_;
  RECT clip_;
};

}  // namespace

void PaintGrid(HDC target, const RECT& item, const PaintSnapshot& snapshot) {
  std::vector<DrawOp> ops = PaintOps(snapshot, Rect{item.left, item.top, item.right, item.bottom});
  std::optional<Canvas> canvas = Canvas::For(target);
  if (!canvas) {
    RunOps(target, ops);
    return;
  }
  RunOps(canvas->dc(), ops);
  canvas->CopyTo(target);
}
