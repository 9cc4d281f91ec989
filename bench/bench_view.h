// The score view of the program over an editor of its own, as the benchmarks and
// harnesses drive it: a document loaded into the editor and laid out by the view's
// queued-command pass, with the first page rendered as on screen.
#pragma once

#include <filesystem>
#include <memory>

#include "app/shell/brindle_view.h"
#include "engine/editor/score_editor.h"
#include "engine/xml/music_xml_file.h"

namespace bench {

// The view with its page rendering open to the benchmarks.
class BenchView final : public brindle::CBrindleView {
public:
    using CBrindleView::RenderPageBitmap;
};

struct LaidOutDocument {
    quaverly::ScoreEditor* editor = nullptr;
    std::unique_ptr<BenchView> view;

    // Needs the GUI application (bench/bench_application.h).
    LaidOutDocument()
    {
        editor = static_cast<quaverly::ScoreEditor*>(create_quaverly_editor());
        view = std::make_unique<BenchView>();
        view->UseEditor(editor);
        view->resize(900, 1000);
        view->Create();
        view->InitialUpdate();
        view->SetPageInfo(brindle::PageInfo{});
        view->ApplyPageInfo();
    }
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
