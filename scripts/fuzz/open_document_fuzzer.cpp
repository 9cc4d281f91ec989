// libFuzzer target: the bytes of one input are opened as a score document, every bar
// column of the score is laid out and every bar drawn with the recording painter; then
// the editor opens the same bytes, runs its first layout, draws every page and enters,
// undoes and redoes a note on the first and the last page. The same path as the bounded
// fuzz test of the score documents. Not built by default:
//
//     CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DBRINDLE_BUILD_FUZZERS=ON \
//         -DBRINDLE_BUILD_TESTS=OFF -DBRINDLE_BUILD_BENCH=OFF
//     cmake --build build-fuzz --target fuzz_open_document
//     mkdir -p corpus && cp some-saved-score.exl corpus/
//     build-fuzz/bin/fuzz_open_document -max_total_time=600 -detect_leaks=0 corpus
//
// Everything of ours is built with AddressSanitizer and UndefinedBehaviorSanitizer.
// Leak checking is left off because the system's Xerces-C 3.2 keeps about 200 bytes of
// every document whose document type names an external DTD (allocated while it reads
// the prolog, never freed); nothing of ours leaks with it.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include <unistd.h>

#include "engine/xml/music_xml_file.h"
#include "tests/engine/xml/open_document_harness.h"

namespace {

const std::filesystem::path& Scratch()
{
    static const std::filesystem::path path =
        std::filesystem::temp_directory_path() /
        ("brindle-fuzz-" + std::to_string(::getpid()) + ".exl");
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    quaverly::MusicXmlFile::SetDtdFile(std::filesystem::path(BRINDLE_DATA_DIR) / "dtd" /
                                       "partwise.dtd");
    // One document before the first input, so that what the XML library sets up once
    // for the process is not taken for a leak of that input.
    quaverly::xml_test::OpenAndDraw(
        "<?xml version=\"1.0\"?><!DOCTYPE score-partwise PUBLIC \"-//Recordare//DTD MusicXML "
        "1.0 Partwise//EN\" \"http://www.musicxml.org/dtds/partwise.dtd\"><score-partwise/>",
        Scratch());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    quaverly::xml_test::OpenAndDraw(bytes, Scratch());
    return 0;
}
