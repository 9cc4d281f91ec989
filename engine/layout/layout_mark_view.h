// The screen-only marks that show where the user fixed the layout: a forced line break
// after a line, a bars-per-line entry of a line and a lines-per-page entry of a page.
// They are never printed; deleting one asks for the removal of its entry. They cannot be
// dragged or nudged.
#pragma once

#include "engine/model/editable_element.h"

namespace quaverly {

// What the three marks share: the edit-mark colour, a rectangle standing on the mark's
// point, and drawing only while visible (the editor's show-mark switches decide).
class LayoutMarkView : public EditableElement {
public:
    // (0, -h, w, 0) from the mark's measure.
    void Layout(ScorePainter& painter) override;
    void Draw(ScorePainter& painter) override;

protected:
    LayoutMarkView();  // colour index 34, current and normal

    virtual Size Measure(ScorePainter& painter) const = 0;
    // Draws at the rectangle's absolute top-left corner.
    virtual void DrawAt(ScorePainter& painter, Point topLeft) const = 0;
};

// Shown at the end of a line that a forced break ends.
class LineBreakMarkView final : public LayoutMarkView {
public:
    // The bar that begins the next line.
    void SetBarIndex(int bar) { bar_ = bar; }
    int GetBarIndex() const { return bar_; }

    // 1012 with the bar index: remove the line break.
    void DeleteSelected() override;

private:
    Size Measure(ScorePainter& painter) const override;
    void DrawAt(ScorePainter& painter, Point topLeft) const override;

    int bar_ = 0;
};

// Shows the number of bars the user fixed for a line.
class BarsPerLineMarkView final : public LayoutMarkView {
public:
    void SetLineIndex(int line) { line_ = line; }
    int GetLineIndex() const { return line_; }
    void SetBarsPerLine(int bars) { bars_ = bars; }
    int GetBarsPerLine() const { return bars_; }

    // 1013 with the entry {line index, bars per line}.
    void DeleteSelected() override;

private:
    Size Measure(ScorePainter& painter) const override;
    void DrawAt(ScorePainter& painter, Point topLeft) const override;

    int line_ = 0;
    int bars_ = 1;
};

// Shows the number of lines the user fixed for a page.
class LinesPerPageMarkView final : public LayoutMarkView {
public:
    void SetPageIndex(int page) { page_ = page; }
    int GetPageIndex() const { return page_; }
    void SetLinesPerPage(int lines) { lines_ = lines; }
    int GetLinesPerPage() const { return lines_; }

    // 1014 with the entry {page index, lines per page}.
    void DeleteSelected() override;

private:
    Size Measure(ScorePainter& painter) const override;
    void DrawAt(ScorePainter& painter, Point topLeft) const override;

    int page_ = 0;
    int lines_ = 1;
};

}  // namespace quaverly
