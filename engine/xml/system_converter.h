// One saved line of the hand-made layout ("system") with its part rows ("track") and
// each row's instrument name ("instrument-name").
//
// The line's bars: the record holds them half-open, [firstBar, endBar); the element
// holds the first and the last bar, both counted from 1 ("start", "stop"). So a line of
// bars 0 to 3 is written start 1 stop 4, and the heading, which holds no bars, start 1
// stop 0. A line read with its stop before its start holds no bars. The line and part
// numbers are written plus 1 as well. "show" is "TRUE" or "FALSE"; any other value reads
// as hidden.
#pragma once

#include <string>

#include "engine/xml/system_record.h"
#include "engine/xml/xml_converter.h"

namespace quaverly {

class SystemConverter : public XmlConverter {
public:
    SystemConverter() = default;
    // For writing: the record.
    explicit SystemConverter(SystemRecord record) : record_(std::move(record)) {}

    void Read() override;
    void Write() override;

    const SystemRecord& GetRecord() const { return record_; }

private:
    SystemRecord record_;
};

class TrackConverter : public XmlConverter {
public:
    TrackConverter() = default;
    explicit TrackConverter(TrackRecord record) : record_(std::move(record)) {}

    // A track without "instrument-name" has an empty name at (0, 0).
    void Read() override;
    // Always writes "instrument-name", also with an empty name.
    void Write() override;

    const TrackRecord& GetRecord() const { return record_; }

private:
    TrackRecord record_;
};

// "instrument-name" of a track: its offset in "relative-x"/"relative-y" and the name as
// the text of a "name" child; reading takes the last "name".
class InstrumentNameConverter : public XmlConverter {
public:
    InstrumentNameConverter() = default;
    InstrumentNameConverter(std::u16string name, Point offset)
        : name_(std::move(name)), offset_(offset)
    {
    }

    void Read() override;
    void Write() override;

    const std::u16string& GetName() const { return name_; }
    Point GetOffset() const { return offset_; }

private:
    std::u16string name_;
    Point offset_;
};

}  // namespace quaverly
