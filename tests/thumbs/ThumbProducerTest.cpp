// The producer over a shown list: batches from the batch start, several workers giving the
// same slots as one, a stop in the middle of a batch, the paint's own decode, and slots that
// must not show another list's pictures.
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "../cli/RunCli.h"
#include "../imaging/GifBuilder.h"
#include "../imaging/ReaderFileBuilders.h"
#include "TestPaths.h"
#include "platform/FileSystem.h"
#include "thumbs/ThumbProducer.h"

namespace pv {
namespace {

namespace fs = std::filesystem;

// Sets the shown list to `names` under `root` (program form, ending in "\").
void ShowList(SharedLists& lists, const std::string& root, const std::vector<std::string>& names) {
    SharedLists::Access state = lists.Lock();
    state->RootFolders = {root};
    state->ShownList = ShownListId::Result;
    state->ResultList.Clear();
    for (const std::string& name : names) {
        FileRecord record;
        record.relativePath = name;
        state->ResultList.Append(record);
    }
}

std::vector<std::string> MediaNames(size_t count) {
    std::vector<std::string> names;
    for (size_t i = 0; i < count; ++i) {
        names.push_back("clip" + std::to_string(i) + (i % 2 == 0 ? ".avi" : ".wav"));
    }
    return names;
}

TEST(ThumbProducerTest, BatchesRunFromTheBatchStartToAtMost1024Records) {
    SharedLists lists;
    ShowList(lists, "\\nowhere\\", MediaNames(1500));

    struct Case {
        uint32_t start;
        uint64_t decoded;
    };

    for (const Case c : {Case{0, 1024}, Case{1000, 500}, Case{1499, 1}, Case{1500, 0}}) {
        ThumbProducer producer(lists, 3);
        producer.SetBatchStart(c.start);
        EXPECT_EQ(producer.Start(), c.decoded != 0) << c.start;
        producer.WaitForBatch();
        EXPECT_EQ(producer.decodeCount(), c.decoded) << c.start;
        // Another idle start over the same batch finds every record in its slot.
        producer.Start();
        producer.WaitForBatch();
        EXPECT_EQ(producer.decodeCount(), c.decoded) << c.start;
        if (c.decoded != 0) {
            EXPECT_EQ(producer.state(), ProducerState::Finished);
        }
        // A reset forgets the slots and starts over from record 0.
        producer.Reset();
        producer.Start();
        producer.WaitForBatch();
        EXPECT_EQ(producer.decodeCount(), c.decoded + 1024) << c.start;
    }
    ShowList(lists, "\\nowhere\\", {});
    ThumbProducer idle(lists, 2);
    EXPECT_FALSE(idle.Start());
    EXPECT_EQ(idle.state(), ProducerState::Idle);
    idle.Stop();  // nothing runs: returns at once
}

struct CellCopy {
    ThumbStatus status = ThumbStatus::Picture;
    int32_t fullWidth = 0;
    int32_t fullHeight = 0;
    std::vector<uint8_t> pixels;

