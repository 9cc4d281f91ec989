#include "engine/xml/music_xml_file.h"

#include <mutex>
#include <new>
#include <string>
#include <utility>

#include "engine/model/score.h"
#include "engine/xml/atomic_file_writer.h"
#include "engine/xml/document_type_declaration.h"
#include "engine/xml/file_bytes.h"
#include "engine/xml/pretty_document_writer.h"
#include "engine/xml/score_partwise_converter.h"
#include "engine/xml/xml_document_context.h"
#include "engine/xml/xml_reader.h"

namespace quaverly {

namespace {

namespace fs = std::filesystem;

std::mutex& DtdMutex()
{
    static std::mutex mutex;
    return mutex;
}

fs::path& DtdPath()
{
    static fs::path path;
    return path;
}

// The text of the DTD file; empty when there is none or it cannot be read.
std::string ReadDtd(const fs::path& path)
{
    std::string bytes;
    std::string ignored;
    if (path.empty() || !ReadFileBytes(path, MusicXmlFile::kMaxDocumentBytes, bytes, ignored))
        return {};
    return bytes;
}

// The writer ends its own lines with CR LF but leaves a line feed inside a text as it
// is. Such a line feed becomes a character reference, which reads back the same, so
// every line of the file ends in CR LF. Only text holds a bare line feed: the writer
// puts none into markup, and none occurs inside a UTF-8 sequence.
std::string WithCrLfLineEnds(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    std::size_t from = 0;
    for (std::size_t at = bytes.find('\n'); at != std::string_view::npos;
         at = bytes.find('\n', at + 1)) {
        if (at > 0 && bytes[at - 1] == '\r')
            continue;
        out.append(bytes.substr(from, at - from));
        out += "&#xA;";
        from = at + 1;
    }
    out.append(bytes.substr(from));
    return out;
}

}  // namespace

MusicXmlFile::MusicXmlFile() = default;

void MusicXmlFile::SetDtdFile(fs::path path)
{
    const std::lock_guard lock(DtdMutex());
    DtdPath() = std::move(path);
}

fs::path MusicXmlFile::GetDtdFile()
{
    const std::lock_guard lock(DtdMutex());
    return DtdPath();
}

bool MusicXmlFile::Fail(std::string reason)
{
    error_ = std::move(reason);
    return false;
}

bool MusicXmlFile::Load(const fs::path& path)
{
    error_.clear();
    validityErrors_ = 0;
    pageResult_ = {};
    systemRecords_.clear();
    if (!score_)
        return Fail("no score");
    score_->ClearChildren();
    bool ok = false;
    std::string bytes;
    std::string reason;
    // Room is left for the rewrite of its document type, which then stays in the buffer.
    if (!ReadFileBytes(path, kMaxDocumentBytes, bytes, reason, kExternalSubsetReferenceRoom))
        Fail("cannot read " + path.string() + ": " + reason);
    else
        ok = ReadDocument(std::move(bytes));
    if (!ok) {
        // Nothing of a document that failed half way stays behind.
        score_->ClearChildren();
        pageResult_ = {};
        systemRecords_.clear();
    }
    return ok;
}

bool MusicXmlFile::ReadDocument(std::string bytes)
{
    const fs::path dtdFile = GetDtdFile();
    const std::string dtd = ReadDtd(dtdFile);
    // The library keeps a little of every external DTD subset it reads in a document
    // type declaration and never frees it; the same declarations reached from the
    // internal subset cost nothing.
    ReferenceExternalSubsetFromInside(bytes);
    try {
        XmlReadOutcome read;
        const bool parsed = XmlReader::Read({bytes, dtd, dtdFile.empty()}, read);
        // The tree holds what the score is built from; the bytes are not needed again.
        std::string().swap(bytes);
        validityErrors_ = read.validityErrors;
        if (!parsed)
            return Fail(std::move(read.error));
        const XmlElement* root = read.tree.Root();
        if (!root)
            return Fail("no root element");
        if (!TextEquals(root->Name(), u"score-partwise"))
            return Fail("the root element is not score-partwise");

        XmlDocumentContext context;
        ScorePartwiseConverter converter;
        converter.SetElement(root);
        converter.SetScore(score_);
        converter.SetContext(&context);
        converter.Read();
        if (context.unreadable)
            return Fail("cannot read the document: " + context.unreadableReason);

        systemRecords_ = std::move(context.systemRecords);
        pageResult_ = context.pageResult;
        score_->GetLineBreaks() = std::move(context.lineBreaks);
        score_->GetBarsPerLine() = std::move(context.barsPerLine);
        score_->GetLinesPerPage() = std::move(context.linesPerPage);
        return true;
    } catch (const std::bad_alloc&) {
        return Fail("out of memory");
    } catch (...) {
        return Fail("cannot read the document");
    }
}

bool MusicXmlFile::Save(const fs::path& path)
{
    error_.clear();
    if (!score_)
        return Fail("no score");
    std::string bytes;
    try {
        XmlTree tree;
        XmlElement& root = tree.AddElement(nullptr, u"score-partwise");
        XmlDocumentContext context;
        context.lineBreaks = score_->GetLineBreaks();
        context.barsPerLine = score_->GetBarsPerLine();
        context.linesPerPage = score_->GetLinesPerPage();
        context.systemRecords = systemRecords_;
        context.pageResult = pageResult_;

        ScorePartwiseConverter converter;
        converter.SetScore(score_);
        converter.SetContext(&context);
        converter.SetParentElement(&root);
        converter.Write();

        std::string text;
        if (!WritePrettyDocument(root, kPublicId, kSystemId, text))
            return Fail("cannot write the document");
        bytes = WithCrLfLineEnds(text);
    } catch (const std::bad_alloc&) {
        return Fail("out of memory");
    } catch (...) {
        return Fail("cannot write the document");
    }
    std::string reason;
    if (!AtomicFileWriter::Write(path, bytes, &reason))
        return Fail("cannot save " + path.string() + ": " + reason);
    return true;
}

}  // namespace quaverly
