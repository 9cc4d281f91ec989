// One load or one save of a score document: the XML parser and writer set-up, the
// hand-over between the document and the score, and the page record and line layout
// that travel beside the score.
//
// Loading reads the whole file, parses it validating against the program's own DTD
// (validity errors are passed over and the converters read what they find), and fills
// the score. It fails, and leaves the score empty, when the file cannot be read, is not
// well-formed XML (a truncated or damaged file among them), its root is not
// "score-partwise", or its "divisions" are 0 or less; nothing of a failed load stays in
// the score. Loading never reaches the network: the document type resolves to the DTD
// file set with SetDtdFile and every other external entity to empty text.
//
// Saving writes UTF-8 with CR LF line ends and the document type of the partwise format,
// to a temporary file that then replaces the old one, and reports failure; a failed save
// leaves the old file as it was.
//
// Loading parses through XmlReader, which loads the XML library with the first document
// read; saving writes the text itself. A load may run on a worker thread while another
// object saves.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/xml/page_layout_result.h"
#include "engine/xml/system_record.h"

namespace quaverly {

class Score;

class MusicXmlFile {
public:
    // The document type a saved document declares.
    static constexpr char16_t kPublicId[] = u"-//Recordare//DTD MusicXML 1.0 Partwise//EN";
    static constexpr char16_t kSystemId[] = u"http://www.musicxml.org/dtds/partwise.dtd";
    // A file larger than this is not read as a score document.
    static constexpr std::uintmax_t kMaxDocumentBytes = 256u * 1024u * 1024u;

    MusicXmlFile();

    // The score that is read into or written from; not owned.
    void SetScore(Score* score) { score_ = score; }

    // Empties the score, then reads the document into it. False on failure, with the
    // score left empty and the page record and line layout at their starting values.
    bool Load(const std::filesystem::path& path);
    // Writes the score, with the page record and line layout set here. False on failure;
    // the file at the path is then unchanged.
    bool Save(const std::filesystem::path& path);

    PageLayoutResult GetPageResult() const { return pageResult_; }
    void SetPageResult(const PageLayoutResult& result) { pageResult_ = result; }
    // The hand-made line layout: read from the document by a load, written by a save.
    std::vector<SystemRecord> GetSystemRecords() const { return systemRecords_; }
    void SetSystemRecords(std::vector<SystemRecord> records) { systemRecords_ = std::move(records); }

    // Why the last load or save failed, for diagnostics; empty after a success.
    const std::string& GetError() const { return error_; }
    // How many places of the last loaded document did not follow the DTD (they were
    // passed over); a document this program wrote has none.
    int GetValidityErrorCount() const { return validityErrors_; }

    // The program's DTD of the document vocabulary (the data folder's DTD file), for the
    // whole process; the program sets it once at start-up. Without it, or when it cannot
    // be read, documents are read without their declarations.
    static void SetDtdFile(std::filesystem::path path);
    static std::filesystem::path GetDtdFile();

private:
    bool Fail(std::string reason);
    // Takes the bytes: they are let go once parsed, before the score is built.
    bool ReadDocument(std::string bytes);

    Score* score_ = nullptr;
    PageLayoutResult pageResult_;
    std::vector<SystemRecord> systemRecords_;
    std::string error_;
    int validityErrors_ = 0;
};

}  // namespace quaverly
