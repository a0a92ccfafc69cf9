#pragma once

// Registers the pictures and the style sheet compiled into the editor library. Resources in a static
// library are only linked in when something calls this; it is safe to call any number of times.
void initEditorResources();
