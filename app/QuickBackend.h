#pragma once

// How Qt Quick, behind the embedded web pages, draws. On a machine whose
// OpenGL is a software rasteriser (no GPU, a virtual display), a window with
// an OpenGL web view is composed by that rasteriser as a whole on every
// repaint, however small: a countdown ticking each second costs a core's
// 1-2% while idle. There the web pages draw in software instead, and a
// window repaints only what changed. With a real GPU nothing changes.
class QuickBackend
{
public:
    // Before the first web view is made, with the application object in
    // place; QT_QUICK_BACKEND, when set, decides instead.
    static void chooseForWebPages();
    // Whether chooseForWebPages chose software drawing.
    static bool softwareChosen();
};
