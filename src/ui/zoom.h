#pragma once

class QWidget;

namespace tallimer {

// The handheld's layout at `percent`: `widget` and its controls (its direct children) get
// their positions, sizes, size limits and icon sizes of 100 % multiplied, and every font set
// inside it grows, whatever zoom they had before (the 100 % values are kept on each widget the
// first time, so the first call must find the widget where it stands at 100 %). Controls a layout
// places are only sized; the layout's owner scales its spacing.
void ZoomWidgets(QWidget* widget, int percent);

// A length of the handheld's layout at `percent`.
int Zoomed(int length, int percent);

}  // namespace tallimer
