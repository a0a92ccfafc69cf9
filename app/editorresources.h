#pragma once

// Registers the pictures and the style sheet compiled into the editor library. Resources in a static
// library are only linked in when something calls this; it is safe to call any number of times.
void initEditorResources();

// Turns on Qt's scaling for high-DPI screens and its high-DPI pictures (the "@2x" files beside the
// ordinary ones), and plain raster drawing for all widgets. Must run before the application object is created.
void setApplicationAttributes();