    friend bool operator==(const CellCopy&, const CellCopy&) = default;
};

// Every record of the batch as the paint sees it; a record the workers left undone fails.
std::vector<CellCopy> ReadBatch(ThumbProducer& producer, uint32_t first, uint32_t end) {
    std::vector<CellCopy> cells;
    for (uint32_t i = first; i < end; ++i) {
        CellCopy copy;
        bool decoded = false;
        EXPECT_TRUE(producer.VisitCell(
                i,
                [&](const ThumbCell& cell) {
                    copy = {cell.status, cell.fullWidth, cell.fullHeight,
                            cell.pixels ? std::vector<uint8_t>(cell.pixels, cell.pixels + kThumbBytes)
                                        : std::vector<uint8_t>()};
                },
                &decoded));
        EXPECT_FALSE(decoded) << "record " << i << " was left to the paint";
        cells.push_back(std::move(copy));
    }
    return cells;
}

// A folder of the shared test pictures (broken ones among them), a few built here and media
// names, listed several times over so the list needs two batches.
std::vector<std::string> MixedFolder(const std::string& hostDir) {
    std::vector<std::string> names;
    const std::string data = test::TestDataDir();
    if (!data.empty()) {
        for (const auto& entry : fs::recursive_directory_iterator(data)) {
            const std::string ext = entry.path().extension().string();
            if (entry.is_regular_file() && ext != ".md" && ext != ".json" && ext != ".png" && ext != ".ppm" &&
                ext != ".conf") {
                const std::string name = std::to_string(names.size()) + "_" + entry.path().filename().string();
                fs::copy_file(entry.path(), fs::path(hostDir) / name);
                names.push_back(name);
            }
        }
    }
    test::WriteHostFile(hostDir + "/forty.bmp",
                        test::BuildBmp({.width = 2, .height = 1, .fileRows = {{1, 2, 3, 4, 5, 6, 0, 0}}}));
    test::WriteHostFile(hostDir + "/cut.gif", {'G', 'I', 'F', '8', '9', 'a', 5, 0, 5, 0});
    test::WriteHostFile(hostDir + "/ends.jpg", {0xFF, 0xD9});
    for (const char* name : {"forty.bmp", "cut.gif", "ends.jpg", "gone.jpg", "movie.avi", "sound.au"}) {
        names.push_back(name);
    }
    std::vector<std::string> list;
    while (list.size() < 1300) {
        list.insert(list.end(), names.begin(), names.end());
    }
    return list;
}

TEST(ThumbProducerTest, SeveralWorkersFillTheSameSlotsAsOneEvenAfterAStop) {
    const std::string dir = test::MakeScratchDir("mixed");
    const std::vector<std::string> names = MixedFolder(dir);
    const auto count = static_cast<uint32_t>(names.size());
    SharedLists lists;
    ShowList(lists, ProgramPathFromHost(dir) + "\\", names);

    std::vector<std::vector<CellCopy>> byWorkers;
    for (unsigned workers : {1u, 4u}) {
        ThumbProducer producer(lists, workers);
        std::vector<CellCopy> all;
        for (uint32_t first = 0; first < count; first += kThumbBatchSize) {
            producer.SetBatchStart(first);
            ASSERT_TRUE(producer.Start());
            if (workers > 1) {
                // Stopped at once, mid-batch: every worker acknowledges, and what they made
                // so far stays valid; the next start does the rest.
                producer.Stop();
                EXPECT_EQ(producer.state(), ProducerState::Finished);
                producer.Start();
            }
            producer.WaitForBatch();
            const std::vector<CellCopy> batch = ReadBatch(producer, first, std::min(count, first + kThumbBatchSize));
            all.insert(all.end(), batch.begin(), batch.end());
        }
        EXPECT_EQ(producer.decodeCount(), uint64_t{count}) << workers << " worker(s)";
        byWorkers.push_back(std::move(all));
    }
    ASSERT_EQ(byWorkers[0].size(), count);
    for (uint32_t i = 0; i < count; ++i) {
        EXPECT_TRUE(byWorkers[0][i] == byWorkers[1][i]) << names[i];
    }
    // Not all alike: pictures, media and unreadable files are in the folder.
    const size_t last = names.size() - 1;  // sound.au
    EXPECT_EQ(byWorkers[0][last].status, ThumbStatus::Audio);
    EXPECT_EQ(byWorkers[0][last - 2].status, ThumbStatus::Unreadable);  // gone.jpg
}

TEST(ThumbProducerTest, PaintDecodesMissingCellsAndNeverShowsAnotherListsPicture) {
    SharedLists lists;
    ShowList(lists, "\\nowhere\\", {"a.avi", "b.avi"});
    ThumbProducer producer(lists, 2);
    bool decoded = false;
    ThumbStatus status = ThumbStatus::Picture;
    auto remember = [&](const ThumbCell& cell) { status = cell.status; };
    EXPECT_TRUE(producer.VisitCell(1, remember, &decoded));
    EXPECT_TRUE(decoded);
    EXPECT_EQ(status, ThumbStatus::Video);
    EXPECT_TRUE(producer.VisitCell(1, remember, &decoded));
    EXPECT_FALSE(decoded);
    EXPECT_FALSE(producer.VisitCell(2, remember, &decoded));
    // Another frame replaced the shared list without this view's reset: same index, same
    // tag, another file.
    ShowList(lists, "\\nowhere\\", {"a.avi", "b.wav"});
    EXPECT_TRUE(producer.VisitCell(1, remember, &decoded));
    EXPECT_TRUE(decoded);
    EXPECT_EQ(status, ThumbStatus::Audio);
    // The view's own folder wins over the lists' root.
    producer.SetRoot("\\elsewhere\\");
    EXPECT_TRUE(producer.VisitCell(1, remember, &decoded));
    EXPECT_TRUE(decoded);
}

TEST(ThumbProducerTest, CommandLineCountsStatusesAndPaintsTheSheet) {
    const std::string dir = test::MakeScratchDir("cli");
    test::WriteHostFile(dir + "/a.bmp", test::BuildBmp({.width = 1, .height = 1, .fileRows = {{9, 9, 9, 0}}}));
    fs::create_directory(dir + "/sub");
    test::WriteHostFile(dir + "/sub/b.avi", {});
    test::WriteHostFile(dir + "/sub/c.jpg", {0xFF, 0xD8});
    const test::CliRun run = test::RunCli("thumbs " + dir + " --ext BMP,AVI,JPG --workers 2 --sheet " + dir + "/s.bmp");
    ASSERT_EQ(run.exitCode, 0) << run.out;
    ASSERT_GE(run.lines.size(), 3u);
    EXPECT_EQ(run.lines[0], "count 3");
    EXPECT_EQ(run.lines[1], "picture 1 video 1 audio 0 unreadable 1");
    EXPECT_EQ(run.lines[2], "workers 2");
    // One row of 10 cells, 1280 x 168: the background, then a thumbnail at (52, 0).
    const std::vector<uint8_t> sheet = test::ReadHostFile(dir + "/s.bmp");
    ASSERT_EQ(sheet.size(), 54u + 1280u * 3 * 168);
    auto pixel = [&](size_t x, size_t y) { return sheet[54 + (167 - y) * 1280 * 3 + x * 3 + 1]; };  // green
    EXPECT_EQ(pixel(0, 0), 211);
    // The 1 x 1 bitmap enlarged to 100 x 100 while read, framed from column 1 to 101.
    EXPECT_EQ(pixel(52 + 1, 50), 128);
    EXPECT_EQ(pixel(52 + 50, 50), 9);
    EXPECT_EQ(pixel(52 + 101, 50), 255);
    EXPECT_EQ(pixel(52, 120), 236);  // caption box

    const test::CliRun one = test::RunCli("thumb " + dir + "/a.bmp " + dir + "/one.bmp");
    EXPECT_EQ(one.out, "0 1x1\n");
    EXPECT_EQ(test::ReadHostFile(dir + "/one.bmp").size(), 54u + 312u * 105);
}

}  // namespace
}  // namespace pv
