// Hearing what the synthesizer played: its samples written as a WAV file and measured
// with sox, as a person checking the sound with the usual tools would.
#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "app/mididev/soft_synth.h"

namespace mididev_test {

constexpr int kSampleRate = brindle::SoftSynth::kSampleRate;
// The synthesizer dithers its 16-bit output: silence measures a few hundred-thousandths.
constexpr double kSilence = 1e-4;

// The sox program; empty when it is not installed.
inline QString FindSox()
{
    return QStandardPaths::findExecutable(QStringLiteral("sox"));
}

// What hearing the synthesizer needs: sox and a General MIDI SoundFont. `missing` is
// empty when both are there, else the reason to skip the test.
struct SoundTools {
    QString sox;
    std::filesystem::path soundFont;
    std::string missing;
};

inline SoundTools FindSoundTools()
{
    SoundTools tools;
    tools.sox = FindSox();
    if (tools.sox.isEmpty()) {
        tools.missing = "sox is not installed (scripts/setup installs it)";
        return tools;
    }
    tools.soundFont = brindle::SoftSynth::FindSoundFont();
    if (tools.soundFont.empty())
        tools.missing = "no General MIDI SoundFont (scripts/setup installs fluid-soundfont-gm)";
    return tools;
}

inline void PutLittleEndian(std::ofstream& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// Interleaved 16-bit stereo at kSampleRate as a PCM WAV file.
inline bool WriteWav(const std::string& path, const std::vector<std::int16_t>& samples)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    out.write("RIFF", 4);
    PutLittleEndian(out, 36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    PutLittleEndian(out, 16, 4);
    PutLittleEndian(out, 1, 2);  // PCM
    PutLittleEndian(out, 2, 2);  // channels
    PutLittleEndian(out, kSampleRate, 4);
    PutLittleEndian(out, kSampleRate * 4, 4);
    PutLittleEndian(out, 4, 2);
    PutLittleEndian(out, 16, 2);
    out.write("data", 4);
    PutLittleEndian(out, dataBytes, 4);
    for (const std::int16_t sample : samples)
        PutLittleEndian(out, static_cast<std::uint16_t>(sample), 2);
    return static_cast<bool>(out);
}

// The RMS amplitude (0 to 1) that "sox FILE -n stat" reports, of the whole file or,
// with a length, of the stretch from start (seconds).
inline std::optional<double> SoxRms(const QString& sox, const std::string& path, double start = 0,
                                    double length = 0)
{
    QStringList arguments{QString::fromStdString(path), QStringLiteral("-n")};
    if (length > 0)
        arguments << QStringLiteral("trim") << QString::number(start) << QString::number(length);
    arguments << QStringLiteral("stat");
    QProcess process;
    process.start(sox, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return std::nullopt;
    const QString report = QString::fromLocal8Bit(process.readAllStandardError());
    for (const QString& line : report.split(u'\n')) {
        if (line.startsWith(QStringLiteral("RMS     amplitude:")))
            return line.section(u':', 1).trimmed().toDouble();
    }
    return std::nullopt;
}

}  // namespace mididev_test
