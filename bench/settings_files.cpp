// Reading the settings files: the symbol dialogs and the view list every user symbol
// (count, then each symbol by index), which must stay quick however many there are.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "app/settings/base64_encoder.h"
#include "app/settings/extend_symbol_file.h"
#include "app/settings/font_file.h"
#include "platform/ini_document.h"
#include "platform/private_profile.h"
#include "platform/text_encoding.h"

namespace {

namespace fs = std::filesystem;

// A symbol file with `count` symbols, each with a font, a character and a shortcut, as
// the symbol dialogs write them. Removed with its folder at the end.
class SymbolFileFixture {
public:
    explicit SymbolFileFixture(int count)
    {
        folder_ = fs::temp_directory_path() / ("brindle-bench-" + std::to_string(::getpid()) + "-" +
                                               std::to_string(count));
        fs::create_directories(folder_);
        path_ = folder_ / "ExtendSymbol.ini";
        platform::IniDocument doc;
        quaverly::LogFont font;
        font.SetFaceName(u"宋体");
        font.height = -20;
        for (int i = 0; i < count; ++i) {
            auto entries = brindle::FontFile::FontEntries(font);
            entries.emplace_back(u"Char Name", brindle::Base64Encoder().Encode(u"符" + std::u16string(1, u'A' + i % 26)));
            entries.emplace_back(u"Placement", u"1");
            entries.emplace_back(u"H Offset", u"-150");
            entries.emplace_back(u"V Offset", u"300");
            entries.emplace_back(u"System Key", u"1");
            entries.emplace_back(u"Virtual Key", u"65");
            entries.emplace_back(u"Scan Code", u"30");
            entries.emplace_back(u"Extend Scan Code", u"FALSE");
            entries.emplace_back(u"Using Scan Code", u"FALSE");
            doc.SetValues(u"用户符号 " + platform::Utf8ToUtf16(std::to_string(i)), entries);
        }
        platform::SaveIniFile(path_, doc);
        MakeOld();
    }
    ~SymbolFileFixture()
    {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }
    SymbolFileFixture(const SymbolFileFixture&) = delete;
    SymbolFileFixture& operator=(const SymbolFileFixture&) = delete;

    // The file as one written in an earlier session.
    void MakeOld() const { fs::last_write_time(path_, fs::file_time_type::clock::now() - std::chrono::hours(1)); }

    std::u16string PathText() const { return platform::PathToUtf16(path_); }

private:
    fs::path folder_;
    fs::path path_;
};

void ListSymbols(const SymbolFileFixture& fixture, benchmark::State& state)
{
    brindle::ExtendSymbolFile file;
    file.SetFileName(fixture.PathText());
    const int count = file.GetSymbolCount();
    if (count != state.range(0))
        state.SkipWithError("the symbol file was not written");
    for (int i = 0; i < count; ++i)
        benchmark::DoNotOptimize(file.GetSymbol(i));
}

// Listing a file that has not changed since it was last read.
void BM_ListUserSymbols(benchmark::State& state)
{
    const SymbolFileFixture fixture(static_cast<int>(state.range(0)));
    for (auto _ : state)
        ListSymbols(fixture, state);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ListUserSymbols)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

// Listing a file that changed since it was last read: the file is read and parsed once.
void BM_ListUserSymbolsAfterChange(benchmark::State& state)
{
    const SymbolFileFixture fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        fixture.MakeOld();  // a new time stamp: the last parse no longer counts
        state.ResumeTiming();
        ListSymbols(fixture, state);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ListUserSymbolsAfterChange)->Arg(1000)->Unit(benchmark::kMillisecond);

// Listing right after the program wrote the file, while its time stamp alone cannot
// prove it unchanged.
void BM_ListUserSymbolsJustWritten(benchmark::State& state)
{
    const SymbolFileFixture fixture(static_cast<int>(state.range(0)));
    brindle::ExtendSymbolFile file;
    file.SetFileName(fixture.PathText());
    for (auto _ : state) {
        state.PauseTiming();
        brindle::ExtendSymbol symbol = file.GetSymbol(0);
        symbol.hOffset += 1;
        file.SetSymbol(symbol);
        state.ResumeTiming();
        ListSymbols(fixture, state);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ListUserSymbolsJustWritten)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
