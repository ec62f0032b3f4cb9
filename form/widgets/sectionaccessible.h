#pragma once

// Screen readers meet each section of the form as a group named after its header: a panel is a
// grouping, named by the header strip it holds, and the strip is a heading that reads its caption.
// Without these, both are unnamed fillers that a reader passes over in silence.
void installSectionAccessibility();
