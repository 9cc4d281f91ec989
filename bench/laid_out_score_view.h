// The program's score view over an editor of its own, as the benchmarks and harnesses
// drive it: with the benchmark score laid out on its pages as the program has it once a
// document is open (the view made and shown at its normal zoom, the page set up, the
// score laid out line by line and put on pages with the program's drawing device, the
// first page current), or with a document loaded and laid out by the view itself.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>

#include <QImage>
#include <QPainter>

#include "app/painter/gdi_score_painter.h"
#include "app/shell/brindle_view.h"
#include "bench/benchmark_score.h"
#include "engine/editor/score_editor.h"
#include "engine/model/score.h"
#include "engine/xml/music_xml_file.h"
#include "platform/qt_device_context.h"

namespace bench {

// The view with its page rendering and its paint open to the benchmarks.
class BenchView final : public brindle::CBrindleView {
public:
    using CBrindleView::RenderPageBitmap;

    // One paint of the window as the window system asks for it, into `window` (the
    // client area's size): the page picture rendered as due, then the window composed.
    void PaintWindow(QImage& window)
    {
        QPainter painter(&window);
        platform::QtDeviceContext dc(&painter);
        OnDraw(dc);
    }
};

// The view over `editor` made and shown as the program makes it, with the default page.
inline std::unique_ptr<BenchView> MakeBenchView(quaverly::ScoreEditor* editor)
{
    auto view = std::make_unique<BenchView>();
    view->UseEditor(editor);
    view->resize(900, 1000);
    view->Create();
    view->InitialUpdate();
    view->SetPageInfo(brindle::PageInfo{});
    view->ApplyPageInfo();
    return view;
}

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
        view = MakeBenchView(editor);
        FillViewScore(*editor->score, bars);
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

// A view over an editor of its own into which a document is loaded and laid out by the
// view's queued-command pass, with the first page rendered as on screen. Needs the GUI
// application (bench/bench_application.h).
struct LaidOutDocument {
    quaverly::ScoreEditor* editor = static_cast<quaverly::ScoreEditor*>(create_quaverly_editor());
    std::unique_ptr<BenchView> view = MakeBenchView(editor);

    LaidOutDocument() = default;
    ~LaidOutDocument()
    {
        view.reset();
        quaverly::api::DestroyEditor(editor);
    }
    LaidOutDocument(const LaidOutDocument&) = delete;
    LaidOutDocument& operator=(const LaidOutDocument&) = delete;

    // Loads the document into the editor and lets the view lay it out.
    bool Open(const std::filesystem::path& document)
    {
        quaverly::PageLayoutResult info;
        if (!editor->LoadMusicXml(document.u16string(), info))
            return false;
        view->ShowScore();
        view->RenderPageBitmap();  // runs the queued layout, then draws the first page
        return true;
    }
};

}  // namespace bench
