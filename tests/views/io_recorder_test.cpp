// The record of the I/O words: only changes are kept, the oldest go first, and the CSV text.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>
#include <sstream>

#include "gui/views/io_recorder.h"

namespace tarsel::views {
namespace {

using Clock = std::chrono::system_clock;

IoRecorder::Sample At(int ms, uint8_t slave, uint64_t inputs, uint32_t outputs) {
    return {Clock::time_point(std::chrono::milliseconds(ms)), slave, inputs, outputs};
}

TEST(IoRecorderTest, KeepsChangesOnly) {
    IoRecorder record;
    EXPECT_TRUE(record.Add(At(0, 1, 0, 0)));
    EXPECT_FALSE(record.Add(At(120, 1, 0, 0)));
    EXPECT_TRUE(record.Add(At(240, 1, uint64_t{1} << 39, 0)));
    EXPECT_TRUE(record.Add(At(360, 1, uint64_t{1} << 39, 4)));
    EXPECT_TRUE(record.Add(At(480, 2, uint64_t{1} << 39, 4)));  // another drive, same words
    EXPECT_EQ(record.Size(), 4u);
}

TEST(IoRecorderTest, DropsTheOldestWhenFull) {
    IoRecorder record(3);
    for (uint32_t i = 0; i < 5; ++i) record.Add(At(static_cast<int>(i), 0, i, 0));
    ASSERT_EQ(record.Size(), 3u);
    EXPECT_EQ(record.Dropped(), 2u);
    EXPECT_EQ(record.Samples().front().inputs, 2u);
    EXPECT_EQ(record.Samples().back().inputs, 4u);
}

TEST(IoRecorderTest, WritesCsvWithMillisecondsAndFullWords) {
    IoRecorder record;
    record.Add(At(1234, 3, (uint64_t{1} << 32) | 1, 0x80008000u));
    const std::string csv = record.ToCsv();
    std::istringstream lines(csv);
    std::string header, row;
    std::getline(lines, header);
    std::getline(lines, row);
    EXPECT_EQ(header, "Time,Slave,Inputs,Outputs\r");
    // The time is local; its milliseconds and the rest of the line do not depend on the zone.
    ASSERT_GE(row.size(), 24u);
    EXPECT_EQ(row.substr(19, 4), ".234");
    EXPECT_EQ(row.substr(23), ",3,0x0100000001,0x80008000\r");

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath(QStringLiteral("io.csv")).toStdString();
    ASSERT_TRUE(record.Save(path));
    std::ifstream in(path, std::ios::binary);
    std::stringstream saved;
    saved << in.rdbuf();
    EXPECT_EQ(saved.str(), csv);
}

}  // namespace
}  // namespace tarsel::views
