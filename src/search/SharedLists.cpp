#include "search/SharedLists.h"

namespace pv {

FileList ResultList;
FileList KeywordMatchList;
FileList AccumulatorList;
int32_t AccumulatorPendingCount = 0;
int32_t ShownList = kShowResultList;
std::vector<std::string> RootFolders;
int32_t SortCode = 10;

FileList& ShownFileList() {
    switch (ShownList) {
    case kShowKeywordMatchList: return KeywordMatchList;
    case kShowAccumulatorList: return AccumulatorList;
    default: return ResultList;
    }
}

}  // namespace pv
