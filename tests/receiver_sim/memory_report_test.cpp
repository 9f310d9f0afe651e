// What the receiver stored, as the library shows it and as the tool's
// memory report writes it.
#include "memory_report.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "sim_test_support.h"

namespace receiver_sim {
namespace {

using testing::ask;

TEST(StoredChannels, ListedBankByBankInChannelOrderAndCounted) {
    Receiver receiver;
    EXPECT_TRUE(receiver.memoryChannels().empty());
    EXPECT_EQ(receiver.memoryWrites(), 0);
    for (const char* write : {"MXb01 RF0446000000", "MXC01 RF0433075000 ST012500 MD2 TMsecond",
                              "MXC00 RF0145500000 ST012500 MD1 TMxxxxxxxxxxxx", "MXA07 RF0029970000 MD5"})
        ASSERT_EQ(ask(receiver, write), "\r\n") << write;
    EXPECT_EQ(ask(receiver, "MXK00 RF0145500000"), "?\r\n") << "a refused write stores nothing";
    EXPECT_EQ(receiver.memoryWrites(), 4);
    std::vector<std::string> places;
    for (const MemoryChannel& channel : receiver.memoryChannels())
        places.push_back(channel.bank + std::to_string(channel.number));
    EXPECT_EQ(places, (std::vector<std::string>{"A7", "C0", "C1", "b1"}));
    ASSERT_EQ(ask(receiver, "MXC00 RF0145500000"), "\r\n");
    EXPECT_EQ(receiver.memoryWrites(), 5) << "a rewrite of a channel counts";
    EXPECT_EQ(receiver.memoryChannels().size(), 4u);
}

TEST(MemoryReport, OneLinePerChannelWithItsFields) {
    Receiver receiver;
    ask(receiver, "MXC00 RF0145500000 ST012500 MD1 TMxxxxxxxxxxxx");
    ask(receiver, "MXC01 RF0433075000 ST005000 MD2 AU1 AT1 TMtwo words");
    EXPECT_EQ(memoryReportText(receiver.memoryChannels()),
              "C00 RF0145500000 ST012500 MD1 AU0 AT0 TMxxxxxxxxxxxx\n"
              "C01 RF0433075000 ST005000 MD2 AU1 AT1 TMtwo words\n");
    EXPECT_EQ(memoryReportText({}), "");
}

TEST(MemoryReport, TheFileIsReplacedWholeAndNoScratchFileStays) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("sim-memory-report-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "memory.txt").string();
    ASSERT_TRUE(replaceReportFile(path, "first and longer\n"));
    ASSERT_TRUE(replaceReportFile(path, "C00\n"));
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "C00\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
    EXPECT_FALSE(replaceReportFile((folder / "missing" / "memory.txt").string(), "x\n"));
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace receiver_sim
