#include "bench/ProcessMemory.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(ProcessMemoryTest, ReadsKilobyteFieldsOfAStatusText)
{
    const QByteArrayView status = "Name:\tbench_db\nVmPeak:\t  300000 kB\nVmHWM:\t   20480 kB\nVmRSS:\t   10240 kB\n"
                                  "Threads:\t1\nVmSwap:\tlots kB\n";
    EXPECT_EQ(ProcessMemory::fieldKb(status, "VmRSS"), 10240);
    EXPECT_EQ(ProcessMemory::fieldKb(status, "VmHWM"), 20480);
    // A field name is matched whole, not as the start of a longer one.
    EXPECT_EQ(ProcessMemory::fieldKb(status, "VmPea"), std::nullopt);
    EXPECT_EQ(ProcessMemory::fieldKb(status, "VmData"), std::nullopt);
    EXPECT_EQ(ProcessMemory::fieldKb(status, "Threads"), std::nullopt); // no unit
    EXPECT_EQ(ProcessMemory::fieldKb(status, "VmSwap"), std::nullopt); // no number
}

TEST(ProcessMemoryTest, PeakFollowsMemoryTheProcessTouches)
{
    const ProcessMemory::Figures before = ProcessMemory::read();
    ASSERT_GT(before.residentKb, 0);
    EXPECT_GE(before.peakKb, before.residentKb);

    ProcessMemory::resetPeak();
    constexpr qint64 Megabytes = 32;
    {
        // Every page written, so it is resident; freed again before the peak is read.
        std::vector<char> block(Megabytes * 1024 * 1024, 1);
        ASSERT_EQ(block.back(), 1);
    }
    const ProcessMemory::Figures after = ProcessMemory::read();
    EXPECT_GE(after.peakKb - before.residentKb, (Megabytes - 2) * 1024);
}

} // namespace
