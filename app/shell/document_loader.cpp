#include "app/shell/document_loader.h"

#include <QImage>

#include <algorithm>
#include <atomic>
#include <cerrno>

#include <fcntl.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/painter/draw_resource_table.h"
#include "app/painter/gdi_score_painter.h"
#include "app/shell/command_ids.h"
#include "engine/editor/editor_interface.h"
#include "engine/xml/document_type_declaration.h"
#include "engine/xml/temporary_file_name.h"
#include "platform/frame_window_base.h"
#include "platform/qt_device_context.h"
#include "platform/text_encoding.h"
#include "scoredata/score_data.h"

namespace brindle {

namespace fs = std::filesystem;

namespace {

// No score document comes near this; a larger file is not copied into memory.
constexpr std::uintmax_t kMaxDocumentBytes = 256u * 1024u * 1024u;

constexpr std::string_view kCopyPrefix = "~tn_temp-";
constexpr std::string_view kCopySuffix = ".xml";

// Only a regular file is read. It is opened without waiting, so a named pipe or a device
// in its place is refused at once instead of stopping the thread.
// `room`: bytes of capacity to spare after the document.
bool ReadDocument(const fs::path& path, std::string& bytes, std::size_t room)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && static_cast<std::uintmax_t>(st.st_size) <= kMaxDocumentBytes;
    if (ok)
        bytes.reserve(static_cast<std::size_t>(st.st_size) + room);
    char chunk[65536];
    while (ok) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        bytes.append(chunk, static_cast<std::size_t>(n));
        ok = bytes.size() <= kMaxDocumentBytes;
    }
    ::close(fd);
    return ok;
}

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

}  // namespace

namespace {

// Where the token stands in the system identifier of the document type; npos when it
// does not. Only that identifier is pointed elsewhere: a title or a lyric that quotes the
// address keeps it.
std::size_t TokenInDocumentType(std::string_view document, const DocumentTypeRewrite& rewrite)
{
    const auto decl = quaverly::DocumentTypeDeclaration::Find(document);
    if (rewrite.token.empty() || !decl.found || decl.externalId.Empty())
        return std::string_view::npos;
    const std::string_view id = document.substr(decl.systemId.begin, decl.systemId.Size());
    const std::size_t in = id.find(rewrite.token);
    return in == std::string_view::npos ? in : decl.systemId.begin + in;
}

}  // namespace

std::string RewriteDocumentType(std::string_view document, const DocumentTypeRewrite& rewrite)
{
    const std::size_t at = TokenInDocumentType(document, rewrite);
    std::string out;
    out.reserve(document.size() + document.size() / 32 + rewrite.replacement.size() + 2);
    // Copies document[from, to), with the identifier replaced when it starts there. The
    // token holds no line end, so it never straddles two runs.
    const auto copy = [&](std::size_t from, std::size_t to) {
        if (at >= from && at < to) {
            out.append(document.substr(from, at - from));
            out.append(rewrite.replacement);
            const std::size_t after = std::min(to, at + rewrite.token.size());
            out.append(document.substr(after, to - after));
        } else {
            out.append(document.substr(from, to - from));
        }
    };
    // Lines that already end in CR LF are copied as they are, in runs as long as the
    // next bare line feed; a bare line feed becomes CR LF. A document saved by the
    // program is copied in one run.
    std::size_t from = 0;
    std::size_t start = 0;
    for (std::size_t end = document.find('\n'); end != std::string_view::npos;
         end = document.find('\n', start)) {
        if (end == start || document[end - 1] != '\r') {
            copy(from, end);
            out.append("\r\n");
            from = end + 1;
        }
        start = end + 1;
    }
    // The last line (empty after a final line feed) ends in CR LF too; a CR it ends in
    // is that CR LF's.
    std::size_t last = document.size();
    if (last > start && document[last - 1] == '\r')
        --last;
    copy(from, last);
    out.append("\r\n");
    return out;
}

void RewriteDocumentTypeInPlace(std::string& document, const DocumentTypeRewrite& rewrite)
{
    for (std::size_t end = document.find('\n'); end != std::string::npos; end = document.find('\n', end + 1)) {
        if (end == 0 || document[end - 1] != '\r') {
            document = RewriteDocumentType(document, rewrite);
            return;
        }
    }
    // Every line ends in CR LF already: the identifier is replaced where it stands and
    // the last line gets its CR LF (a CR it ends in is that CR LF's).
    if (const std::size_t at = TokenInDocumentType(document, rewrite); at != std::string::npos)
        document.replace(at, rewrite.token.size(), rewrite.replacement);
    document.append(!document.empty() && document.back() == '\r' ? "\n" : "\r\n");
}

fs::path TemporaryCopyFolder()
{
    std::error_code ec;
    const fs::path folder = fs::temp_directory_path(ec);
    return ec ? fs::path("/tmp") : folder;
}

