// keyra-synth: writes a cadence in a known key as a WAV file, for the bundled example,
// the tests and the benchmarks.
#include "CadenceSynth.h"
#include "WavWriter.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cmath>
#include <exception>
#include <iostream>
#include <vector>

int main(int argc, char** argv)
{
    CLI::App app{"Writes a cadence in a known key as a 16-bit WAV file."};
    std::string sOutput;
    std::string sKey = "A:min";
    double dSeconds = 8.0;
    float fTuning = 440.f;
    int32_t iSampleRate = 44100;
    int32_t iChannels = 2;
    app.add_option("OUTPUT", sOutput, "WAV file to write")->required();
    app.add_option("--key", sKey, "key as A:min or Eb:maj")->capture_default_str();
    app.add_option("--seconds", dSeconds, "length")->capture_default_str()->check(CLI::Range(0.0, 20000.0));
    app.add_option("--tuning", fTuning, "frequency of A4 in Hz")->capture_default_str()->check(CLI::Range(300.f, 600.f));
    app.add_option("--rate", iSampleRate, "sample rate")->capture_default_str()->check(CLI::Range(8000, 384000));
    app.add_option("--channels", iChannels, "channel count")->capture_default_str()->check(CLI::Range(1, 8));
    CLI11_PARSE(app, argc, argv);

    try
    {
        const CadenceSynth synth(sKey, fTuning, iSampleRate);
        const auto iFrames = static_cast<int64_t>(std::llround(dSeconds * iSampleRate));
        WavWriter writer(sOutput, iSampleRate, iChannels, iFrames);
        constexpr int32_t kBlock = 4096;
        std::vector<float> mono(kBlock);
        std::vector<float> interleaved(static_cast<size_t>(kBlock * iChannels));
        for (int64_t iDone = 0; iDone < iFrames; iDone += kBlock)
        {
            const auto iCount = static_cast<int32_t>(std::min<int64_t>(kBlock, iFrames - iDone));
            synth.render(mono.data(), iDone, iCount);
            // Channels differ in level, so a decoder that mixes them up shows.
            for (int32_t i = 0; i < iCount; ++i)
                for (int32_t c = 0; c < iChannels; ++c)
                    interleaved[static_cast<size_t>(i * iChannels + c)] = mono[static_cast<size_t>(i)] * (1.f - 0.25f * c / iChannels);
            writer.write(interleaved.data(), iCount);
        }
        writer.close();
    }
    catch (const std::exception& e)
    {
        std::cerr << "keyra-synth: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
