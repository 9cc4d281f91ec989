// An editor for the document commands' tests: loads and saves answer as the test says,
// a load can be held at its start until the test lets it go, every call is recorded
// with the thread it came from, and two calls inside the editor at once count as a race.
#pragma once

#include <QCoreApplication>
#include <QThread>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <vector>

#include "engine/editor/new_score_settings.h"
#include "engine/xml/page_layout_result.h"
#include "stub_editor.h"

namespace view_test {

class DocumentEditor final : public StubEditor {
public:
    struct Call {
        std::string name;
        bool onGuiThread = true;
    };

    // What a load does.
    bool loadResult = true;
    quaverly::ScoreFileInfo loadInfo;
    // What a save does.
    bool saveResult = true;
    // The score's selection and fragment.
    bool selection = false;
    std::vector<std::uint8_t> fragment{'R', 'I', 'F', 'F', 1, 2, 3};

    // Found by the calls.
    std::vector<std::u16string> loadedPaths;
    std::vector<std::string> loadedTexts;  // the files the loads were given, as they were then
    std::vector<std::pair<std::u16string, quaverly::ScoreFileInfo>> saves;
    std::vector<quaverly::NewScoreSettings> newDocuments;
    std::vector<std::vector<std::uint8_t>> pasted;
    int cuts = 0;
    std::vector<std::pair<int, int>> keys;

    // Holds the next loads at their start until Release.
    void HoldLoads()
    {
        std::lock_guard lock(mutex_);
        hold_ = true;
    }
    void Release()
    {
        {
            std::lock_guard lock(mutex_);
            hold_ = false;
        }
        changed_.notify_all();
    }
    bool LoadStarted() const { return loadStarted_.load(); }
    // How many loads have read their file (safe while a load runs).
    std::size_t LoadCount() const
    {
        std::lock_guard lock(mutex_);
        return loadedPaths.size();
    }

    std::vector<Call> Calls() const
    {
        std::lock_guard lock(mutex_);
        return calls_;
    }
    void ClearCalls()
    {
        std::lock_guard lock(mutex_);
        calls_.clear();
    }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const Call& call : Calls())
            names.push_back(call.name);
        return names;
    }
    int Races() const { return races_.load(); }

    void ResetDocument() override { Enter use(this, "ResetDocument"); }
    void SetPageContentSize(int, int) override { Enter use(this, "SetPageContentSize"); }
    bool LoadMusicXml(const std::u16string& path, quaverly::PageLayoutResult& info) override
    {
        Enter use(this, "LoadMusicXml");
        loadStarted_ = true;
        {
            std::unique_lock lock(mutex_);
            changed_.wait_for(lock, std::chrono::seconds(20), [this] { return !hold_; });
        }
        std::ifstream in(std::filesystem::path(path), std::ios::binary);
        std::string text(std::istreambuf_iterator<char>(in), {});
        {
            std::lock_guard lock(mutex_);
            loadedPaths.push_back(path);
            loadedTexts.push_back(std::move(text));
        }
        if (loadResult)
            info = loadInfo;
        return loadResult;
    }
    void NewDocument(const quaverly::NewScoreSettings& settings) override
    {
        Enter use(this, "NewDocument");
        newDocuments.push_back(settings);
    }
    bool SaveMusicXml(const std::u16string& path, const quaverly::PageLayoutResult& info) override
    {
        Enter use(this, "SaveMusicXml");
        saves.emplace_back(path, info);
        return saveResult;
    }
    void ExportScoreData(tabulon::ScoreData*) override { Enter use(this, "ExportScoreData"); }
    void RunPendingCommands(quaverly::ScorePainter*) override { Enter use(this, "RunPendingCommands"); }
    bool Draw(quaverly::ScorePainter*) override
    {
        Enter use(this, "Draw");
        return true;
    }
    void DrawCaret(quaverly::ScorePainter*) override { Enter use(this, "DrawCaret"); }
    void UpdateCaret(quaverly::ScorePainter*) override { Enter use(this, "UpdateCaret"); }
    void ShowPageBorder(bool) override { Enter use(this, "ShowPageBorder"); }
    void ShowTrackBaseLines(bool) override { Enter use(this, "ShowTrackBaseLines"); }
    bool HasSelection() const override
    {
        Enter use(this, "HasSelection");
        return selection;
    }
    void CopySelection(std::vector<std::uint8_t>& bytes) override
    {
        Enter use(this, "CopySelection");
        bytes = fragment;
    }
    void CutSelection(int) override
    {
        Enter use(this, "CutSelection");
        ++cuts;
    }
    void OnKeyDown(int key, int flags) override
    {
        Enter use(this, "OnKeyDown");
        keys.emplace_back(key, flags);
    }
    void Paste(const std::uint8_t* data, std::size_t size) override
    {
        Enter use(this, "Paste");
        pasted.emplace_back(data, data + size);
    }

private:
    // One call inside the editor: recorded, and a second one at the same time is a race.
    class Enter {
    public:
        Enter(const DocumentEditor* editor, const char* name) : editor_(const_cast<DocumentEditor*>(editor))
        {
            if (editor_->inside_.exchange(true))
                ++editor_->races_;
            const bool gui = QThread::currentThread() == QCoreApplication::instance()->thread();
            std::lock_guard lock(editor_->mutex_);
            editor_->calls_.push_back({name, gui});
        }
        ~Enter() { editor_->inside_ = false; }

    private:
        DocumentEditor* editor_;
    };

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool hold_ = false;
    std::atomic<bool> loadStarted_{false};
    std::atomic<bool> inside_{false};
    std::atomic<int> races_{0};
    std::vector<Call> calls_;
};

}  // namespace view_test
