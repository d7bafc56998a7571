#include "search/Keywords.h"

#include <algorithm>
#include <array>

#include "platform/Collation.h"
#include "search/Ordering.h"

namespace pv {

namespace {

void CutInto(std::string_view part, std::string_view separators, std::vector<std::string>& out) {
    size_t start = 0;
    while (start <= part.size()) {
        size_t end = part.find_first_of(separators, start);
        if (end == std::string_view::npos) {
            end = part.size();
        }
        if (end > start) {
            out.emplace_back(part.substr(start, end - start));
        }
        start = end + 1;
    }
}

bool SameWord(std::string_view a, std::string_view b) {
    return CompareNamesNoCase(a, b) == 0;
}

void DropPending(ListsState& lists) {
    if (lists.AccumulatorPendingCount > 0) {
        lists.AccumulatorList.RemoveAt(0, static_cast<size_t>(lists.AccumulatorPendingCount));
    }
    lists.AccumulatorPendingCount = 0;
}

}  // namespace

PathWords SplitPathWords(std::string_view relativePath, int32_t mode) {
    // Folder part up to the last separator, name part without its extension.
    const size_t slash = relativePath.find_last_of("\\/");
    const size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    std::string_view name = relativePath.substr(nameStart);
    if (const size_t dot = name.find_last_of('.'); dot != std::string_view::npos) {
        name = name.substr(0, dot);
    }
    const std::string_view folder = relativePath.substr(0, nameStart);
    PathWords words;
    if (mode == kWordModeNames) {
        CutInto(folder, "\\/", words.folder);
        if (!name.empty()) {
            words.name.emplace_back(name);
        }
    } else {
        CutInto(folder, ", \\_/", words.folder);
        CutInto(name, ", _", words.name);
    }
    return words;
}

std::vector<WordEntry> BuildWordList(const FileList& list, int32_t mode) {
    std::vector<WordEntry> words;
    auto count = [&words](const std::string& word, bool inFolder) {
        auto at = std::lower_bound(words.begin(), words.end(), word, [](const WordEntry& e, const std::string& w) {
            return CompareNamesNoCase(e.text, w) < 0;
        });
        if (at == words.end() || !SameWord(at->text, word)) {
            at = words.insert(at, WordEntry{word});
        }
        ++(inFolder ? at->folderNameCount : at->fileNameCount);
        ++at->totalCount;
    };
    for (const FileRecord& record : list.Records()) {
        const PathWords split = SplitPathWords(record.relativePath, mode);
        for (const std::string& word : split.folder) {
            count(word, true);
        }
        for (const std::string& word : split.name) {
            count(word, false);
        }
    }
    std::stable_sort(words.begin(), words.end(),
                     [](const WordEntry& a, const WordEntry& b) { return CompareNames(a.text, b.text) < 0; });
    return words;
}

std::string WordCountText(int32_t take, int32_t mode, int32_t listed) {
    static constexpr std::array<std::array<const char*, 2>, 3> kTexts{{
            {"Keywords in filenames:  ", "Filenames:  "},
            {"Keywords in foldernames:  ", "Foldernames:  "},
            {"Keywords in filenames and foldernames:  ", "Filenames and foldernames:  "},
    }};
    const size_t which = take == kTakeFiles ? 0 : take == kTakeFolders ? 1 : 2;
    return kTexts[which][mode == kWordModeNames ? 1 : 0] + std::to_string(listed);
}

void KeywordSearch::PressButton(int32_t button) {
    switch (button) {
    case 0:
    case 1:
        mode_ = button;
        if (take_ < 0) {
            take_ = kTakeBoth;
        }
        break;
    case 2:
    case 3:
    case 4:
        take_ = button - 2;
        if (mode_ < 0) {
            mode_ = kWordModeKeywords;
        }
        break;
    default: break;
    }
}

bool KeywordSearch::NeedsBuild(const ListsState& lists) const {
    return builtMode_ != mode_ || builtGeneration_ != lists.RootGeneration;
}

void KeywordSearch::Build(const ListsState& lists) {
    words_ = BuildWordList(lists.ResultList, mode_);
    builtMode_ = mode_;
    if (builtGeneration_ != lists.RootGeneration) {
        // The accumulator went with the old root; a new mode alone leaves it (and the count
        // of ticked words that keeps showing it) for Clear Accumulator.
        accumulatedWords_ = 0;
    }
    builtGeneration_ = lists.RootGeneration;
    rowCount_ = 0;
    typedFirst_ = 0;
    typed_ = false;
}

int32_t KeywordSearch::FilterRows() {
    const auto total = static_cast<int32_t>(words_.size());
    typed_ = false;
    typedFirst_ = 0;
    if (take_ != kTakeFiles && take_ != kTakeFolders) {
        rowCount_ = total;
        return rowCount_;
    }
    int32_t rows = 0;
    for (int32_t w = 0; w < total; ++w) {
        const WordEntry& e = words_[static_cast<size_t>(w)];
        if ((take_ == kTakeFiles ? e.fileNameCount : e.folderNameCount) > 0) {
            words_[static_cast<size_t>(rows++)].listIndex = w;
        }
    }
    for (int32_t k = rows; k < total; ++k) {
        words_[static_cast<size_t>(k)].listIndex = -1;
    }
    rowCount_ = rows;
    return rowCount_;
}

bool KeywordSearch::TypeKeyword(std::string_view typed) {
    if (typed.empty() && take_ == kTakeBoth) {
        return false;
    }
    if (take_ == kTakeBoth) {
        take_ = kTakeTyped;
    }
    const auto total = static_cast<int32_t>(words_.size());
    int32_t first = total;
    for (int32_t w = 0; w < total; ++w) {
        const std::string& text = words_[static_cast<size_t>(w)].text;
        if (text.size() >= typed.size() &&
            CompareNamesNoCase(std::string_view(text).substr(0, typed.size()), typed) >= 0) {
            first = w;
            break;
        }
    }
    // A typed keyword lists every word from the found one on, whatever the file/folder
    // filter: the filter's row map does not apply while it is typed.
    typed_ = true;
    typedFirst_ = first;
    rowCount_ = total - first;
    return true;
}

int32_t KeywordSearch::RowWord(int32_t row) const {
    if (row < 0 || row >= rowCount_) {
        return -1;
    }
    if (typed_) {
        return typedFirst_ + row;
    }
    if (take_ == kTakeFiles || take_ == kTakeFolders) {
        return words_[static_cast<size_t>(row)].listIndex;
    }
    return row;
}

void KeywordSearch::CollectMatches(ListsState& lists, const std::string& word) const {
    lists.KeywordMatchList.Clear();
    for (const FileRecord& record : lists.ResultList.Records()) {
        const PathWords split = SplitPathWords(record.relativePath, builtMode_);
        for (const auto* part : {&split.folder, &split.name}) {
            for (const std::string& piece : *part) {
                if (SameWord(piece, word)) {
                    lists.KeywordMatchList.Append(record);
                }
            }
        }
    }
}

bool KeywordSearch::ChooseWord(ListsState& lists, int32_t word, bool onCheckBox) {
    if (word < 0 || static_cast<size_t>(word) >= words_.size() || builtGeneration_ != lists.RootGeneration) {
        return false;
    }
    WordEntry& entry = words_[static_cast<size_t>(word)];
    CollectMatches(lists, entry.text);
    lists.ShownList = accumulatedWords_ > 0 ? ShownListId::Accumulator : ShownListId::KeywordMatch;
    FileList& accumulator = lists.AccumulatorList;
    if (!onCheckBox) {
        DropPending(lists);
        accumulator.InsertAt(0, lists.KeywordMatchList.Records());
        lists.AccumulatorPendingCount = lists.KeywordMatchList.Count();
        return true;
    }
    if (entry.accumulated != 0) {
        TakeOut(lists);
        entry.accumulated = 0;
        return true;
    }
    ++accumulatedWords_;
    lists.ShownList = ShownListId::Accumulator;
    DropPending(lists);
    for (const FileRecord& record : lists.KeywordMatchList.Records()) {
        accumulator.Append(record);
    }
    SortFileList(accumulator, kSortName);
    // Each path once, whichever words brought it in.
    std::vector<FileRecord>& records = accumulator.Records();
    records.erase(std::unique(records.begin(), records.end(),
                              [](const FileRecord& a, const FileRecord& b) {
                                  return SameWord(a.relativePath, b.relativePath);
                              }),
                  records.end());
    if (accumulator.Count() > 1) {
        SortFileList(accumulator, lists.SortCode);
    }
    entry.accumulated = 1;
    return true;
}

void KeywordSearch::TakeOut(ListsState& lists) {
    if (accumulatedWords_ == 0) {
        lists.ShownList = ShownListId::KeywordMatch;
        return;
    }
    DropPending(lists);
    lists.ShownList = ShownListId::Accumulator;
    std::vector<std::string> gone;
    for (const FileRecord& record : lists.KeywordMatchList.Records()) {
        gone.push_back(record.relativePath);
    }
    auto noCaseLess = [](const std::string& a, const std::string& b) { return CompareNamesNoCase(a, b) < 0; };
    std::sort(gone.begin(), gone.end(), noCaseLess);
    std::erase_if(lists.AccumulatorList.Records(), [&](const FileRecord& record) {
        return std::binary_search(gone.begin(), gone.end(), record.relativePath, noCaseLess);
    });
    if (lists.AccumulatorList.Empty()) {
        lists.ShownList = ShownListId::KeywordMatch;
    } else if (lists.AccumulatorList.Count() > 1) {
        SortFileList(lists.AccumulatorList, lists.SortCode);
    }
    --accumulatedWords_;
}

bool KeywordSearch::ClearAccumulator(ListsState& lists) {
    if (lists.AccumulatorList.Empty()) {
        return false;
    }
    lists.AccumulatorList.Clear();
    for (WordEntry& e : words_) {
        e.accumulated = 0;
    }
    accumulatedWords_ = 0;
    lists.AccumulatorPendingCount = 0;
    lists.ShownList = ShownListId::KeywordMatch;
    return true;
}

}  // namespace pv
