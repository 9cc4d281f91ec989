// A score document with everything a user puts in one: two parts, five verses, dynamics,
// ornaments, every line-mark kind, ties, tuplets, grace and chord notes, repeats, endings
// and jumps, key, time and tempo changes, Chinese header texts and forced line breaks.
#pragma once

#include <filesystem>
#include <memory>

#include "engine/xml/music_xml_file.h"
#include "engine/xml/page_layout_result.h"
#include "tests/engine/xml/full_score.h"

namespace shell_test {

// Grows both parts of the engine's full score to `bars` bars of quarter-note digits, bar
// `shortBar` one note short of full.
inline void GrowFullScore(quaverly::Score& score, int bars, int shortBar = -1)
{
    using namespace quaverly;
    for (int p = 0; p < 2; ++p) {
        const auto part = xml_test::PartOf(score, p);
        for (int b = part->GetChildCount(); b < bars; ++b) {
            auto bar = std::make_shared<Bar>(b);
            xml_test::BarBuilder builder(bar);
            for (int n = 0; n < (b == shortBar ? 3 : 4); ++n)
                builder.AddAndNext(2 + (b * 3 + n + p) % 7, note_length::kQuarter);
            part->AppendChild(bar);
        }
    }
}

// Saves the score as a document at 88 beats a minute on the page `layout`.
inline bool SaveWithPage(quaverly::Score& score, const quaverly::PageLayout& layout, const std::filesystem::path& path)
{
    quaverly::MusicXmlFile file;
    file.SetScore(&score);
    quaverly::PageLayoutResult page;
    page.tempo = 88;
    page.page = layout;
    file.SetPageResult(page);
    return file.Save(path);
}

// The engine's full score, grown to twelve bars a part with the changes of key, time and
// tempo, repeats and endings, header texts in Chinese and forced line breaks.
inline bool WriteRichDocument(const std::filesystem::path& path)
{
    using namespace quaverly;
    auto score = std::make_shared<Score>();
    xml_test::FillFullScore(*score);
    GrowFullScore(*score, 12, 6);
    score->SetTitle(u"茉莉花");
    score->SetSubtitle(u"江苏民歌");
    score->SetComposer(u"何仿 整理");
    score->SetPoet(u"佚名 词");
    score->SetSinger(u"独唱");
    score->SetAdapter(u"改编者");
    score->SetRights(u"版权所有");
    for (const TimeSignatureRecord& meter : {TimeSignatureRecord{0, 4, 4, 1}, TimeSignatureRecord{6, 3, 4, 0},
                                             TimeSignatureRecord{7, 4, 4, 0}}) {
        for (int p = 0; p < 2; ++p) {
            auto signature = std::make_shared<TimeSignature>();
            signature->SetValue(meter);
            xml_test::BarOf(*score, p, meter.bar)->SetTimeSignature(signature);
            score->SetTimeSignature(meter);
        }
    }
    score->SetKeySignature({0, 2, 1});
    score->SetKeySignature({8, -1, 1});
    score->SetTempoMark({8, note_length::kQuarter, 100});
    const auto bar = [&](int index) { return xml_test::BarOf(*score, 0, index); };
    bar(4)->GetBarline(0)->SetMarkValue(1);  // repeat from bar 4
    bar(9)->GetBarline(1)->SetMarkValue(2);  // back from the end of bar 9
    bar(10)->GetBarline(1)->SetType(2);
    bar(11)->GetBarline(1)->SetType(barline_type::kFinal);
    bar(5)->SetManualAdjust(0.3f);
    bar(5)->SetVerseOffset(0, {0, 40});
    score->GetLineBreaks().insert(3);
    score->GetLineBreaks().insert(9);
    return SaveWithPage(*score, {u"A4", 1, 297, 210, 15, 25, 10, 25}, path);
}

}  // namespace shell_test
