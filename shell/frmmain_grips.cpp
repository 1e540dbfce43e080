// The resize grips of the main window: the bottom edge, the right edge and the corner. While a
// grip is dragged (its Tag is "1"), the dragged edge goes to the pointer.
#include "frmmain.h"
#include "twips.h"

namespace sorvani::shell {

namespace {

// The window never gets smaller than this; a size at or below it is refused.
constexpr int kMinimumWidth = 2500;
constexpr int kMinimumHeight = 1500;

void EndDrag(ImageControl& grip) { grip.Tag.clear(); }

}  // namespace

bool frmmain::ResizeInTwips(int width, int height) {
    // A maximized window keeps its size.
    if (isMaximized()) return false;
    resize(TwipsToPixels(width), TwipsToPixels(height));
    return true;
}

// From here on the grip, not a maximize or restore, decides what the content does.
void frmmain::StartDrag(ImageControl& grip) {
    grip.Tag = QStringLiteral("1");
    contentFollows_.reset();
}

void frmmain::Pbottom_MouseDown() { StartDrag(*Pbottom); }
void frmmain::Pbottom_MouseUp() { EndDrag(*Pbottom); }
void frmmain::Pright_MouseDown() { StartDrag(*Pright); }
void frmmain::Pright_MouseUp() { EndDrag(*Pright); }
void frmmain::Pjiao_MouseDown() { StartDrag(*Pjiao); }
void frmmain::Pjiao_MouseUp() { EndDrag(*Pjiao); }

void frmmain::Pbottom_MouseMove() {
    if (Pbottom->Tag.isEmpty()) return;
    const TwipRect window = GeometryInTwips(*this);
    const int height = PixelsToTwips(pointer_->ScreenPixels().y()) - window.top;
    if (height <= kMinimumHeight || !ResizeInTwips(window.width, height)) return;
    GrowInTwips(*Frame1, 0, height - window.height);
    GrowInTwips(*Frame2, 0, height - window.height);
}

void frmmain::Pright_MouseMove() {
    if (Pright->Tag.isEmpty()) return;
    const TwipRect window = GeometryInTwips(*this);
    const int width = PixelsToTwips(pointer_->ScreenPixels().x()) - window.left;
    if (width <= kMinimumWidth || !ResizeInTwips(width, window.height)) return;
    GrowInTwips(*Frame2, width - window.width, 0);
}

// Width and height are judged each on its own; the content keeps its size.
void frmmain::Pjiao_MouseMove() {
    if (Pjiao->Tag.isEmpty()) return;
    const TwipRect window = GeometryInTwips(*this);
    const QPoint pointer = pointer_->ScreenPixels();
    const int width = PixelsToTwips(pointer.x()) - window.left;
    const int height = PixelsToTwips(pointer.y()) - window.top;
    if (width > kMinimumWidth) ResizeInTwips(width, GeometryInTwips(*this).height);
    if (height > kMinimumHeight) ResizeInTwips(GeometryInTwips(*this).width, height);
}

}  // namespace sorvani::shell
