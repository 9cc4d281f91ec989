// The score view, as far as the window needs it so far: it paints the empty desk with
// a blank page, runs its start-up tasks after the first update (opening the document
// named on the command line), takes the frame's tempo, autosave and text-style
// messages, and decides about closing. Editing, playback and the document commands
// come with the rest of the view.
#pragma once

#include <string>
#include <string_view>

#include "app/shell/text_style_change.h"
#include "platform/view_base.h"

namespace platform {
class FrameWindowBase;
}

namespace brindle {

class CBrindleDoc;

class CBrindleView : public platform::ViewBase {
    Q_OBJECT

public:
    explicit CBrindleView(QWidget* parent = nullptr);
    ~CBrindleView() override;

    void SetDocument(CBrindleDoc* document) { m_pDocument = document; }
    CBrindleDoc* GetDocument() const { return m_pDocument; }
    // The frame that closing is confirmed to (0x601).
    void SetFrame(platform::FrameWindowBase* frame) { m_pFrame = frame; }

    // True while no document is being loaded, played or recorded.
    virtual bool IsIdle() const { return !m_bBusy; }
    virtual bool HasScore() const { return m_bScoreReady; }

    // Starts opening a score file; false (after telling the user) when the file is
    // refused, for instance for its extension.
    virtual bool OpenScoreFile(std::u16string_view path);
    // A file dropped or chosen from the recent-file list: nothing while the view is
    // busy (and that counts as success); otherwise as OpenScoreFile.
    virtual bool OpenDroppedFile(std::u16string_view path);

    // The file the view was last asked to open.
    const std::u16string& OpeningPath() const { return m_strOpeningPath; }
    int CurrentTempo() const { return m_nTempo; }

    // Busy (loading, playing) and score-open states, set by the document commands.
    bool m_bBusy = false;
    bool m_bScoreReady = false;

protected:
    void OnInitialUpdate() override;
    void OnDraw(platform::QtDeviceContext& dc) override;

    // 0x5F4: the tasks that wait for the window to be up.
    virtual void OnStartUpTasks();
    // 0x5FB: the playback tempo changed.
    virtual void OnTempoChanged(int tempo);
    // 0x600: time to write the autosave copy.
    virtual void OnAutosave();
    // 0x60C: one field of the free-text font changed.
    virtual void OnFreeTextFont(const TextStyleChange& change);
    // The window is asked to close: refused while busy; otherwise confirmed to the frame.
    virtual void OnClose();

private:
    CBrindleDoc* m_pDocument = nullptr;
    platform::FrameWindowBase* m_pFrame = nullptr;
    std::u16string m_strOpeningPath;
    int m_nTempo = 0;
};

}  // namespace brindle
