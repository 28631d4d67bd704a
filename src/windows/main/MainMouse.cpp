#include "windows/main/MainMouse.h"

#include "windows/main/Unit1.h"

namespace tabrix {

void MainMouse::BackgroundMouseDown(MouseButton button, Point screen) {
    if (held_.take(button)) held_.followPointer(screen, {window_.left, window_.top});
}

void MainMouse::LabelMouseDown(int number, int x, int y, MouseButton button) {
    if (!drag_.allowed() || held_.held()) return;
    drag_.press(number, x, y);
    if (drag_.captured()) held_.take(button);
}

void MainMouse::LabelMouseMove(int number, int x, int y) {
    drag_.move(controls_, number, x, y);
}

void MainMouse::GraphMouseDown(int graph, int x, int y, MouseButton button) {
    if (!drag_.allowed() || held_.held()) return;
    graphs_.press(graph, x, y);
    if (graphs_.captured()) held_.take(button);
}

void MainMouse::GraphMouseMove(int graph, int x, int y) {
    graphs_.move(graph, x, y);
}

void MainMouse::BackgroundMouseMove(Point screen) {
    if (const auto corner = held_.corner(screen)) {
        window_.left = corner->x;
        window_.top = corner->y;
    }
}

bool MainMouse::MouseUp(MouseButton button) {
    const bool free = !held_.held();
    if (!held_.release(button)) return button == MouseButton::Right && free;
    MouseCaptureLost();
    return button == MouseButton::Right;
}

void MainMouse::MouseCaptureLost() {
    held_.lost();
    if (const int n = drag_.captured()) drag_.release(n);
    graphs_.release();
}

void MainMouse::PlayerPictureClick(int image) {
    static const struct {
        int image;
        PlayerCommand command;
    } kButtons[] = {{kImagePlay, PlayerCommand::Play},
                    {kImagePause, PlayerCommand::Pause},
                    {kImageStop, PlayerCommand::Stop},
                    {kImageBack, PlayerCommand::Previous},
                    {kImageNext, PlayerCommand::Next}};
    for (const auto& b : kButtons)
        if (b.image == image) return player_.click(b.command);
}

}  // namespace tabrix
