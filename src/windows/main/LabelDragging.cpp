#include "windows/main/LabelDragging.h"

#include "windows/main/MainControls.h"

namespace tabrix {
namespace {

bool isLabel(int number) {
    return number >= kFirstMainLabel && number <= kLastMainLabel;
}

}  // namespace

void LabelDragging::press(int number, int x, int y) {
    if (!allowed_ || !isLabel(number)) return;
    originX_ = x;
    originY_ = y;
    label_ = number;
}

void LabelDragging::move(MainControls& controls, int number, int x, int y) {
    if (label_ == 0 || number != label_) return;
    if (x == originX_ && y == originY_) return;
    // x and y are measured from the label's new place, so the origin stays under the pointer.
    Label& label = controls.label(number);
    label.left += x - originX_;
    label.top += y - originY_;
}

void LabelDragging::release(int number) {
    if (!allowed_ || !isLabel(number)) return;
    label_ = 0;
}

}  // namespace tabrix
