#pragma once

class QGuiApplication;

// Keeps the window's text readable when a screen starts to draw scaled while the program runs: the
// bitmap-only face gives way to its stand-in (fonts::followScreens), and each widget's own font of
// that face is made of the stand-in, which lays the widget's text out again.
void followScreenScaling(QGuiApplication *application);
