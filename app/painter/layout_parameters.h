// The user's layout parameters (the layout parameter file the parameter dialog edits)
// put into the drawing resources, so that what the dialog shows is what the score is
// drawn and laid out with. Each value lands in the metric the dialog's label names; a
// value outside what a page can use (a negative distance, a scale of 0, an offset of
// metres) is passed over and the metric keeps what it had.
#pragma once

namespace brindle {

class DrawResourceTable;
class FontParamFile;

void ApplyLayoutParameterFile(const FontParamFile& file, DrawResourceTable& table);

}  // namespace brindle
