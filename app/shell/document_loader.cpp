#include "app/shell/document_loader.h"

#include <QImage>

#include <fstream>

#include "app/painter/draw_resource_table.h"
#include "app/painter/gdi_score_painter.h"
#include "app/shell/command_ids.h"
#include "engine/editor/editor_interface.h"
#include "engine/xml/document_type_declaration.h"
#include "platform/frame_window_base.h"
#include "platform/qt_device_context.h"
#include "platform/text_encoding.h"
#include "scoredata/score_data.h"

namespace brindle {

namespace fs = std::filesystem;

namespace {

// No score document comes near this; a larger file is not copied into memory.
constexpr std::uintmax_t kMaxDocumentBytes = 256u * 1024u * 1024u;

bool ReadDocument(const fs::path& path, std::string& bytes)
{
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return false;
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec || size > kMaxDocumentBytes)
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.resize(static_cast<std::size_t>(size));
    return size == 0 || static_cast<bool>(in.read(bytes.data(), static_cast<std::streamsize>(size)));
}

}  // namespace

std::string RewriteDocumentType(std::string_view document, const DocumentTypeRewrite& rewrite)
{
    // Only the system identifier of the document type is pointed elsewhere: a title or a
    // lyric that quotes the address keeps it.
    std::size_t at = std::string_view::npos;
    const auto decl = quaverly::DocumentTypeDeclaration::Find(document);
    if (!rewrite.token.empty() && decl.found && !decl.externalId.Empty()) {
        const std::string_view id = document.substr(decl.systemId.begin, decl.systemId.Size());
        if (const std::size_t in = id.find(rewrite.token); in != std::string_view::npos)
            at = decl.systemId.begin + in;
    }
    std::string out;
    out.reserve(document.size() + document.size() / 32 + rewrite.replacement.size() + 2);
    std::size_t start = 0;
    while (true) {
        const std::size_t end = document.find('\n', start);
        std::string_view line = document.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (at >= start && at < start + line.size()) {
            out.append(line.substr(0, at - start));
            out.append(rewrite.replacement);
            out.append(line.substr(at - start + rewrite.token.size()));
        } else {
            out.append(line);
        }
        out.append("\r\n");
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    return out;
}

TemporaryDocumentCopy::TemporaryDocumentCopy(const fs::path& folder, std::string_view bytes)
    : file_(QString::fromStdString((folder / "~tn_temp-XXXXXX.xml").native()))
{
    // Made readable and writable by the user only, and removed with the object.
    if (!file_.open())
        return;
    const bool written = file_.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size()) &&
                         file_.flush();
    file_.close();
    if (written)
        path_ = fs::path(file_.fileName().toStdString());
    else
        file_.remove();
}

bool LoadScoreDocument(quaverly::api::ScoreEditor& editor, OpenJob& job)
{
    std::string bytes;
    if (!ReadDocument(job.document, bytes))
        return false;
    const TemporaryDocumentCopy copy(job.temporaryFolder, RewriteDocumentType(bytes, job.rewrite));
    if (copy.Path().empty())
        return false;
    quaverly::ScoreFileInfo info;
    if (!editor.LoadMusicXml(platform::Utf8ToUtf16(copy.Path().native()), info))
        return false;
    job.info = info;
    return true;
}

void RunQueuedCommands(quaverly::api::ScoreEditor& editor, const PageGeometry& page,
                       const DrawResourceTable* resources)
{
    // Measured on an image, as the view measures its page picture: the same resolution,
    // the same fonts, so the lines break where the screen will show them.
    QImage image(std::max(1, page.width), std::max(1, page.height), QImage::Format_RGB32);
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
