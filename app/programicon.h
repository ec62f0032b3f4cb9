#pragma once

class QWidget;

// Gives the application its icon, in six images, once `window` has painted for the first time, or
// after a second when it has not: the window system takes the icon whenever it is set, and the first
// paint need not wait for its images.
void setProgramIconAfterFirstPaint(QWidget *window);
