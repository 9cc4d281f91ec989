// Opening a score document off the user-interface thread, in two passes that each hold
// the editor alone: the load pass copies the document into a private temporary file with
// its document type pointing at the program's own DTD, lets the editor read the copy and
// removes it; the layout pass runs the editor's queued first layout with a drawing device
// that measures exactly as the screen does, then collects the MIDI channels the parts use.
//
// Nothing here touches a window: a pass fills its job record and the caller reports back
// by posting. While a pass runs, the user-interface thread leaves the editor alone (the
// view's loading byte keeps every command away from it).
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

#include "app/shell/page_painter.h"
#include "engine/xml/page_layout_result.h"

namespace quaverly::api {
class ScoreEditor;
}

namespace tabulon {
class ScoreData;
}

namespace platform {
class FrameWindowBase;
}

namespace brindle {

class DrawResourceTable;

// Where the document type of an opened document is pointed: the first occurrence of
// `token` ("DTD Replace String") in the system identifier of the document type
// declaration becomes `replacement` (the absolute path of the data folder's DTD file,
// UTF-8); the rest of the document is left as it is. An empty token changes nothing.
struct DocumentTypeRewrite {
    std::string token;
    std::string replacement;
};

// The document's lines in order, each ended by CR LF (a final line feed gives one more,
// empty, line), with the rewrite made. The bytes are not decoded: the document's own
// encoding passes through unchanged.
std::string RewriteDocumentType(std::string_view document, const DocumentTypeRewrite& rewrite);
// The same rewrite, made in the document's own buffer when its lines all end in CR LF
// (every document the program saves): given room for the longer identifier and two
// bytes, such a document is not copied.
void RewriteDocumentTypeInPlace(std::string& document, const DocumentTypeRewrite& rewrite);

// A file of the caller's bytes under a unique name in `folder` ("~tn_temp-" + the process
// id + "-" + a counter + ".xml"), readable and writable only by the user, removed when
// the object goes.
class TemporaryDocumentCopy {
public:
    TemporaryDocumentCopy(const std::filesystem::path& folder, std::string_view bytes);
    ~TemporaryDocumentCopy();
    TemporaryDocumentCopy(const TemporaryDocumentCopy&) = delete;
    TemporaryDocumentCopy& operator=(const TemporaryDocumentCopy&) = delete;

    // Empty when the file could not be written (nothing is left behind then).
    const std::filesystem::path& Path() const { return path_; }

    // The process id in the name of such a copy; 0 when the name is not one.
    static long OwnerOf(std::string_view fileName);

private:
    std::filesystem::path path_;
};

// The system's temporary folder, where the copies go.
std::filesystem::path TemporaryCopyFolder();

// One opening, from the request to what the passes found.
struct OpenJob {
    // Asked for.
    std::filesystem::path document;
    DocumentTypeRewrite rewrite;
    std::filesystem::path temporaryFolder;
    PageGeometry page;  // set on the user-interface thread between the passes
    const DrawResourceTable* resources = nullptr;
    // A recovered autosave copy opens as a new, unsaved document.
    bool recovering = false;

    // Found by the load pass.
    bool loaded = false;
    // The load failed because of the document itself: missing, not a regular file,
    // unreadable or refused by the editor (not, say, a temporary folder without room).
    bool documentFailed = false;
    quaverly::ScoreFileInfo info;
    // Found by the layout pass: the MIDI channels the parts use.
    std::array<bool, 16> channels{};
};

// The load pass: false when the document cannot be read or the editor refuses it (it is
// then left with an empty document). When the copy cannot be written (a full or
// read-only temporary folder) the document itself is read: the editor points its
// document type at the program's DTD as the copy does.
bool LoadScoreDocument(quaverly::api::ScoreEditor& editor, OpenJob& job);
// The layout pass.
void LayOutLoadedScore(quaverly::api::ScoreEditor& editor, OpenJob& job);
// Runs the editor's queued commands with a drawing device that measures as the screen
// does on that page (resources null: the built-in defaults).
void RunQueuedCommands(quaverly::api::ScoreEditor& editor, const PageGeometry& page,
                       const DrawResourceTable* resources);
// The MIDI channels of the score's parts.
std::array<bool, 16> ChannelsInUse(quaverly::api::ScoreEditor& editor);

struct ReleaseScoreData {
    void operator()(tabulon::ScoreData* data) const;
};
using ScoreDataPtr = std::unique_ptr<tabulon::ScoreData, ReleaseScoreData>;
// The editor's score as a score-data record; null when no record can be made.
ScoreDataPtr ExportScore(quaverly::api::ScoreEditor& editor);

// One worker thread at a time. Starting waits for the previous one to end; so does the
// destructor, so nothing the work reaches goes away under it.
class DocumentWorker {
public:
    DocumentWorker() = default;
    ~DocumentWorker() { Wait(); }
    DocumentWorker(const DocumentWorker&) = delete;
    DocumentWorker& operator=(const DocumentWorker&) = delete;

    void Start(std::function<void()> work);
    void Wait();

private:
    std::thread thread_;
};

// The progress dialog of the main window shown for the lifetime of the object: made and
// dropped on the user-interface thread, it sends 0x604 and 0x605 to the frame.
class ProgressToken {
public:
    explicit ProgressToken(platform::FrameWindowBase* frame);
    ~ProgressToken();
    ProgressToken(const ProgressToken&) = delete;
    ProgressToken& operator=(const ProgressToken&) = delete;

    // The frame is going: the token ends without telling it.
    void Dismiss() { frame_ = nullptr; }

private:
    platform::FrameWindowBase* frame_;
};

}  // namespace brindle
