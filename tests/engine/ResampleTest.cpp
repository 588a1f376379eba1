#include "Resample.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>

TEST(ResampleWrapper, RejectsBadArgumentsByName)
{
    struct Case { float fIn; float fOut; int iFrames; const char* pcName; };
    const Case cases[] = {
        {0.f, 11025.f, 16384, "fInputSampleRate"},
        {-44100.f, 11025.f, 16384, "fInputSampleRate"},
        {44100.f, -1.f, 16384, "fOutputSampleRate"},
        {44100.f, 11025.f, 0, "iMaximumNumberOfInputFrames"},
    };
    for (const Case& c : cases)
    {
        try
        {
            Resample resample(c.fIn, c.fOut, c.iFrames);
            FAIL() << c.pcName;
        }
        catch (const std::invalid_argument& e)
        {
            EXPECT_EQ(std::string(e.what()), c.pcName);
        }
    }
}

TEST(ResampleWrapper, OutputBufferSizeAndConversion)
{
    Resample resample(44100.f, 11025.f, 16384);
    EXPECT_EQ(resample.getMaxOutputBufferSize(), 4352);

    Vector<float> input(16384), output(resample.getMaxOutputBufferSize());
    for (int i = 0; i < input.size(); ++i)
        input[i] = std::sin(2.f * 3.1415927f * 1000.f * static_cast<float>(i) / 44100.f);
    EXPECT_EQ(resample.resample(input, output), 4089);
    EXPECT_EQ(resample.resample(input, output), 4096);
}
