// The score view over the editor with the benchmark score laid out on its pages, as the
// program has it once a document is open: the view made and shown at its normal zoom,
// the page set up, the score laid out line by line and put on pages with the program's
// drawing device, the first page current.
#pragma once

#include <cstdint>
#include <memory>

#include <QImage>

#include "app/painter/gdi_score_painter.h"
#include "app/shell/brindle_view.h"
#include "bench/benchmark_score.h"
#include "engine/editor/score_editor.h"
#include "engine/model/score.h"
#include "platform/qt_device_context.h"

namespace bench {

// The view with its page rendering open to the benchmarks.
class BenchView final : public brindle::CBrindleView {
public:
    using CBrindleView::RenderPageBitmap;
};

// The benchmark score with a meter change halfway and two key changes.
inline void FillViewScore(quaverly::Score& score, int bars)
{
    score.SetTimeSignature({0, 4, 4, 1});
    score.SetTimeSignature({bars / 2, 3, 4, 0});
    score.SetKeySignature({0, 0, 1});
    score.SetKeySignature({bars / 3, 2, 1});
    AppendParts(score, bars, BarTies::EveryFourthBar);
}

// The view and its editor with `bars` bars laid out; both go together.
struct LaidOutScoreView {
    quaverly::ScoreEditor* editor = nullptr;
    std::unique_ptr<BenchView> view;

    explicit LaidOutScoreView(int bars)
    {
        editor = static_cast<quaverly::ScoreEditor*>(create_quaverly_editor());
        view = std::make_unique<BenchView>();
        view->UseEditor(editor);
        view->resize(900, 1000);
        view->Create();
        view->InitialUpdate();
        FillViewScore(*editor->score, bars);
        view->SetPageInfo(brindle::PageInfo{});
        view->ApplyPageInfo();
        const float f = static_cast<float>(view->UnitsPerPixel());
        QImage image(view->PageWidth(), view->PageHeight(), QImage::Format_RGB32);
        platform::QtDeviceContext dc(&image);
        dc.SetMapMode(platform::MapMode::Isotropic);
        dc.SetWindowExt({static_cast<std::int32_t>(view->PageWidth() * f),
                         static_cast<std::int32_t>(view->PageHeight() * f)});
        dc.SetViewportExt({view->PageWidth(), view->PageHeight()});
        view->DrawResources().MeasureNoteSizes(dc, f);
        brindle::GdiScorePainter painter;
        painter.SetDC(&dc);
        painter.SetResourceTable(&view->DrawResources());
        painter.SetScale(f);
        painter.SetTransparentBackground();
        editor->RelayoutFrom(painter, 1, 1);
        editor->RepaginateFrom(painter, 0);
        editor->SetCurrentPage(0);
        view->ShowScore();
    }
    ~LaidOutScoreView()
    {
        view.reset();
        quaverly::api::DestroyEditor(editor);
    }
    LaidOutScoreView(const LaidOutScoreView&) = delete;
    LaidOutScoreView& operator=(const LaidOutScoreView&) = delete;
};

}  // namespace bench
