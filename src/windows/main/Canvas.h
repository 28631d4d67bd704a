#pragma once
#include <string>
#include <utility>
#include <vector>

#include "platform/Platform.h"

namespace tabrix {

// The window's drawing surface in self-draw mode. Texts written on it are not kept: the
// view puts them straight onto the window, and any repaint of that part covers them.
struct CanvasWrite {
    bool newFont = false;  // a self-draw pass: make `font`, without anti-aliasing, the canvas font
    Font font;
    int graph = -1;    // a graph (Graphs index) as it stands now, in an opaque white box
    std::string text;  // otherwise: this text in an opaque white box with its top-left here
    int left = 0;
    int top = 0;
};

// Where the writes go, in order: the view, which puts them on the window.
class CanvasSink {
public:
    virtual ~CanvasSink() = default;
    virtual void write(CanvasWrite w) = 0;
};

struct Canvas {
    Font font;                   // as the last self-draw pass left it
    CanvasSink* sink = nullptr;  // none: the writes go nowhere

    void newFont(const Font& f) {
        font = f;
        CanvasWrite w;
        w.newFont = true;
        w.font = f;
        emit(std::move(w));
    }
    void textOut(int left, int top, const std::string& text) {
        CanvasWrite w;
        w.text = text;
        w.left = left;
        w.top = top;
        emit(std::move(w));
    }
    void drawGraph(int graph) {
        CanvasWrite w;
        w.graph = graph;
        emit(std::move(w));
    }

private:
    void emit(CanvasWrite w) {
        if (sink) sink->write(std::move(w));
    }
};

}  // namespace tabrix
