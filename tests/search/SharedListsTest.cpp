// The lists every frame shares, with frames searching on threads of their own: another frame
// sees a whole list with its own root, never one frame's root over another's records.
#include <atomic>
#include <gtest/gtest.h>
#include <string>
#include <thread>

#include "SearchTree.h"
#include "search/FolderWalk.h"
#include "search/SharedLists.h"

namespace pv {
namespace {

TEST(SharedListsTest, ConcurrentSearchesPublishWholeResults) {
    const std::string dirA = test::MakeScratchDir("lists-a");
    const std::string dirB = test::MakeScratchDir("lists-b");
    for (int i = 0; i < 30; ++i) {
        ASSERT_TRUE(test::MakeFile(dirA + "/a" + std::to_string(i) + ".jpg"));
    }
    for (int i = 0; i < 10; ++i) {
        ASSERT_TRUE(test::MakeFile(dirB + "/sub/b" + std::to_string(i) + ".jpg"));
    }
    SearchCriteria a;
    a.root = test::ProgramRootOf(dirA);
    a.extensions = {"JPG"};
    SearchCriteria b = a;
    b.root = test::ProgramRootOf(dirB);

    SharedLists lists;
    std::atomic<int> running{2};
    auto searchRepeatedly = [&lists, &running](const SearchCriteria& criteria) {
        for (int i = 0; i < 25; ++i) {
            RunSearch(lists, criteria);
        }
        --running;
    };
    std::thread frameA(searchRepeatedly, std::cref(a));
    std::thread frameB(searchRepeatedly, std::cref(b));
    int mixed = 0;
    int looks = 0;
    do {
        ++looks;
        SharedLists::Access state = lists.Lock();
        if (state->RootFolders.empty() || state->ResultList.Empty()) {
            continue;  // a run between its start and its result
        }
        const bool isA = state->RootFolders[0] == a.root;
        const char first = isA ? 'a' : 's';  // "a7.jpg" or "sub\b7.jpg"
        const int32_t expected = isA ? 30 : 10;
        if (state->ResultList.Count() != expected) {
            ++mixed;
        }
        for (const FileRecord& r : state->ResultList.Records()) {
            mixed += r.relativePath.front() != first ? 1 : 0;
        }
    } while (running.load() > 0);
    frameA.join();
    frameB.join();
    EXPECT_EQ(mixed, 0) << "in " << looks << " looks";
    SharedLists::Access state = lists.Lock();
    ASSERT_EQ(state->RootFolders.size(), 1u);
    EXPECT_EQ(state->ResultList.Count(), state->RootFolders[0] == a.root ? 30 : 10);
}

}  // namespace
}  // namespace pv