TemporaryDocumentCopy::TemporaryDocumentCopy(const fs::path& folder, std::string_view bytes)
{
    static std::atomic<unsigned long> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path path = folder / (std::string(kCopyPrefix) + std::to_string(::getpid()) + "-" +
                                        std::to_string(counter.fetch_add(1)) + std::string(kCopySuffix));
        // Readable and writable by the user only.
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return;
        }
        const bool written = WriteAll(fd, bytes);
        if (::close(fd) == 0 && written)
            path_ = path;
        else
            ::unlink(path.c_str());
        return;
    }
}

TemporaryDocumentCopy::~TemporaryDocumentCopy()
{
    if (!path_.empty())
        ::unlink(path_.c_str());
}

long TemporaryDocumentCopy::OwnerOf(std::string_view name)
{
    if (name.size() <= kCopyPrefix.size() + kCopySuffix.size() || !name.starts_with(kCopyPrefix) ||
        !name.ends_with(kCopySuffix))
        return 0;
    const std::string_view rest = name.substr(kCopyPrefix.size(), name.size() - kCopyPrefix.size() - kCopySuffix.size());
    return quaverly::OwnerOfCountedName(rest);
}

bool LoadScoreDocument(quaverly::api::ScoreEditor& editor, OpenJob& job)
{
    job.documentFailed = false;
    std::string bytes;
    // Room for the longer identifier and the last line's CR LF: a document the program
    // saved is rewritten in the buffer it was read into.
    if (!ReadDocument(job.document, bytes, job.rewrite.replacement.size() + 2)) {
        job.documentFailed = true;
        return false;
    }
    RewriteDocumentTypeInPlace(bytes, job.rewrite);
    quaverly::ScoreFileInfo info;
    bool loaded = false;
    {
        const TemporaryDocumentCopy copy(job.temporaryFolder, bytes);
        // The editor reads the copy: the bytes read here are not kept while it does.
        std::string().swap(bytes);
        // Without room for the copy the document itself is read.
        const std::string& source = copy.Path().empty() ? job.document.native() : copy.Path().native();
        loaded = editor.LoadMusicXml(platform::Utf8ToUtf16(source), info);
    }
#ifdef __GLIBC__
    // Reading went through the document's text and a tree of all its elements, freed
    // now but kept by this thread's allocator: handed back to the system, so that the
    // layout the window's thread builds next does not add its memory on top of it.
    malloc_trim(0);
#endif
    if (!loaded) {
        job.documentFailed = true;
        return false;
    }
    job.info = info;
    return true;
}

void RunQueuedCommands(quaverly::api::ScoreEditor& editor, const PageGeometry& page,
                       const DrawResourceTable* resources)
{
    // Measured on an image, as the view measures its page picture: the same resolution,
    // the same fonts, so the lines break where the screen will show them. Only the
    // resolution counts (the page's extent is mapped below), so the image is a single
    // pixel: a page-sized one would cost its megabytes for nothing.
    QImage image(1, 1, QImage::Format_RGB32);
    image.fill(Qt::white);
    platform::QtDeviceContext dc(&image);
    const float f = MapPage(dc, page, {page.width, page.height});
    GdiScorePainter painter;
    SetUpPagePainter(painter, dc, resources, page, f);
    editor.RunPendingCommands(&painter);
}

void LayOutLoadedScore(quaverly::api::ScoreEditor& editor, OpenJob& job)
{
    RunQueuedCommands(editor, job.page, job.resources);
    job.channels = ChannelsInUse(editor);
}

std::array<bool, 16> ChannelsInUse(quaverly::api::ScoreEditor& editor)
{
    std::array<bool, 16> used{};
    const ScoreDataPtr data = ExportScore(editor);
    if (!data)
        return used;
    for (int id : data->GetStaveIds()) {
        const tabulon::StaveData* stave = data->GetStave(id);
        if (!stave)
            continue;
        for (int staffId : stave->GetStaffIds()) {
            const tabulon::StaffData* staff = stave->GetStaff(staffId);
            if (staff && staff->GetChannel() >= 0 && staff->GetChannel() < 16)
                used[static_cast<std::size_t>(staff->GetChannel())] = true;
        }
    }
    return used;
}

void ReleaseScoreData::operator()(tabulon::ScoreData* data) const
{
    data->Release();
}

ScoreDataPtr ExportScore(quaverly::api::ScoreEditor& editor)
{
    ScoreDataPtr data(create_score_data());
    if (data)
        editor.ExportScoreData(data.get());
    return data;
}

void DocumentWorker::Start(std::function<void()> work)
{
    Wait();
    thread_ = std::thread(std::move(work));
}

void DocumentWorker::Wait()
{
    if (thread_.joinable())
        thread_.join();
}

ProgressToken::ProgressToken(platform::FrameWindowBase* frame) : frame_(frame)
{
    if (frame_)
        frame_->SendMessage(msg::kShowProgress);
}

ProgressToken::~ProgressToken()
{
    if (frame_)
        frame_->SendMessage(msg::kHideProgress);
}

}  // namespace brindle
