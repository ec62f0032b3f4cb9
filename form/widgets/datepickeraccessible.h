#pragma once

// Screen readers read a date field as the date text it shows, with the caret and the selection of
// its edit line. It offers no numeric value, which a reader would announce as 0.
void installDatePickerAccessibility();
