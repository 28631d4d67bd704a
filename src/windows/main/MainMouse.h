#pragma once
#include "platform/ShellApi.h"
#include "windows/main/LabelDragging.h"
#include "windows/main/WindowDragging.h"

namespace tabrix {

class Graphs;
class MainControls;
class PlayerControl;
struct MainWindowState;

// The mouse on the main window. A press on the background drags the window (screen
// coordinates), one on a label or a graph drags that when dragging is allowed (the label's
// or graph's own coordinates, Graphs numbering from 1); the drag follows the pointer until
// the release of the button that began it. A click on a player button sends its command.
class MainMouse {
public:
    MainMouse(MainWindowState& window, MainControls& controls, Graphs& graphs, PlayerControl& player)
        : window_(window), controls_(controls), graphs_(graphs), player_(player) {}

    void BackgroundMouseDown(MouseButton button, Point screen);
    void LabelMouseDown(int number, int x, int y, MouseButton button = MouseButton::Left);
    void LabelMouseMove(int number, int x, int y);
    void GraphMouseDown(int graph, int x, int y, MouseButton button = MouseButton::Left);
    void GraphMouseMove(int graph, int x, int y);
    void BackgroundMouseMove(Point screen);
    // A button's release: true when the view asks for the context menu next (the right
    // button, with no drag of another button going on).
    bool MouseUp(MouseButton button);
    // The window lost the mouse: whatever was dragged stays where it got to.
    void MouseCaptureLost();
    // A drag holds the mouse (the view keeps it captured meanwhile).
    bool mouseHeld() const { return held_.held(); }
    // Whether start-up allows dragging, and the label being dragged (0 when none).
    const LabelDragging& dragging() const { return drag_; }
    void allowDragging() { drag_.allow(); }
    // Image2Click ... Image7Click: a player button runs the click procedure with its command,
    // by picture number (MainPicture); other numbers run nothing.
    void PlayerPictureClick(int image);

private:
    MainWindowState& window_;
    MainControls& controls_;
    Graphs& graphs_;
    PlayerControl& player_;
    LabelDragging drag_;
    WindowDragging held_;
};

}  // namespace tabrix
