#pragma once
namespace tabrix {

class MainControls;

// Dragging a label with the mouse, when start-up allows it: a press remembers the point
// inside the label, each move while captured shifts the label so that this point stays
// under the pointer, the release lets go. Coordinates are the label's own.
class LabelDragging {
public:
    void allow() { allowed_ = true; }
    bool allowed() const { return allowed_; }
    int captured() const { return label_; }  // 0 when none

    void press(int number, int x, int y);
    void move(MainControls& controls, int number, int x, int y);
    void release(int number);

private:
    bool allowed_ = false;
    int label_ = 0;
    int originX_ = 0;
    int originY_ = 0;
};

}  // namespace tabrix
