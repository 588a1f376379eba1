#include "Downmix.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <vector>

TEST(Downmix, RejectsNonPositiveChannelCounts)
{
    for (int n : {0, -1})
    {
        try
        {
            Downmix d(n);
            FAIL() << n;
        }
        catch (const std::invalid_argument& e)
        {
            EXPECT_STREQ(e.what(), "iNumberOfChannels");
        }
    }
}

TEST(Downmix, AveragesChannels)
{
    const std::vector<float> x = {0.1f, -0.7f, 0.3333f, 1e-20f};
    std::vector<float> minusX(x.size());
    for (size_t i = 0; i < x.size(); ++i)
        minusX[i] = -x[i];
    std::vector<float> out(x.size(), 9.f);

    const float* opposite[] = {x.data(), minusX.data()};
    Downmix(2).downmix(opposite, 4, out.data());
    EXPECT_EQ(out, std::vector<float>(4, 0.f));

    const float* identical[] = {x.data(), x.data()};
    Downmix(2).downmix(identical, 4, out.data());
    EXPECT_EQ(std::memcmp(out.data(), x.data(), sizeof(float) * 4), 0);

    const float* single[] = {x.data()};
    Downmix(1).downmix(single, 4, out.data());
    EXPECT_EQ(out, x);

    const std::vector<float> a = {1.f}, b = {2.f}, c = {6.f};
    const float* three[] = {a.data(), b.data(), c.data()};
    Downmix(3).downmix(three, 1, out.data());
    EXPECT_FLOAT_EQ(out[0], 3.f);
}
